// Zarn Game in a browser: the colour key. Emscripten's SDL ignores it; here the keyed colour's
// pixels lose their alpha once, at load, so every blit leaves them out.
mergeInto(LibraryManager.library, {
  SDL_SetColorKey__deps: ["$SDL"],
  SDL_SetColorKey: function (surf, flag, key) {
    var surfData = SDL.surfaces[surf];
    if (!surfData || !flag || !surfData.ctx) {
      return 0;
    }
    var r = key & 0xff,
      g = (key >> 8) & 0xff,
      b = (key >> 16) & 0xff;
    var image = surfData.ctx.getImageData(0, 0, surfData.width, surfData.height);
    var pixels = image.data;
    for (var i = 0; i < pixels.length; i += 4) {
      if (pixels[i] === r && pixels[i + 1] === g && pixels[i + 2] === b) {
        pixels[i + 3] = 0;
      }
    }
    surfData.ctx.putImageData(image, 0, 0);
    return 0;
  },
});
