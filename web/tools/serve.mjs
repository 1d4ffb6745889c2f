// Serves a folder on 127.0.0.1: `node web/tools/serve.mjs build/web 8000` for `make web-run`, and
// the server of the browser test and the benchmark. A page that loads WebAssembly and data files
// cannot come from file://. It answers as a plain static host does: validators (ETag,
// Last-Modified), "not modified" for a file the browser already has, and, only when asked to
// (gzipText), gzip for text types, as many hosts do. It counts the body bytes it sends.
import { createServer } from "node:http";
import { createHash } from "node:crypto";
import { readFile, stat } from "node:fs/promises";
import { join, extname, normalize } from "node:path";
import { pathToFileURL } from "node:url";
import { gzipSync } from "node:zlib";

const types = {
  ".html": "text/html",
  ".js": "text/javascript",
  ".css": "text/css",
  ".wasm": "application/wasm",
  ".ttf": "font/ttf",
  ".png": "image/png",
  ".webmanifest": "application/manifest+json",
  ".gz": "application/gzip",
};
const textTypes = new Set([".html", ".js", ".css", ".wasm", ".webmanifest"]);

// server.sent: body bytes sent per path, since the server started or was last reset.
export function serve(folder, port = 0, { gzipText = false } = {}) {
  const sent = new Map();
  const server = createServer(async (request, response) => {
    const path = normalize(new URL(request.url, "http://localhost").pathname).replace(
      /\/$/,
      "/index.html",
    );
    let body, modified;
    try {
      const file = join(folder, path);
      [body, modified] = await Promise.all([
        readFile(file),
        stat(file).then((s) => s.mtime.toUTCString()),
      ]);
    } catch {
      response.writeHead(404).end();
      return;
    }
    const etag = `"${createHash("sha256").update(body).digest("base64url").slice(0, 22)}"`;
    const headers = {
      "Content-Type": types[extname(path)] || "application/octet-stream",
      ETag: etag,
      "Last-Modified": modified,
    };
    const unchanged = request.headers["if-none-match"]
      ? request.headers["if-none-match"] === etag
      : request.headers["if-modified-since"] === modified;
    if (unchanged) {
      response.writeHead(304, headers).end();
      return;
    }
    if (
      gzipText &&
      textTypes.has(extname(path)) &&
      /\bgzip\b/.test(request.headers["accept-encoding"] || "")
    ) {
      body = gzipSync(body, { level: 9 });
      Object.assign(headers, { "Content-Encoding": "gzip", Vary: "Accept-Encoding" });
    }
    response.writeHead(200, headers);
    if (request.method === "HEAD") {
      response.end();
      return;
    }
    sent.set(path, (sent.get(path) || 0) + body.length);
    response.end(body);
  });
  server.sent = sent;
  return new Promise((resolve) => server.listen(port, "127.0.0.1", () => resolve(server)));
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const server = await serve(process.argv[2], Number(process.argv[3] || 8000));
  console.log(`Zarn Game: http://127.0.0.1:${server.address().port}/ (Ctrl-C stops it)`);
}
