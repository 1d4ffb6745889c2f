import puppeteer from "puppeteer-core";
import { serve } from "./serve.mjs";
const engine = process.argv[2];
const server = await serve("/tmp/wb/out", 0, {});
const url = `http://127.0.0.1:${server.address().port}/`;
const browser = await puppeteer.launch(engine === "firefox"
    ? { browser: "firefox", executablePath: "/usr/bin/firefox-esr", headless: true }
    : { executablePath: "/usr/bin/chromium", headless: true, args: ["--no-sandbox", "--disable-gpu"] });
const page = await browser.newPage();
await page.goto(url);
await new Promise(r => setTimeout(r, 3000));
await page.evaluate(() => { window.ticks = 0; const f = () => { window.ticks++; requestAnimationFrame(f); }; requestAnimationFrame(f); });
const other = await browser.newPage();
await other.bringToFront();
await new Promise(r => setTimeout(r, 2000));
console.log(engine, "hidden?", await page.evaluate(() => [document.visibilityState, window.ticks]));
await page.bringToFront();
await new Promise(r => setTimeout(r, 1000));
console.log(engine, "back", await page.evaluate(() => [document.visibilityState, window.ticks]));
await browser.close(); server.close();
