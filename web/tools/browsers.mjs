// The browser version served from 127.0.0.1 and opened in one of the three engines players use:
// Chromium (Debian's chromium) and Firefox (firefox-esr) through puppeteer, WebKit (WebKitGTK's
// MiniBrowser, in an X server) through WebKitWebDriver and selenium. What the browser test and
// the benchmark share; only this file knows the engine. Closed network: nothing in the
// background may reach out.
import { spawn } from "node:child_process";
import { createServer } from "node:net";
import { mkdtempSync, rmSync } from "node:fs";
import { join } from "node:path";
import { tmpdir, arch } from "node:os";
import puppeteer from "puppeteer-core";
import { Builder, Key, Origin } from "selenium-webdriver";
import { serve } from "./serve.mjs";

export const ENGINES = ["chromium", "firefox", "webkit"];
const DESKTOP = { width: 800, height: 600 }; // the game at 1x, its title and help beside it
const triplet = { x64: "x86_64-linux-gnu", arm64: "aarch64-linux-gnu" }[arch()];
const MINIBROWSER = `/usr/lib/${triplet}/webkit2gtk-4.1/MiniBrowser`;
export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const CHROMIUMS_OWN = "Page.getInstallabilityErrors is Chromium's own";
const FRAME_RATE = "layout.frame_rate"; // Firefox's refreshes a second, in place of the display's

// Reports the page's own errors and Content-Security-Policy violations on its console.
const reportViolations = () =>
  document.addEventListener("securitypolicyviolation", (event) =>
    console.error(`CSP violation: ${event.violatedDirective} ${event.blockedURI}`),
  );

// A page in puppeteer, Chromium's or Firefox's: the test's few words for what a player does.
async function puppeteerPage(browser, url, errors, viewport) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  page.on("pageerror", (error) => errors.push(error.message));
  page.on("console", (message) => message.type() === "error" && errors.push(message.text()));
  await page.evaluateOnNewDocument(reportViolations);
  await page.goto(url);
  const touches = viewport.hasTouch ? await page.createCDPSession() : null;
  return {
    evaluate: (fn, arg) => page.evaluate(fn, arg),
    keyDown: (key) => page.keyboard.down(key),
    keyUp: (key) => page.keyboard.up(key),
    press: (key) => page.keyboard.press(key),
    // Whole CSS pixels: Firefox over WebDriver BiDi rounds fractional ones its own way.
    moveMouse: (x, y) => page.mouse.move(Math.round(x), Math.round(y)),
    // A finger at fractional CSS pixels, as a phone's screen reports them.
    touch:
      touches &&
      ((type, at) =>
        touches.send("Input.dispatchTouchEvent", {
          type,
          touchPoints: type === "touchEnd" ? [] : [{ x: at.x, y: at.y }],
        })),
    reload: () => page.reload(),
    // Another tab in front of the game's, as a player switches tabs; the function it returns
    // brings the game's tab back.
    hide: async () => {
      const other = await page.browser().newPage();
      await other.bringToFront();
      return async () => {
        await page.bringToFront();
        await other.close();
      };
    },
    screenshot: (path) => page.screenshot({ path }),
    installabilityErrors: async () =>
      (await (await page.createCDPSession()).send("Page.getInstallabilityErrors"))
        .installabilityErrors,
    close: () => page.close(),
  };
}

