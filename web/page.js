// Zarn Game's page: fits the game to the screen, gives touch screens Up and Down buttons and a
// full-screen button, hands emscripten's SDL its canvas, and makes the game an app that plays
// offline.
"use strict";

var canvas = document.getElementById("canvas");
var stage = document.getElementById("stage");
var loading = document.getElementById("loading");
var again = document.getElementById("again");
var fullscreen = document.getElementById("fullscreen");
var GAME_SIZE = +"@ZARN_SCREEN_WIDTH@";
// The HUD's font, asked for before the game needs it.
var fontReady = document.fonts.load('@ZARN_HUD_FONT_SIZE@px "@ZARN_FONT_FAMILY@"');

var root = document.documentElement;
var SIDE_COLUMN = 176; // the narrowest column that the title and help line read well in

// A mouse reports whole CSS pixels, so below 1x some game columns could never be pointed at.
// Where the window holds the game at 1x only without the title and help line above and below
// it, they move beside the game, or give way where there is no room beside it either.
function arrangePage() {
  root.classList.remove("beside", "bare");
  if (
    root.classList.contains("touch") ||
    Math.min(stage.clientWidth, stage.clientHeight) >= GAME_SIZE
  )
    return;
  var body = getComputedStyle(document.body);
  var width =
    document.body.clientWidth - parseFloat(body.paddingLeft) - parseFloat(body.paddingRight);
  var height =
    document.body.clientHeight - parseFloat(body.paddingTop) - parseFloat(body.paddingBottom);
  if (width < GAME_SIZE || height < GAME_SIZE) return; // a fraction it is
  root.classList.add(width >= GAME_SIZE + SIDE_COLUMN ? "beside" : "bare");
}

// The largest size that fits the canvas's cell: a whole-number scale where 1x fits, so that
// every pointer column can be reported and every marker column hit; below that the largest
// fraction, rounded down to whole device pixels.
function fitGame() {
  arrangePage();
  var room = Math.min(stage.clientWidth, stage.clientHeight);
  var scale = room / GAME_SIZE;
  scale = scale >= 1 ? Math.floor(scale) : scale;
  var ratio = window.devicePixelRatio || 1;
  var size = Math.max(1, Math.floor(GAME_SIZE * scale * ratio)) / ratio;
  // A property of the cell, not the canvas's own size: emscripten's SDL resets that.
  stage.style.setProperty("--game-size", size + "px");
}
window.addEventListener("resize", fitGame);
window.addEventListener("orientationchange", fitGame);
if (window.visualViewport) window.visualViewport.addEventListener("resize", fitGame);

// The page never scrolls, whatever asks it to.
window.addEventListener("scroll", function () {
  window.scrollTo(0, 0);
});

// Touch screens get the buttons: from the start where the pointer is coarse, else from the
// first touch.
function showTouchControls() {
  if (document.documentElement.classList.contains("touch")) return;
  document.documentElement.classList.add("touch");
  fitGame();
}
if (window.matchMedia("(any-pointer: coarse)").matches) showTouchControls();
window.addEventListener(
  "pointerdown",
  function (event) {
    if (event.pointerType === "touch") showTouchControls();
  },
  true,
);

// A button held is its arrow key held: SDL reads the key's code from the events it listens to.
function sendKey(type, keyCode) {
  var event = new Event(type, { bubbles: true, cancelable: true });
  Object.defineProperty(event, "keyCode", { value: keyCode });
  document.dispatchEvent(event);
}
function holdButtonAsKey(button, keyCode) {
  var fingers = new Set();
  function press(event) {
    event.preventDefault();
    // Without capture, sliding off the button ends the hold.
    if (button.hasPointerCapture(event.pointerId)) button.releasePointerCapture(event.pointerId);
    if (fingers.size === 0) sendKey("keydown", keyCode);
    fingers.add(event.pointerId);
    button.classList.add("held");
  }
  function release(event) {
    if (!fingers.delete(event.pointerId) || fingers.size > 0) return;
    sendKey("keyup", keyCode);
    button.classList.remove("held");
  }
  button.addEventListener("pointerdown", press);
  ["pointerup", "pointercancel", "pointerleave", "lostpointercapture"].forEach(function (type) {
    button.addEventListener(type, release);
  });
}
holdButtonAsKey(document.getElementById("up"), 38);
holdButtonAsKey(document.getElementById("down"), 40);

// A page may be refused the pads (a game portal's frame that does not allow them, a page not
// served over HTTPS): asking then throws, which would stop the game. It plays without them.
Object.defineProperty(navigator, "getGamepads", {
  configurable: true,
  value: function () {
    try {
      return Navigator.prototype.getGamepads.call(navigator) || [];
    } catch (refused) {
      return [];
    }
  },
});

// No callout menu on a long touch; page.css keeps touches from scrolling, zooming or selecting.
document.addEventListener("contextmenu", function (event) {
  event.preventDefault();
});

