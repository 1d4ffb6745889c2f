// Zarn Game in a browser: a picture as an SDL surface. The page has the browser fetch and decode
// the pictures and keeps them in Module.pictures under the paths the game asks for; this makes
// a surface of one as emscripten's own loader does of a preloaded file, with no file system.
mergeInto(LibraryManager.library, {
  ZarnPicture__deps: ["$SDL", "SDL_LockSurface"],
  ZarnPicture: function (fileName) {
    var name = UTF8ToString(fileName);
    var picture = Module.pictures[name];
    if (!picture) {
      return 0;
    }
    var surf = SDL.makeSurface(picture.width, picture.height, 0, false, "load:" + name);
    var surfData = SDL.surfaces[surf];
    surfData.ctx.globalCompositeOperation = "copy";
    surfData.ctx.drawImage(picture, 0, 0);
    surfData.ctx.globalCompositeOperation = "source-over";
    // Its pixels in the game's memory too, where SDL's conversion reads them.
    _SDL_LockSurface(surf);
    surfData.locked--;
    return surf;
  },
});
