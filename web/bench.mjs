// `make web-bench`: what the browser version costs. Page weight as a static host serves it
// (gzip), time from page load to the first frame, pace, and the CPU that Debian's chromium uses
// while the game plays, beside the native game's under the same X server.
// node web/bench.mjs BUILD_FOLDER (with DISPLAY set, for the native game)
import { readdirSync, readFileSync } from "node:fs";
import { spawn } from "node:child_process";
import { gzipSync } from "node:zlib";
import { join } from "node:path";
import { openGamePage } from "./chromium.mjs";

const build = process.argv[2];
const web = join(build, "web");
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const ticks = (pid) => { // user + system CPU time of a process and its children, in clock ticks
  let total = 0;
  for (const entry of readdirSync("/proc").filter((name) => /^\d+$/.test(name))) {
    try {
      const fields = readFileSync(`/proc/${entry}/stat`, "utf8").split(") ")[1].split(" ");
      if (Number(entry) === pid || Number(fields[1]) === pid || ticks.tree?.has(Number(fields[1]))) {
        (ticks.tree ??= new Set()).add(Number(entry));
        total += Number(fields[11]) + Number(fields[12]);
      }
    } catch { /* gone */ }
  }
  return total;
};
const cpuPercent = async (pid, seconds) => {
  ticks.tree = new Set([pid]);
  const before = ticks(pid);
  await sleep(seconds * 1000);
  return ((ticks(pid) - before) / 100 / seconds) * 100; // 100 ticks a second on Linux
};

let weight = 0;
for (const file of readdirSync(web)) {
  const size = gzipSync(readFileSync(join(web, file)), { level: 9 }).length;
  weight += size;
  console.log(`${file.padEnd(16)} ${String(size).padStart(8)} bytes gzipped`);
}
console.log(`page weight      ${String(weight).padStart(8)} bytes gzipped`);

const game = await openGamePage(web);
const page = game.page;
// The first frame: the canvas is no longer black, checked on every animation frame.
const firstFrame = () => page.evaluate(() => new Promise((resolve) => {
  const look = () => {
    const pixel = document.getElementById("canvas").getContext("2d").getImageData(100, 480, 1, 1).data;
    if (pixel[0] || pixel[1] || pixel[2]) resolve(performance.now()); else requestAnimationFrame(look);
  };
  look();
}));
console.log(`first frame      ${(await firstFrame()).toFixed(0).padStart(8)} ms after the page began to load`);
// Again on a repeat visit, from what the service worker stored.
await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
await page.reload();
console.log(`again, cached    ${(await firstFrame()).toFixed(0).padStart(8)} ms after the page began to load`);
// The pace: three Life steps of 30 frames each, timed by when Life's digits change.
const lifeDigits = () => page.evaluate(() => Array.from(document.getElementById("canvas")
  .getContext("2d").getImageData(70, 40, 50, 20).data).join());
const changes = [];
for (let shown = await lifeDigits(); changes.length < 4; await sleep(20)) {
  const now = await lifeDigits();
  if (now !== shown) {
    shown = now;
    changes.push(Date.now());
  }
}
const fps = (3 * 30 * 1000) / (changes[3] - changes[0]);
console.log(`pace             ${fps.toFixed(1).padStart(8)} frames a second`);
console.log(`chromium CPU     ${(await cpuPercent(game.browser.process().pid, 10)).toFixed(1).padStart(8)} % of a core, 10 s of play`);
await game.close();

const native = spawn(join(build, "zarn"), [], { cwd: new URL("..", import.meta.url).pathname, stdio: "ignore" });
await sleep(1000);
console.log(`native game CPU  ${(await cpuPercent(native.pid, 10)).toFixed(1).padStart(8)} % of a core, 10 s of play`);
native.kill();
