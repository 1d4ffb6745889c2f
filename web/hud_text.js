// Zarn Game in a browser: each HUD line drawn once while it stays the same. Emscripten's SDL
// draws a line of text on a canvas of its own at every call, so twice a frame, and that cost
// Firefox a fifth of the page's CPU; the lines change a few times a second at most. A line asked
// for again gets the surface already drawn, with one reference more, which the game's free of it
// takes back. The four newest lines are kept: the two of a frame, and the two of an end screen.
var renderText = LibraryManager.library.TTF_RenderText_Solid;
var renderTextDeps = LibraryManager.library.TTF_RenderText_Solid__deps || [];
mergeInto(LibraryManager.library, {
  $zarnRenderText: renderText,
  $zarnRenderText__deps: renderTextDeps,
  $zarnLines: [],
  TTF_RenderText_Solid__deps: renderTextDeps.concat(['$SDL', '$zarnRenderText', '$zarnLines']),
  TTF_RenderText_Solid: function(font, text, color) {
    var key = font + ' ' + {{{ makeGetValue('color', 0, 'i32') }}} + ' ' + UTF8ToString(text);
    var line = zarnLines.find(function(kept) { return kept.key === key; });
    if (!line) {
      line = { key: key, surf: zarnRenderText(font, text, color) };
      if (!line.surf) {
        return 0;
      }
      zarnLines.unshift(line);
      if (zarnLines.length > 4) {
        SDL.freeSurface(zarnLines.pop().surf);
      }
    }
    var refcount = line.surf + {{{ C_STRUCTS.SDL_Surface.refcount }}};
    {{{ makeSetValue('refcount', 0, makeGetValue('refcount', 0, 'i32') + ' + 1', 'i32') }}};
    return line.surf;
  },
});
