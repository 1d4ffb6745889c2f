// Zarn Game in a browser: the page served from 127.0.0.1, played in the engine ZARN_BROWSER
// names (chromium, firefox or webkit). The same checks in each; only ../tools/browsers.mjs knows
// the engine, and what the test learns of the page it reads from the page. Each test starts a game
// of its own, in one browser, so that any one runs alone or in any order. None reads a rate: the
// game's time is counted in its frames, and what it is in seconds `make web-bench` prints.
import { test as nodeTest, before, after } from "node:test";
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { LIFE_DIGITS, changesAt, framesDrawn } from "../tools/browsers.mjs";
import { lifeDigits, openGame, sleep } from "../tools/browsers.mjs";

const webDir = process.env.ZARN_WEB_DIR;
const engine = process.env.ZARN_BROWSER || "chromium";
const graphics = new URL("../../graphics/", import.meta.url);
// The game's geometry and font, as its headers define them.
const facts = JSON.parse(readFileSync(process.env.ZARN_FACTS, "utf8"));
const SIZE = facts.SCREEN_WIDTH; // and height
const PLAYER_X = facts.PLAYER_PADDLE_X + facts.PADDLE_WIDTH / 2; // the player's middle, at start
const PLAYER_Y = facts.PLAYER_PADDLE_Y + facts.PADDLE_HEIGHT / 2;
const LOWEST = SIZE - facts.PADDLE_HEIGHT; // the player's top at the bottom edge
let game, desktop, page;
// ZARN_WEB_PART=round runs the round's test alone (CTest runs it beside the others), =rest the
// others; unset, all run.
const ROUND = "a Life step every 30 frames, each at a refresh; the end screen held; a new round";
const part = process.env.ZARN_WEB_PART;
const test = (name, fn) =>
  nodeTest(name, { skip: Boolean(part) && (name === ROUND ? "round" : "rest") !== part }, fn);

// A 24-bit BMP as the game ships them: pixel (x, y) as [r, g, b].
function bmpPixel(name, x, y) {
  const b = readFileSync(new URL(name, graphics));
  const [width, height] = [b.readInt32LE(18), b.readInt32LE(22)];
  const row = Math.floor((width * 24 + 31) / 32) * 4;
  const at = b.readUInt32LE(10) + (height - 1 - y) * row + x * 3;
  return [b[at + 2], b[at + 1], b[at]];
}
// The canvas's pixels in a small rectangle, as RGBA numbers: small, so as not to slow the frames.
const area = (x, y, w, h) =>
  page.evaluate(
    ([x, y, w, h]) =>
      Array.from(document.getElementById("canvas").getContext("2d").getImageData(x, y, w, h).data),
    [x, y, w, h],
  );
const pixelAt = async (x, y) => (await area(x, y, 1, 1)).slice(0, 3);
// How many pixels of the rectangle are pure white, which no picture of the game shows.
const whiteIn = (x, y, w, h) =>
  page.evaluate(
    ([x, y, w, h]) => {
      const d = document.getElementById("canvas").getContext("2d").getImageData(x, y, w, h).data;
      return d.filter((v, i) => i % 4 === 0 && v + d[i + 1] + d[i + 2] === 3 * 255).length;
    },
    [x, y, w, h],
  );
// The player's column, below the HUD.
const playerColumn = async () => (await area(PLAYER_X, 60, 1, SIZE - 60)).join();
// Polls a condition about the page, for at most `ms`; reading single pixels keeps the game's
// frames on time. With `failure`, a condition that never held fails the test so.
async function eventually(ms, condition, failure) {
  const deadline = Date.now() + ms;
  let held;
  while (!(held = await condition()) && Date.now() < deadline) await sleep(50);
  if (failure) assert.ok(held, failure);
  return held;
}
const same = (a, b) => a.every((v, i) => v === b[i]);
// The HUD line's ink at (0, top) in the game's picture: its leftmost and rightmost bright pixels
// and a digest of them, to see it change.
const hudLine = (top) =>
  page.evaluate((top) => {
    const d = document.getElementById("canvas").getContext("2d").getImageData(0, top, 300, 30).data;
    let [left, right, digest] = [300, -1, 0];
    for (let i = 0; i < d.length; i += 4) {
      if (d[i] > 150 && d[i + 1] > 150 && d[i + 2] > 150) {
        const x = (i / 4) % 300;
        left = Math.min(left, x);
        right = Math.max(right, x);
        digest = (digest * 31 + i) % 1000003;
      }
    }
    return { left, right, digest };
  }, top);
