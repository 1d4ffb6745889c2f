// `make web-soak`: the browser version played for a long while as a player plays it, the arrows
// held and let go, the pointer moving over the game, rounds ending and starting again; it fails
// if the page stops drawing or its browser's web process crashes.
// node web/tools/soak.mjs BUILD_FOLDER [ENGINE [MINUTES]] (with DISPLAY set, for WebKit)
import { join } from "node:path";
import { lifeDigits, openGame, sleep } from "./browsers.mjs";

const [build, engine = "webkit", minutes = "30"] = process.argv.slice(2);
const game = await openGame(engine, join(build, "web"));
const page = game.page;

let failed = null;
const start = Date.now();
const end = start + Number(minutes) * 60 * 1000;
try {
  let life = await lifeDigits(page);
  let lifeChanged = Date.now();
  for (let move = 0; Date.now() < end; move++) {
    const key = move % 2 ? "ArrowUp" : "ArrowDown";
    await page.keyDown(key);
    for (let step = 0; step < 10; step++) {
      await page.moveMouse(40 + Math.random() * 430, 40 + Math.random() * 430);
      await sleep(50);
    }
    await page.keyUp(key);
    const now = await lifeDigits(page);
    if (now !== life) {
      life = now;
      lifeChanged = Date.now();
    } else if (Date.now() - lifeChanged > 8000) {
      // longer than the end screen's hold
      throw new Error("the game stopped drawing");
    }
    if (move % 100 === 0) {
      console.log(`${((Date.now() - start) / 60000).toFixed(1)} min played`);
    }
  }
} catch (error) {
  failed = error;
}
const errors = failed ? [] : await game.errors();
await game.close().catch(() => {});
const played = ((Date.now() - start) / 60000).toFixed(1);
if (failed || errors.length) {
  console.log(
    `${engine}: FAILED after ${played} min: ${failed?.message ?? JSON.stringify(errors)}`,
  );
  process.exit(1);
}
console.log(`${engine}: played ${played} min, no crash, no error`);
