// Debian's chromium, headless, on the browser version served from 127.0.0.1: what the browser
// test and the benchmark share. Closed network: nothing in the background may reach out.
import { mkdtempSync, rmSync } from "node:fs";
import { join } from "node:path";
import { tmpdir } from "node:os";
import puppeteer from "puppeteer-core";
import { serve } from "./serve.mjs";

export async function openGamePage(webDir) {
  const server = await serve(webDir);
  const profile = mkdtempSync(join(tmpdir(), "zarn-chromium-"));
  const browser = await puppeteer.launch({
    executablePath: "/usr/bin/chromium", headless: true, userDataDir: profile,
    args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update",
           "--disable-sync", "--no-first-run", "--disable-quic", "--mute-audio"],
  });
  const page = await browser.newPage();
  await page.setViewport({ width: 800, height: 700 }); // room for the game at 1x
  const errors = [];
  page.on("pageerror", (error) => errors.push(error.message));
  page.on("console", (message) => message.type() === "error" && errors.push(message.text()));
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  const close = async () => {
    await browser.close();
    server.close();
    rmSync(profile, { recursive: true, force: true });
  };
  return { browser, page, errors, close };
}
