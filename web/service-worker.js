// Zarn Game offline: every file the page loads, stored whole on the first visit under a name
// made from the files' contents. A new version is a new store; its worker takes over only once
// no page of the old one is open, so a page never runs on a mix of old and new files.
"use strict";
const CACHE = "zarn-@WEB_FILES_HASH@";
const FILES = "@WEB_FILES@".split(" ");

self.addEventListener("install", (event) => {
  // Confirmed by the server, never taken unasked from the browser's HTTP cache, which may hold
  // older files: a file the page has just loaded costs the server a "not modified".
  event.waitUntil(
    caches
      .open(CACHE)
      .then((cache) => cache.addAll(FILES.map((file) => new Request(file, { cache: "no-cache" })))),
  );
});

self.addEventListener("activate", (event) => {
  event.waitUntil(
    caches
      .keys()
      .then((names) =>
        Promise.all(
          names
            .filter((name) => name.startsWith("zarn-") && name !== CACHE)
            .map((name) => caches.delete(name)),
        ),
      ),
  );
});

self.addEventListener("fetch", (event) => {
  event.respondWith(
    caches
      .open(CACHE)
      .then((cache) => cache.match(event.request, { ignoreSearch: true }))
      .then((stored) => stored || fetch(event.request)),
  );
});
