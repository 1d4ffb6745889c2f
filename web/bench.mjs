// `make web-bench`: what the browser version costs. Page weight as a static host serves it
// (gzip); then in each engine the time from page load to the first frame, fresh and from the
// service worker's store, the pace, and the CPU the browser uses while the game plays, beside
// what it uses for a page that redraws one pixel 30 times a second; last the native game's CPU
// under the same X server.
// node web/bench.mjs BUILD_FOLDER (with DISPLAY set, for WebKit and the native game)
import { mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { spawn } from "node:child_process";
import { gzipSync } from "node:zlib";
import { join } from "node:path";
import { ENGINES, openGame } from "./browsers.mjs";

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

// A page that only redraws one pixel 30 times a second: the browser's own floor for an
// animated canvas, served as the game is.
const floor = mkdtempSync(join(tmpdir(), "zarn-floor-"));
writeFileSync(join(floor, "index.html"), `<!doctype html><canvas id="canvas" width="512" height="512"></canvas>
<script>const pixel = document.getElementById("canvas").getContext("2d");
let frame = 0;
setInterval(() => { pixel.fillStyle = frame++ % 2 ? "#000" : "#fff"; pixel.fillRect(0, 0, 1, 1); }, 1000 / 30);</script>`);

// The first frame: the canvas is no longer black, checked on every animation frame.
const firstFrame = (page) => page.evaluate(() => new Promise((resolve) => {
  const look = () => {
    const pixel = document.getElementById("canvas").getContext("2d").getImageData(100, 480, 1, 1).data;
    if (pixel[0] || pixel[1] || pixel[2]) resolve(performance.now()); else requestAnimationFrame(look);
  };
  look();
}));
// The pace: three Life steps of 30 frames each, timed by when Life's digits change.
async function pace(page) {
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
  return (3 * 30 * 1000) / (changes[3] - changes[0]);
}
const row = (what, value, unit) => console.log(`${what.padEnd(28)} ${value.padStart(8)} ${unit}`);

for (const engine of ENGINES) {
  const game = await openGame(engine, web);
  const page = game.page;
  row(`${engine} first frame`, (await firstFrame(page)).toFixed(0), "ms after the page began to load");
  // Again on a repeat visit, from what the service worker stored.
  await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
  await page.reload();
  row(`${engine} again, cached`, (await firstFrame(page)).toFixed(0), "ms after the page began to load");
  row(`${engine} pace`, (await pace(page)).toFixed(1), "frames a second");
  row(`${engine} CPU`, (await cpuPercent(game.pid, 10)).toFixed(1), "% of a core, 10 s of play");
  await game.close();
  const idle = await openGame(engine, floor);
  await sleep(1000);
  row(`${engine} CPU, one pixel`, (await cpuPercent(idle.pid, 10)).toFixed(1), "% of a core, 10 s of a one-pixel page");
  await idle.close();
}
rmSync(floor, { recursive: true, force: true });

const native = spawn(join(build, "zarn"), [], { cwd: new URL("..", import.meta.url).pathname, stdio: "ignore" });
await sleep(1000);
row("native game CPU", (await cpuPercent(native.pid, 10)).toFixed(1), "% of a core, 10 s of play");
native.kill();