// Where the enemy stands: the place whose column x + 10 shows the sprite's rows 40 to 99.
const enemyColumn = [...Array(60).keys()].map((i) => bmpPixel("enemy.bmp", 10, 40 + i).join());
const findEnemy = () =>
  page.evaluate(
    ([column, size, first, last]) => {
      const ctx = document.getElementById("canvas").getContext("2d");
      const d = ctx.getImageData(0, 0, size, size).data;
      const rgb = (x, y) => d.slice((y * size + x) * 4, (y * size + x) * 4 + 3).join();
      const shows = (x, y) => column.every((c, i) => y + i >= size || rgb(x, y + i) === c);
      for (let y = first; y <= last; y++) {
        for (let x = first; x <= last; x++) if (shows(x + 10, y + 40)) return { x, y };
      }
      return null;
    },
    [enemyColumn, SIZE, facts.ENEMY_MIN, facts.ENEMY_MIN + facts.ENEMY_RANGE - 1],
  );

// Where no sprite or text is ever drawn, the background shows.
const background = bmpPixel("background.bmp", 100, 480);
const showsBackground = async () => same(await pixelAt(100, 480), background);
const gameShows = () => eventually(20000, showsBackground, "no game on the canvas");
// A new game: the page loaded again, and the game on the canvas.
const newGame = async () => {
  await page.reload();
  await gameShows();
};
// Waits until the game has drawn `frames` more frames.
const framesPass = async (frames) => {
  const start = await framesDrawn(page);
  await eventually(5000, async () => (await framesDrawn(page)) >= start + frames, "no frames");
};

// A check the engine cannot run says so, never passing in silence.
const cannot = (t, what) => {
  const why = game.cannot[what] && `skipped in ${engine}: ${game.cannot[what]}`;
  if (why) {
    console.log(why);
    t.skip(why);
  }
  return Boolean(why);
};
// Where the page draws game pixel (x, y), in CSS pixels: its middle, or at 1x and more a whole
// CSS pixel inside it.
const onScreen = (x, y, whole = false) =>
  page.evaluate(
    ([x, y, whole, size]) => {
      const r = document.getElementById("canvas").getBoundingClientRect();
      const at = (start, span, v) =>
        whole ? Math.ceil(start + (v * span) / size) : start + ((v + 0.5) * span) / size;
      return { x: at(r.left, r.width, x), y: at(r.top, r.height, y) };
    },
    [x, y, whole, SIZE],
  );

before(async () => {
  game = await openGame(engine, webDir);
  page = desktop = game.page;
});

after(() => game?.close());

const serviceWorkerReady = () =>
  page.evaluate(() =>
    Promise.race([
      navigator.serviceWorker.ready.then(() => true),
      new Promise((resolve) => setTimeout(() => resolve(false), 20000)),
    ]),
  );

// From a host that compresses nothing but, as every host, sends validators and "not modified".
test("a first visit, the worker's store included, transfers at most 150 KiB", async (t) => {
  assert.ok(await serviceWorkerReady(), "no service worker");
  if (cannot(t, "weight")) return;
  const { total, byPath } = game.bytesSent();
  assert.ok(total <= 150 * 1024, `${total} bytes, the most: ${JSON.stringify(byPath.slice(0, 5))}`);
});

