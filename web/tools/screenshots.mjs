// `make web-screenshots`: the browser version on a phone, upright and sideways, for the README.
// node web/tools/screenshots.mjs WEB_FOLDER OUTPUT_FOLDER
import { join } from "node:path";
import { openGame } from "./browsers.mjs";

const [webDir, out] = process.argv.slice(2);
const game = await openGame("chromium", webDir);
for (const [name, width, height] of [
  ["upright", 390, 844],
  ["sideways", 844, 390],
]) {
  const page = await game.phonePage(width, height);
  await new Promise((resolve) => setTimeout(resolve, 3000)); // a few frames into the round
  await page.screenshot(join(out, `phone-${name}.png`));
  await page.close();
}
await game.close();