// Full screen, where the browser has it.
var enterFullscreen = root.requestFullscreen || root.webkitRequestFullscreen;
if (enterFullscreen && (document.fullscreenEnabled || document.webkitFullscreenEnabled)) {
  fullscreen.classList.add("available");
  fullscreen.addEventListener("click", function () {
    if (document.fullscreenElement || document.webkitFullscreenElement) {
      (document.exitFullscreen || document.webkitExitFullscreen).call(document);
    } else {
      enterFullscreen.call(root);
    }
  });
}

// The arrow keys are the game's, never the page's scrolling.
window.addEventListener("keydown", function (event) {
  if (["ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", " "].indexOf(event.key) >= 0) {
    event.preventDefault();
  }
});
canvas.addEventListener("mousedown", function () {
  canvas.focus();
});
again.addEventListener("click", function () {
  location.reload();
});

// After one visit the game plays with no network. The worker is asked for once the game is
// up, so that it finds the files the page loaded in the browser's HTTP cache and has the
// server confirm them rather than send them again.
function playOffline() {
  if (!("serviceWorker" in navigator)) return;
  navigator.serviceWorker.register("service-worker.js").catch(function (error) {
    console.warn("Zarn Game will not play offline:", error);
  });
}

// The pictures the game loads, decoded by the browser and handed to emscripten's SDL under the
// paths the game asks for them by.
var PICTURES = canvas.dataset.pictures.split(" ");
var pictures = Promise.all(
  PICTURES.map(function (name) {
    return fetchFile(name.replace(/\.bmp$/, ".webp"))
      .then(function (response) {
        return response.blob();
      })
      .then(function (blob) {
        return createImageBitmap(blob, { colorSpaceConversion: "none", premultiplyAlpha: "none" });
      });
  }),
);

var Module = {
  canvas: canvas,
  setStatus: function (text) {
    var progress = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(text);
    if (progress) {
      loading.value = Number(progress[1]);
      loading.max = Number(progress[2]);
    }
    loading.hidden = !text;
  },
  // The pictures and the font must be there before the game starts and draws the HUD.
  preRun: [
    function () {
      Module.addRunDependency("media");
      Promise.all([pictures, fontReady])
        .then(function (loaded) {
          Module.pictures = {};
          loaded[0].forEach(function (picture, i) {
            Module.pictures["graphics/" + PICTURES[i]] = picture;
          });
          Module.removeRunDependency("media");
        })
        .catch(failToStart);
    },
  ],
  onRuntimeInitialized: function () {
    loading.hidden = true;
    canvas.focus();
    fitGame();
    playOffline();
  },
  // Escape ends the game: its last picture stays.
  onExit: function () {
    again.hidden = false;
    again.focus();
  },
};
// The game covers its whole canvas every frame. An opaque canvas is black until the first one,
// and spares WebKit compositing a background beneath it (that and a fixed body cost it more than
// everything the game draws). A canvas kept in main memory (willReadFrequently) draws the frame's
// few pictures on the processor and hands the compositor one finished picture, as a page that
// uploads its frames does: without a GPU, WebKit's GPU canvas drew them in software at 1.4 times
// the CPU, and Chromium and Firefox draw them no dearer in memory.
canvas.getContext("2d", { alpha: false, willReadFrequently: true });
fitGame();

// The game's code comes gzipped, as many hosts compress no file of an unknown type and a plain
// one compresses nothing: the page expands it. A host that sent it with its own
// Content-Encoding has had the browser expand it already.
function expand(response) {
  return response.arrayBuffer().then(function (bytes) {
    var head = new Uint8Array(bytes, 0, 2);
    if (head[0] !== 0x1f || head[1] !== 0x8b) return bytes;
    var expanded = new Blob([bytes]).stream().pipeThrough(new DecompressionStream("gzip"));
    return new Response(expanded).arrayBuffer();
  });
}
function failToStart(error) {
  console.error("Zarn Game cannot start: " + error);
  loading.hidden = true;
  again.hidden = false;
}
function fetchFile(name) {
  return fetch(name).then(function (response) {
    if (!response.ok) throw new Error(name + ": " + response.status);
    return response;
  });
}

// The game's WebAssembly is fetched and expanded while its JavaScript starts.
var gameCode = fetchFile("zarn.wasm.gz").then(expand);
Module.instantiateWasm = function (imports, receiveInstance) {
  gameCode
    .then(function (bytes) {
      return WebAssembly.instantiate(bytes, imports);
    })
    .then(function (result) {
      receiveInstance(result.instance, result.module);
    })
    .catch(failToStart);
  return {};
};
fetchFile("zarn.js.gz")
  .then(expand)
  .then(function (bytes) {
    var script = document.createElement("script");
    script.src = URL.createObjectURL(new Blob([bytes], { type: "text/javascript" }));
    document.body.appendChild(script);
  })
  .catch(failToStart);