async function openPuppeteer(engine, url, errors, refreshRate) {
  const profile = mkdtempSync(join(tmpdir(), `zarn-${engine}-`));
  const browser = await puppeteer.launch(
    engine === "firefox"
      ? {
          browser: "firefox",
          executablePath: "/usr/bin/firefox-esr",
          headless: true,
          userDataDir: profile,
          extraPrefsFirefox: refreshRate ? { [FRAME_RATE]: refreshRate } : {},
        }
      : {
          executablePath: "/usr/bin/chromium",
          headless: true,
          userDataDir: profile,
          args: [
            "--no-sandbox",
            "--disable-gpu",
            "--disable-background-networking",
            "--disable-component-update",
            "--disable-sync",
            "--no-first-run",
            "--disable-quic",
            "--mute-audio",
          ],
        },
  );
  const page = await puppeteerPage(browser, url, errors, DESKTOP);
  const game = {
    page,
    pid: browser.process().pid,
    close: async () => {
      await browser.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
  if (engine === "chromium") {
    game.cannot = {};
    game.phonePage = (width, height) =>
      puppeteerPage(browser, url, errors, {
        width,
        height,
        deviceScaleFactor: 3,
        isMobile: true,
        hasTouch: true,
        isLandscape: width > height,
      });
  } else {
    game.cannot = {
      phone: "puppeteer has no device emulation (touch screen, device scale) for it",
      install: CHROMIUMS_OWN,
    };
  }
  return game;
}

// WebKitGTK's MiniBrowser through WebKitWebDriver: selenium's classic WebDriver calls.
async function openWebKit(url) {
  const port = await new Promise((resolve) => {
    // a free one on 127.0.0.1
    const probe = createServer().listen(0, "127.0.0.1", () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });
  // What the driver and the browser say goes to the test's output: a "page crash or hang" then
  // shows whether MiniBrowser saw its web process crash (docs/tests.md).
  // Its own process group, so that closing ends MiniBrowser and its web process with it.
  const driverProcess = spawn("WebKitWebDriver", [`--port=${port}`], {
    stdio: ["ignore", "ignore", "inherit"],
    detached: true,
  });
  const endDriver = () => {
    try {
      process.kill(-driverProcess.pid);
    } catch {
      /* ended already */
    }
  };
  const server = `http://127.0.0.1:${port}`;
  let driver;
  try {
    for (
      let tries = 0;
      !(await fetch(`${server}/status`).then(
        (r) => r.ok,
        () => false,
      ));
      tries++
    ) {
      if (tries > 100) throw new Error("WebKitWebDriver did not start");
      await sleep(100);
    }
    driver = await new Builder()
      .usingServer(server)
      .withCapabilities({
        browserName: "MiniBrowser",
        "webkitgtk:browserOptions": { binary: MINIBROWSER, args: ["--automation"] },
      })
      .build();
  } catch (error) {
    endDriver(); // else it would keep the test running
    throw error;
  }
  // A script that waits in the page (a whole round, for the end screen) may take two minutes.
  await driver.manage().setTimeouts({ script: 120000 });
  // The window, so that the page inside is as large as the others' viewport.
  await driver
    .manage()
    .window()
    .setRect({ x: 0, y: 0, ...DESKTOP });
  const inner = await driver.executeScript("return [innerWidth, innerHeight]");
  await driver
    .manage()
    .window()
    .setRect({
      x: 0,
      y: 0,
      width: 2 * DESKTOP.width - inner[0],
      height: 2 * DESKTOP.height - inner[1],
    });
  const keys = { ArrowUp: Key.ARROW_UP, ArrowDown: Key.ARROW_DOWN, Escape: Key.ESCAPE };
  const actions = () => driver.actions({ async: true });
  // WebDriver has no script that runs before the page's own: the page's errors from its loading
  // on are gathered once it has loaded.
  const load = async () =>
    driver.executeScript(`window.zarnErrors = [];
    addEventListener("error", (event) => zarnErrors.push(event.message));
    document.addEventListener("securitypolicyviolation", (event) =>
      zarnErrors.push(\`CSP violation: \${event.violatedDirective} \${event.blockedURI}\`));`);
  await driver.get(url);
  await load();
  const page = {
    evaluate: (fn, arg) => driver.executeScript(`return (${fn})(arguments[0]);`, arg),
    keyDown: (key) => actions().keyDown(keys[key]).perform(),
    keyUp: (key) => actions().keyUp(keys[key]).perform(),
    press: (key) => actions().keyDown(keys[key]).keyUp(keys[key]).perform(),
    moveMouse: (x, y) =>
      actions()
        .move({ x: Math.round(x), y: Math.round(y), origin: Origin.VIEWPORT })
        .perform(),
    reload: async () => {
      await driver.navigate().refresh();
      await load();
    },
  };
  return {
    page,
    pid: driverProcess.pid,
    pageErrors: () => driver.executeScript("return window.zarnErrors || []"),
    cannot: {
      phone: "WebKitWebDriver has no device emulation (touch screen, device scale)",
      install: CHROMIUMS_OWN,
      hide: "WebDriver reads only the window in front, not the game's page behind another",
      // Measured: it asks for nothing with a validator, so the worker's install costs it every
      // file again.
      weight: "MiniBrowser under WebKitWebDriver keeps no HTTP cache",
    },
    // After a crash the session is gone and quitting fails: the driver must end all the same,
    // or it keeps the test running until CTest's time-out.
    close: async () => {
      try {
        await driver.quit();
      } finally {
        endDriver();
      }
    },
  };
}

// Life's digits on the canvas, as one string: they change at every Life step while the game plays.
export const LIFE_DIGITS = [70, 40, 50, 20];
export const lifeDigits = (page) =>
  page.evaluate(
    ([x, y, w, h]) =>
      document.getElementById("canvas").getContext("2d").getImageData(x, y, w, h).data.join(),
    LIFE_DIGITS,
  );
// When the canvas's rectangle [x, y, w, h] changes, seen by the page at every refresh: at which
// refresh (`at`, its time stamp in ms) and after how many of the game's frames (`frame`, as
// framesDrawn counts them, once it does): the first `count` changes, or as many as come within
// `ms`, or those until it shows `until` (its pixels, as lifeDigits reads them). Read in the page,
// so that the time a driver takes to ask does not blur them.
export const changesAt = (page, rectangle, { count = 1e9, ms, until = null }) =>
  page.evaluate(
    ([[x, y, w, h], count, ms, until]) =>
      new Promise((resolve) => {
        const ctx = document.getElementById("canvas").getContext("2d");
        const pixels = () => ctx.getImageData(x, y, w, h).data.join();
        const times = [];
        let shown = pixels();
        setTimeout(() => resolve(times), ms);
        const look = (now) => {
          const seen = pixels();
          if (seen !== shown) times.push({ at: now, frame: window.zarnFrames?.length });
          shown = seen;
          const done = times.length >= count || (times.length && seen === until);
          return done ? resolve(times) : requestAnimationFrame(look);
        };
        requestAnimationFrame(look);
      }),
    [rectangle, count, ms, until],
  );
export const lifeChanges = (page, count, ms) => changesAt(page, LIFE_DIGITS, { count, ms });

// The game's frames, counted in the page: each starts by clearing the canvas, first thing, so the
// refreshes (requestAnimationFrame's callbacks) at which the canvas is cleared are the frames'
// (their time stamps in zarnFrames). Once the game has drawn a frame at a refresh, a clearing
// outside one counts in zarnOffRefresh. The count so far; the first call on a page starts it.
export const framesDrawn = (page) =>
  page.evaluate(() => {
    const ctx = document.getElementById("canvas").getContext("2d");
    if (!Object.hasOwn(ctx, "fillRect")) {
      window.zarnFrames = [];
      window.zarnOffRefresh = 0;
      let refresh = null;
      const request = window.requestAnimationFrame.bind(window);
      window.requestAnimationFrame = (callback) =>
        request((now) => {
          refresh = now;
          try {
            callback(now);
          } finally {
            refresh = null;
          }
        });
      ctx.fillRect = function (...args) {
        if (refresh === null) {
          if (window.zarnFrames.length) window.zarnOffRefresh++;
        } else if (window.zarnFrames.at(-1) !== refresh) window.zarnFrames.push(refresh);
        return CanvasRenderingContext2D.prototype.fillRect.apply(this, args);
      };
    }
    return window.zarnFrames.length;
  });

// How long each frame stays on the screen, in refreshes, over the next `refreshes` of them: for
// each number of refreshes, how many frames stayed that long.
export const framesOnScreen = async (page, refreshes) => {
  const first = await framesDrawn(page);
  return page.evaluate(
    ([first, refreshes]) =>
      new Promise((resolve) => {
        const times = [];
        const refresh = (now) => {
          times.push(now);
          if (times.length < refreshes) return requestAnimationFrame(refresh);
          const gaps = times.slice(1).map((t, i) => t - times[i]);
          const period = gaps.sort((a, b) => a - b)[gaps.length >> 1];
          const shown = window.zarnFrames.slice(first);
          const stays = {};
          for (let i = 1; i < shown.length; i++) {
            const n = Math.round((shown[i] - shown[i - 1]) / period);
            stays[n] = (stays[n] || 0) + 1;
          }
          resolve({ period, stays });
        };
        requestAnimationFrame(refresh);
      }),
    [first, refreshes],
  );
};

// The game's page in ENGINE: { page, phonePage?, cannot, errors(), bytesSent(), stopServer(),
// close() }. With gzipText, the server gzips text types as many hosts do; with refreshRate, a
// display that refreshes so many times a second (Firefox only).
export async function openGame(engine, webDir, { gzipText = false, refreshRate } = {}) {
  const server = await serve(webDir, 0, { gzipText });
  const url = `http://127.0.0.1:${server.address().port}/`;
  const errors = [];
  const game =
    engine === "webkit"
      ? await openWebKit(url)
      : await openPuppeteer(engine, url, errors, refreshRate);
  game.engine = engine;
  game.cannot ??= {};
  game.errors = async () => [...errors, ...(game.pageErrors ? await game.pageErrors() : [])];
  // The body bytes sent since the start: in all, and by path, the most first.
  game.bytesSent = () => {
    const byPath = [...server.sent].sort((a, b) => b[1] - a[1]);
    return { total: byPath.reduce((sum, [, bytes]) => sum + bytes, 0), byPath };
  };
  let serving = true;
  game.stopServer = () => {
    if (serving) {
      serving = false;
      server.closeAllConnections();
      server.close();
    }
  };
  const closeBrowser = game.close;
  game.close = async () => {
    await closeBrowser();
    game.stopServer();
  };
  return game;
}