// The page as laid out: the window's size, how far the page reaches, and where each part is.
const layout = () =>
  page.evaluate(() => {
    const { scrollWidth, scrollHeight } = document.scrollingElement;
    const shown = { width: innerWidth, height: innerHeight, scrollWidth, scrollHeight };
    for (const id of ["canvas", "help", "up", "down", "fullscreen"]) {
      const part = document.getElementById(id);
      const box = JSON.parse(JSON.stringify(part.getBoundingClientRect()));
      shown[id] = { ...box, display: getComputedStyle(part).display };
    }
    return shown;
  });

test("an 800 x 600 desktop: the game at 1x, the HUD's font, no pure white", async () => {
  await newGame();
  const { width, height, canvas, help, up, down } = await layout();
  const beside = help.right <= canvas.left || help.left >= canvas.right;
  assert.deepEqual(
    [width, height, up.display, down.display, canvas.width, canvas.height, beside],
    [800, 600, "none", "none", SIZE, SIZE, true],
    "the game at 1x, its title beside it, no buttons",
  );
  assert.equal(await whiteIn(0, 0, SIZE, SIZE), 0, "pure white is see-through");
  assert.deepEqual(await pixelAt(PLAYER_X, PLAYER_Y), bmpPixel("player.bmp", 10, 50));
  // The score line is as wide as the page draws it in the game's font, and near the native place.
  const line = await hudLine(0);
  const textWidth = await page.evaluate((font) => {
    const ctx = document.createElement("canvas").getContext("2d");
    ctx.font = font;
    return document.fonts.check(ctx.font) ? ctx.measureText("Player Score: 0").width : -1;
  }, `${facts.HUD_FONT_SIZE}px "${facts.GRAPHICS_DIR}${facts.FONT_FILE}"`);
  assert.ok(
    line.left <= 4 && Math.abs(line.right - line.left - textWidth) <= 8,
    JSON.stringify({ line, textWidth }),
  );
});

// The player's bottom edge: held down (by key or by finger), the player reaches it and stays.
// The sprite's column 10, but where it is see-through, shows from row LOWEST down.
const playerColumnAtTheBottom = [...Array(facts.PADDLE_HEIGHT).keys()].map((y) =>
  bmpPixel("player.bmp", 10, y),
);
const atTheBottom = async () => {
  const column = await area(PLAYER_X, LOWEST, 1, facts.PADDLE_HEIGHT);
  return playerColumnAtTheBottom.every(
    (p, y) => same(p, [255, 255, 255]) || same(column.slice(4 * y, 4 * y + 3), p),
  );
};
async function heldDownStopsAtTheBottom(press, release) {
  await press();
  const reached = await eventually(5000, atTheBottom);
  await framesPass(10);
  await release();
  assert.ok(reached, "the player did not reach the bottom edge");
  assert.ok(await atTheBottom(), "the player went past the bottom edge");
}
// One column left of the enemy's marker column scores nothing; on it, a hit. pointAt(x, y) points
// at game pixel (x, y).
async function scoresOnTheMarkerOnly(pointAt) {
  const enemy = await findEnemy();
  assert.ok(enemy, "no enemy on the canvas");
  const score = await hudLine(0);
  await pointAt(enemy.x + 19, 500);
  await framesPass(10);
  assert.deepEqual(await findEnemy(), enemy, "one column beside the marker scored");
  assert.equal((await hudLine(0)).digest, score.digest);
  await pointAt(enemy.x + 20, 500);
  await eventually(3000, async () => (await hudLine(0)).right > score.right, "no score on it");
}

test("Down held takes the player to the bottom edge and no further", async () => {
  await newGame();
  await heldDownStopsAtTheBottom(
    () => page.keyDown("ArrowDown"),
    () => page.keyUp("ArrowDown"),
  );
});

test("the pointer scores on the marker column, not one column beside it", async () => {
  await newGame();
  await scoresOnTheMarkerOnly(async (x, y) => {
    const at = await onScreen(x, y, true);
    await page.moveMouse(at.x, at.y);
  });
});

