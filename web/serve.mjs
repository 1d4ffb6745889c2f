// Serves a folder on 127.0.0.1: `node web/serve.mjs build/web 8000` for `make web-run`, and the
// browser test's server. A page that loads WebAssembly and data files cannot come from file://.
import { createServer } from "node:http";
import { readFile } from "node:fs/promises";
import { join, extname, normalize } from "node:path";
import { pathToFileURL } from "node:url";

const types = { ".html": "text/html", ".js": "text/javascript", ".css": "text/css",
                ".wasm": "application/wasm", ".ttf": "font/ttf", ".png": "image/png",
                ".webmanifest": "application/manifest+json", ".data": "application/octet-stream" };

export function serve(folder, port = 0) {
  const server = createServer(async (request, response) => {
    const path = normalize(new URL(request.url, "http://localhost").pathname).replace(/\/$/, "/index.html");
    try {
      const body = await readFile(join(folder, path));
      response.writeHead(200, { "Content-Type": types[extname(path)] || "application/octet-stream" });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((resolve) => server.listen(port, "127.0.0.1", () => resolve(server)));
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const server = await serve(process.argv[2], Number(process.argv[3] || 8000));
  console.log(`Zarn Game: http://127.0.0.1:${server.address().port}/ (Ctrl-C stops it)`);
}
