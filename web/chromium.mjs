// Debian's chromium, headless, on the browser version served from 127.0.0.1: what the browser
// test and the benchmark share. Closed network: nothing in the background may reach out.
import { mkdtempSync, rmSync } from "node:fs";
import { join } from "node:path";
import { tmpdir } from "node:os";
import puppeteer from "puppeteer-core";
import { serve } from "./serve.mjs";

// A phone as Chromium's device emulation makes one: touch, device scale 3.
export const phone = (width, height) => ({
  width, height, deviceScaleFactor: 3, isMobile: true, hasTouch: true, isLandscape: width > height,
});

export async function openGamePage(webDir) {
  const server = await serve(webDir);
  const url = `http://127.0.0.1:${server.address().port}/`;
  const profile = mkdtempSync(join(tmpdir(), "zarn-chromium-"));
  const browser = await puppeteer.launch({
    executablePath: "/usr/bin/chromium", headless: true, userDataDir: profile,
    args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update",
           "--disable-sync", "--no-first-run", "--disable-quic", "--mute-audio"],
  });
  const errors = [];
  // A page on the game, with its errors and Content-Security-Policy violations gathered.
  const newPage = async (viewport = { width: 800, height: 700 }) => { // room for the game at 1x
    const page = await browser.newPage();
    await page.setViewport(viewport);
    page.on("pageerror", (error) => errors.push(error.message));
    page.on("console", (message) => message.type() === "error" && errors.push(message.text()));
    await page.evaluateOnNewDocument(() => document.addEventListener("securitypolicyviolation",
      (event) => console.error(`CSP violation: ${event.violatedDirective} ${event.blockedURI}`)));
    await page.goto(url);
    return page;
  };
  const page = await newPage();
  let serving = true;
  const stopServer = () => {
    if (serving) {
      serving = false;
      server.closeAllConnections();
      server.close();
    }
  };
  const close = async () => {
    await browser.close();
    stopServer();
    rmSync(profile, { recursive: true, force: true });
  };
  return { browser, page, errors, newPage, stopServer, close };
}
