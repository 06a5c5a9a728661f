// The page's own part, around the game: the game is started and given the press kept while it was
// starting (keep.js), a browser without WebAssembly says so, the form fits the screen, and a click
// beside the buttons keeps the focus where it is. It runs after the runtime's script, which defines
// startVelmora.
(() => {
  const root = document.documentElement;
  // The described form scaled alike to the screen's width and height, never below 320 pixels wide (the
  // upright column fits itself). On a new size it is fitted before the game sees the resize, so that a
  // shown picture is drawn for the new scale.
  const form = document.getElementById('Form1');
  const fit = () => root.style.setProperty('--fit', Math.max(320 / form.offsetWidth,
    Math.min(1, root.clientWidth / form.offsetWidth, root.clientHeight / form.offsetHeight)));
  addEventListener('resize', fit);
  const buttons = [...document.querySelectorAll('#Form1 button')];
  const missing = () => {
    buttons.forEach((button) => { button.disabled = true; });
    document.getElementById('missing').hidden = false;
    root.dataset.game = 'missing';
  };
  // The press keep.js kept while the game was starting, if any, is the game's first.
  const ready = () => {
    root.dataset.game = 'ready';
    const early = root.dataset.early;
    delete root.dataset.early;
    if (early) document.getElementById(early).click();
  };
  const start = (module) => startVelmora({
    instantiateWasm(imports, receive) {
      receive(new WebAssembly.Instance(module, imports));
      return {};
    },
  }).then(ready, missing);
  // The module's bytes from base64 text: by the browser's own reader where it has one.
  const decode = (text) => {
    if (Uint8Array.fromBase64) return Uint8Array.fromBase64(text);
    const binary = atob(text);
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
    return bytes;
  };
  // The one-file page carries the module as a data block of base64 text: it is compiled and the game
  // started here and now, so that the form is a game from its first paint. A site fetches the module
  // from beside the page and starts the game once it has come.
  const carried = document.getElementById('velmora-module');
  if (typeof WebAssembly !== 'object') {
    missing();
  } else if (carried) {
    let module = null;
    try {
      module = new WebAssembly.Module(decode(carried.text));
    } catch {
      missing();
    }
    if (module) start(module);
  } else {
    fetch('velmora.wasm').then((response) => response.arrayBuffer())
      .then((bytes) => WebAssembly.compile(bytes)).then(start, missing);
  }
  // Fitting the form to the screen asks the browser for a layout: it is done first as the first frame
  // is drawn, which needs one anyway, so that neither the start nor a first press waits for it.
  requestAnimationFrame(fit);
  addEventListener('mousedown', (event) => { if (!event.target.closest?.('button')) event.preventDefault(); });
  document.getElementById('Image1').addEventListener('contextmenu', (event) => event.preventDefault());
  // A site with a manifest also keeps itself for offline play.
  if (document.querySelector('link[rel=manifest]') && 'serviceWorker' in navigator) {
    navigator.serviceWorker.register('sw.js');
  }
})();
