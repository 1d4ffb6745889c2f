// The page's, the game's libraries' and the tests' JavaScript, checked as the C++ is: ESLint's
// recommended rules. Prettier lays it out (.prettierrc.json); tests/lint.sh runs both.
import js from "@eslint/js";
import globals from "globals";

export default [
  // hud_text.js is emscripten's preprocessor's input ({{{ ... }}}), JavaScript only once expanded.
  { ignores: ["node_modules/", "hud_text.js"] },
  js.configs.recommended,
  // Prettier breaks the code at 100 columns; this holds strings and comments to it too.
  { rules: { "max-len": ["error", { code: 100 }] } },
  // The scripts that drive the browsers, whose callbacks run in the page.
  {
    files: ["**/*.mjs"],
    languageOptions: { globals: { ...globals.node, ...globals.browser } },
  },
  {
    files: ["page.js", "service-worker.js"],
    languageOptions: {
      sourceType: "script",
      globals: { ...globals.browser, ...globals.serviceworker },
    },
  },
  // Libraries that emscripten links into the game: its names are theirs.
  {
    files: ["colour_key.js", "pictures.js"],
    languageOptions: {
      sourceType: "script",
      globals: {
        ...globals.browser,
        mergeInto: "readonly",
        LibraryManager: "readonly",
        SDL: "readonly",
        Module: "readonly",
        UTF8ToString: "readonly",
        _SDL_LockSurface: "readonly",
      },
    },
  },
];
