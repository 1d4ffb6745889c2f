import { openGame, framesOnScreen } from "./browsers.mjs";
const engine = process.argv[2];
const game = await openGame(engine, process.argv[3] || "/tmp/wb/out");
await new Promise(r => setTimeout(r, 3000));
console.log(engine, JSON.stringify(await framesOnScreen(game.page, Number(process.argv[4] || 600))));
await game.close();