// A pad in the Gamepad API's standard mapping, held by the test in the page; a browser lists a
// pad from its first press on, and refuses a page the pads where it may not have them.
// change: {refused, plugged, button: [number, pressed], axes}.
const setPad = (change) =>
  page.evaluate((change) => {
    const buttons = Array.from({ length: 17 }, () => ({ pressed: false, value: 0 }));
    const pad = (window.zarnPad ||= { id: "pad", index: 0, mapping: "standard", buttons });
    const pads = () => {
      if (pad.refused) throw new DOMException("not allowed", "SecurityError");
      return pad.plugged ? [pad] : [];
    };
    Object.defineProperty(Navigator.prototype, "getGamepads", { value: pads, configurable: true });
    pad.refused = Boolean(change.refused);
    pad.plugged ||= Boolean(change.plugged);
    const [number, pressed] = change.button || [];
    if (change.button) pad.buttons[number] = { pressed, value: Number(pressed) };
    pad.axes = change.axes || pad.axes || [0, 0, 0, 0];
  }, change);
// The pad's pointer is marked in pure white.
const markedOnTheBottomRow = async () => (await whiteIn(0, SIZE - 1, SIZE, 1)) > 0;

test("a pad plugged in late: the D-pad moves the player, the right stick scores", async () => {
  await newGame();
  await setPad({ refused: true });
  await framesPass(2);
  await setPad({});
  await heldDownStopsAtTheBottom(
    () => setPad({ plugged: true, button: [13, true] }), // the press that shows the pad plays
    () => setPad({ button: [13, false] }),
  );
  // At full tilt into the bottom-right corner, then left a pixel a frame across the marker.
  await setPad({ axes: [0, 0, 1, 1] });
  await eventually(5000, markedOnTheBottomRow, "no pointer in the corner");
  const score = await hudLine(0);
  await setPad({ axes: [0, 0, -0.3, 0] });
  await eventually(30000, async () => (await hudLine(0)).right > score.right, "no score");
  await setPad({ axes: [0, 0, 0, 0] });
  const at = await onScreen(10, 300); // the mouse takes the pointer back
  await page.moveMouse(at.x, at.y);
  await eventually(3000, async () => !(await markedOnTheBottomRow()), "the mark stays");
});

test("a hidden page's round waits, and goes on when the page shows again", async (t) => {
  if (cannot(t, "hide")) return;
  await newGame();
  const show = await page.hide();
  await eventually(3000, () => page.evaluate(() => document.hidden), "the page is not hidden");
  const life = await lifeDigits(page);
  // Watched for more than two Life steps of a game that played on.
  const changed = await eventually(2500, async () => (await lifeDigits(page)) !== life);
  assert.ok(!changed, "Life went on while the page was hidden");
  await show();
  await eventually(3000, async () => (await lifeDigits(page)) !== life, "the round waits on");
});

// Each frame drawn at a refresh, a refresh of its own: the game's steps never run faster than
// the display, and a Life step is FPS of them. The round's last frame is the end screen, up for one
// frame and its hold, and the new round's first Life step counts it; that the hold is
// END_SCREEN_HOLD ms of play, the pacing's test proves. The watch is bound at ten times a round
// and its end screen, and ends when the new round shows the Life it started at, which a busy
// machine may already have left a step or more behind.
test(ROUND, async () => {
  await newGame();
  await framesPass(1);
  const ms = 10 * (facts.START_LIVES * 1000 + facts.END_SCREEN_HOLD); // a step a second
  const changes = await changesAt(page, LIFE_DIGITS, { ms, until: await lifeDigits(page) });
  // The frames between Life's changes, as the page counted them from the first change.
  const steps = changes.slice(1).map((c, i) => c.frame - changes[i].frame);
  const end = steps.lastIndexOf(1);
  const expected = steps.map((_, i) => (i === end ? 1 : i === end + 1 ? facts.FPS - 1 : facts.FPS));
  assert.ok(end > 0, `frames between Life's changes: ${steps}`);
  assert.deepEqual(steps, expected);
  assert.equal(await page.evaluate(() => window.zarnOffRefresh), 0, "frames outside a refresh");
});

