// The page's own part, before and around the game: the form fits the screen, a click beside the
// buttons keeps the focus where it is, the first press of a button is kept for the game, the module
// is compiled while the page is still coming in, and a browser without WebAssembly says so.
(() => {
  const root = document.documentElement;
  const fit = () => root.style.setProperty('--fit',
    Math.max(320 / 662, Math.min(1, root.clientWidth / 662, root.clientHeight / 346)));
  fit();
  addEventListener('resize', fit);
  addEventListener('mousedown', (event) => { if (!event.target.closest?.('button')) event.preventDefault(); });
  document.getElementById('Image1').addEventListener('contextmenu', (event) => event.preventDefault());
  const buttons = [...document.querySelectorAll('#Form1 button')];
  buttons[0].focus();
  let early = null;
  const keep = (event) => { early ??= event.currentTarget; };
  buttons.forEach((button) => button.addEventListener('click', keep));
  const missing = () => {
    buttons.forEach((button) => { button.disabled = true; });
    document.getElementById('missing').hidden = false;
    root.dataset.game = 'missing';
  };
  const ready = () => {
    buttons.forEach((button) => button.removeEventListener('click', keep));
    root.dataset.game = 'ready';
    early?.click();
  };
  if (typeof WebAssembly !== 'object') {
    missing();
    return;
  }
  // The module's bytes: in the one-file page a data block of base64 text, on a site a file beside the page.
  const carried = document.getElementById('velmora-module');
  const decode = (text) => {
    if (Uint8Array.fromBase64) return Uint8Array.fromBase64(text);
    const binary = atob(text);
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
    return bytes;
  };
  const bytes = carried
    ? Promise.resolve(decode(carried.text))
    : fetch('velmora.wasm').then((response) => response.arrayBuffer());
  const compiled = bytes.then((buffer) => WebAssembly.compile(buffer));
  compiled.catch(missing);
  const start = () => startVelmora({
    instantiateWasm(imports, receive) {
      compiled.then((module) => WebAssembly.instantiate(module, imports)).then(receive, missing);
      return {};
    },
  }).then(ready, missing);
  // The game starts once the browser has shown the form; the module is compiled by then.
  addEventListener('DOMContentLoaded', () => requestAnimationFrame(() => setTimeout(start)));
  // A site with a manifest also keeps itself for offline play.
  if (document.querySelector('link[rel=manifest]') && 'serviceWorker' in navigator) {
    navigator.serviceWorker.register('sw.js');
  }
})();
