// Zarn Game's page: fits the game to the screen, gives touch screens Up and Down buttons and a
// full-screen button, hands emscripten's SDL its canvas, and makes the game an app that plays
// offline.
"use strict";

var canvas = document.getElementById("canvas");
var stage = document.getElementById("stage");
var loading = document.getElementById("loading");
var again = document.getElementById("again");
var fullscreen = document.getElementById("fullscreen");
var GAME_SIZE = 512;
// The HUD's font, asked for before the game needs it.
var fontReady = document.fonts.load('30px "graphics/alfphabet.ttf"');

// The largest size that fits the canvas's cell: a whole-number scale where 1x fits, so that
// every pointer column can be reported and every marker column hit; below that the largest
// fraction, rounded down to whole device pixels.
function fitGame() {
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
window.addEventListener("scroll", function () { window.scrollTo(0, 0); });

// Touch screens get the buttons: from the start where the pointer is coarse, else from the
// first touch.
function showTouchControls() {
  if (document.documentElement.classList.contains("touch")) return;
  document.documentElement.classList.add("touch");
  fitGame();
}
if (window.matchMedia("(any-pointer: coarse)").matches) showTouchControls();
window.addEventListener("pointerdown", function (event) {
  if (event.pointerType === "touch") showTouchControls();
}, true);

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

// No callout menu on a long touch; page.css keeps touches from scrolling, zooming or selecting.
document.addEventListener("contextmenu", function (event) { event.preventDefault(); });

// Full screen, where the browser has it.
var root = document.documentElement;
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
canvas.addEventListener("mousedown", function () { canvas.focus(); });
again.addEventListener("click", function () { location.reload(); });

// After one visit the game plays with no network.
if ("serviceWorker" in navigator) {
  navigator.serviceWorker.register("service-worker.js").catch(function (error) {
    console.warn("Zarn Game will not play offline:", error);
  });
}

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
  // The font must be there before the first frame draws the HUD.
  preRun: [function () {
    addRunDependency("font");
    fontReady.then(function () { removeRunDependency("font"); });
  }],
  onRuntimeInitialized: function () { loading.hidden = true; canvas.focus(); fitGame(); },
  // Escape ends the game: its last picture stays.
  onExit: function () { again.hidden = false; again.focus(); },
};
fitGame();