test("Escape ends the game, leaves its last picture and offers Play again", async () => {
  await newGame();
  await page.press("Escape");
  const again = () => page.evaluate(() => !document.getElementById("again").hidden);
  await eventually(3000, again, "no Play again");
  assert.ok(await showsBackground(), "the last picture stays");
});

const buttonCentre = (id) =>
  page.evaluate((id) => {
    const r = document.getElementById(id).getBoundingClientRect();
    return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
  }, id);
// The game on a phone of this size, upright or sideways, in a page of its own.
const onPhone = (t, width, height, check) => async () => {
  if (cannot(t, "phone")) return;
  page = await game.phonePage(width, height);
  try {
    await gameShows();
    await check();
  } finally {
    await page.close();
    page = desktop;
  }
};

for (const [name, width, height] of [
  ["upright", 390, 844],
  ["sideways", 844, 390],
]) {
  test(`a phone ${name}: the game, the buttons and full screen all on the screen, apart`, (t) =>
    onPhone(t, width, height, async () => {
      const shown = await layout();
      const { canvas, up, down, fullscreen } = shown;
      const inside = (r) =>
        r.left >= 0 && r.top >= 0 && r.right <= shown.width && r.bottom <= shown.height;
      const apart = (a, ...others) =>
        others.every(
          (b) => a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top,
        );
      const big = (r) => r.width >= 48 && r.height >= 48;
      // Nothing scrolls, and every game pixel counts on a phone: the game takes most of the
      // short side.
      assert.ok(
        [canvas, up, down, fullscreen].every(inside) &&
          big(up) &&
          big(down) &&
          apart(canvas, up, down, fullscreen) &&
          apart(fullscreen, up, down) &&
          shown.scrollWidth <= shown.width &&
          shown.scrollHeight <= shown.height &&
          canvas.width >= 0.85 * Math.min(width, height),
        JSON.stringify(shown),
      );
    })());

  test(`a phone ${name}: a held button moves the player, a touch scores on the marker`, (t) =>
    onPhone(t, width, height, async () => {
      await heldDownStopsAtTheBottom(
        async () => page.touch("touchStart", await buttonCentre("down")),
        () => page.touch("touchEnd"),
      );
      // Up, then the finger slides off the button: the player stops.
      const up = await buttonCentre("up");
      await page.touch("touchStart", up);
      await framesPass(10);
      await page.touch("touchMove", { x: up.x, y: up.y - 200 });
      await framesPass(2);
      const stopped = await playerColumn();
      await framesPass(10);
      await page.touch("touchEnd");
      assert.equal(await playerColumn(), stopped, "the player moved on after the finger left Up");
      // The page may be asked to scroll; a touch still lands on the game pixel under it.
      await page.evaluate(() => window.scrollTo(0, 200));
      await scoresOnTheMarkerOnly(async (x, y) => {
        await page.touch("touchStart", await onScreen(x, y));
        await page.touch("touchEnd");
      });
    })());
}

test("installable", async (t) => {
  if (cannot(t, "install")) return;
  assert.deepEqual(await page.installabilityErrors(), []);
});

test("after one visit it plays with no network", async () => {
  await newGame();
  assert.ok(await serviceWorkerReady(), "no service worker");
  game.stopServer();
  await newGame();
  const life = await lifeDigits(page);
  await eventually(5000, async () => (await lifeDigits(page)) !== life, "no play offline");
});

test("no error and no Content-Security-Policy violation on the page", async () => {
  await newGame();
  await framesPass(30);
  assert.deepEqual(await game.errors(), []);
});
