// `make web-bench`: what the browser version costs. What a first visit transfers, the service
// worker's store included, counted at the server as body bytes, from a host that compresses
// nothing and from one that gzips text types (both answer "not modified" as real hosts do); then
// in each engine the time from page load to the first frame, fresh and (median of five) from the
// service worker's store, the pace, the end screen's hold and how evenly frames follow the
// display's refreshes, and the CPU the browser uses while the game plays, beside what it uses for
// a page that redraws one pixel 30 times a second, for one that uploads a whole 512 x 512 frame 30
// times a second (what any software-drawn game pays at the least) and for that upload on the
// display's clock, each the median of three 10-s runs; Firefox's pace on displays of seven other
// refresh rates; last the native game's CPU under the same X server.
// node web/tools/bench.mjs BUILD_FOLDER (with DISPLAY set, for WebKit and the native game)
import { mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { spawn } from "node:child_process";
import { join } from "node:path";
import { ENGINES, LIFE_DIGITS, changesAt, framesOnScreen, lifeChanges } from "./browsers.mjs";
import { lifeDigits, openGame, sleep } from "./browsers.mjs";

const build = process.argv[2];
const web = join(build, "web");
// A Life step is FPS frames (src/game/game.h).
const { FPS } = JSON.parse(readFileSync(join(build, "facts.json"), "utf8"));
const ticks = (pid) => {
  // user + system CPU time of a process and its children, in clock ticks
  let total = 0;
  for (const entry of readdirSync("/proc").filter((name) => /^\d+$/.test(name))) {
    try {
      const fields = readFileSync(`/proc/${entry}/stat`, "utf8").split(") ")[1].split(" ");
      if (
        Number(entry) === pid ||
        Number(fields[1]) === pid ||
        ticks.tree?.has(Number(fields[1]))
      ) {
        (ticks.tree ??= new Set()).add(Number(entry));
        total += Number(fields[11]) + Number(fields[12]);
      }
    } catch {
      /* gone */
    }
  }
  return total;
};
const cpuPercent = async (pid, seconds) => {
  ticks.tree = new Set([pid]);
  const before = ticks(pid);
  await sleep(seconds * 1000);
  return ((ticks(pid) - before) / 100 / seconds) * 100; // 100 ticks a second on Linux
};

const kib = (bytes) => (bytes / 1024).toFixed(1);
for (const engine of ENGINES) {
  for (const gzipText of [false, true]) {
    const game = await openGame(engine, web, { gzipText });
    await game.page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
    await sleep(1000);
    const { total, byPath } = game.bytesSent();
    const most = byPath.slice(0, 4).map(([path, bytes]) => `${path} ${kib(bytes)}`);
    const host = gzipText ? "host gzips text" : "plain host";
    console.log(`${engine} first visit, ${host}: ${kib(total)} KiB (${most.join(", ")}, ...)`);
    await game.close();
  }
}

// Floors for an animated canvas, served as the game is: a page that redraws one pixel 30 times a
// second, one that uploads a whole 512 x 512 frame as often, and the same upload at every other
// refresh of a 60 Hz display, on the display's clock as the game is (what that clock costs the
// engine by itself, with no game in it).
const floors = {};
for (const [name, loop] of [
  ["one pixel", "setInterval(dot, 1000 / 30);"],
  ["full frame", "setInterval(upload, 1000 / 30);"],
  [
    "full frame, rAF",
    `let due = 0;
requestAnimationFrame(function refresh(now) {
  if (now >= due) { upload(); due = now + 25; }
  requestAnimationFrame(refresh);
});`,
  ],
]) {
  floors[name] = mkdtempSync(join(tmpdir(), "zarn-floor-"));
  writeFileSync(
    join(floors[name], "index.html"),
    `<!doctype html><canvas id="canvas" width="512" height="512"></canvas>
<script>const pixel = document.getElementById("canvas").getContext("2d");
const whole = pixel.createImageData(512, 512);
let frame = 0;
const dot = () => { pixel.fillStyle = frame++ % 2 ? "#000" : "#fff"; pixel.fillRect(0, 0, 1, 1); };
const upload = () => { whole.data.fill(frame++ % 2 ? 0 : 255); pixel.putImageData(whole, 0, 0); };
${loop}</script>`,
  );
}

// The first frame: the canvas is no longer black, checked on every animation frame.
const firstFrame = (page) =>
  page.evaluate(
    () =>
      new Promise((resolve) => {
        const look = () => {
          const pixel = document
            .getElementById("canvas")
            .getContext("2d")
            .getImageData(100, 480, 1, 1).data;
          if (pixel[0] || pixel[1] || pixel[2]) resolve(performance.now());
          else requestAnimationFrame(look);
        };
        look();
      }),
  );
// The pace: three Life steps of 30 frames each, timed by when Life's digits change.
// Frames a second, from the time that three Life steps take.
async function pace(page) {
  const changes = await lifeChanges(page, 4, 20000);
  return (3 * FPS * 1000) / (changes[3].at - changes[0].at);
}
// The end screen's hold, in ms: the longest wait between Life's changes in a whole round.
async function hold(page) {
  const changes = await changesAt(page, LIFE_DIGITS, { ms: 100000, until: await lifeDigits(page) });
  return Math.max(...changes.slice(1).map((change, i) => change.at - changes[i].at));
}
const row = (what, value, unit) => console.log(`${what.padEnd(30)} ${value.padStart(8)} ${unit}`);

for (const engine of ENGINES) {
  const game = await openGame(engine, web);
  const page = game.page;
  row(
    `${engine} first frame`,
    (await firstFrame(page)).toFixed(0),
    "ms after the page began to load",
  );
  // Again on repeat visits, from what the service worker stored: the median of five.
  await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
  const again = [];
  for (let visit = 0; visit < 5; visit++) {
    await page.reload();
    again.push(await firstFrame(page));
  }
  again.sort((a, b) => a - b);
  row(
    `${engine} again, cached`,
    again[2].toFixed(0),
    "ms after the page began to load, median of 5",
  );
  const perSecond = await pace(page);
  row(
    `${engine} pace`,
    perSecond.toFixed(1),
    `frames a second: a Life step in ${FPS / perSecond} s`,
  );
  row(`${engine} end screen`, ((await hold(page)) / 1000).toFixed(2), "s held");
  // How evenly: how long each frame stays on the screen, over 30 s of refreshes.
  const { period, stays } = await framesOnScreen(page, 1800);
  const frames = Object.values(stays).reduce((sum, n) => sum + n, 0);
  row(
    `${engine} two refreshes`,
    ((100 * (stays[2] || 0)) / frames).toFixed(1),
    `% of ${frames} frames, refresh ${period.toFixed(2)} ms; ` +
      `frames by refreshes: ${JSON.stringify(stays)}`,
  );
  await game.close();
  // The CPU: the game and the floors in turn, three times, each the median of its three.
  const runs = { game: [], ...Object.fromEntries(Object.keys(floors).map((name) => [name, []])) };
  for (let run = 0; run < 3; run++) {
    for (const [name, folder] of [["game", web], ...Object.entries(floors)]) {
      const opened = await openGame(engine, folder);
      await sleep(name === "game" ? 3000 : 1000);
      runs[name].push(await cpuPercent(opened.pid, 10));
      await opened.close();
    }
  }
  const median = (values) => [...values].sort((a, b) => a - b)[1];
  const played = median(runs.game);
  row(
    `${engine} CPU`,
    played.toFixed(1),
    `% of a core, 10 s of play, median of ${runs.game.map((v) => v.toFixed(1))}`,
  );
  for (const name of Object.keys(floors)) {
    const used = median(runs[name]);
    row(
      `${engine} CPU, ${name}`,
      used.toFixed(1),
      `% of a core, median of three; the game ${(played / used).toFixed(2)} times it`,
    );
  }
}
for (const folder of Object.values(floors)) rmSync(folder, { recursive: true, force: true });

// Firefox on displays of other refresh rates (its layout.frame_rate): the pace, and how long
// frames stay, in refreshes.
for (const refreshRate of [48, 50, 75, 90, 100, 120, 144]) {
  const game = await openGame("firefox", web, { refreshRate });
  const pacePerSecond = (await pace(game.page)).toFixed(1);
  const { stays } = await framesOnScreen(game.page, 10 * refreshRate);
  row(`firefox at ${refreshRate} Hz`, pacePerSecond, `frames a second; ${JSON.stringify(stays)}`);
  await game.close();
}

const native = spawn(join(build, "zarn"), [], {
  cwd: new URL("../..", import.meta.url).pathname,
  stdio: "ignore",
});
await sleep(1000);
row("native game CPU", (await cpuPercent(native.pid, 10)).toFixed(1), "% of a core, 10 s of play");
native.kill();
