// From the moment the form can be seen until the game has started, the first press of each of the
// form's buttons is kept, in the order they came (start.js gives them to the game once it is ready:
// "Neues Spiel" then "Beenden" deals, then ends). It runs in the page's head, before the form is
// read, so that no browser can show a button that drops a press.
document.addEventListener('click', (event) => {
  const root = document.documentElement;
  const button = event.target.closest?.('#@ID_FORM@ button');
  const early = root.dataset.early ? root.dataset.early.split(' ') : [];
  if (button && !root.dataset.game && !early.includes(button.id)) root.dataset.early = [...early, button.id].join(' ');
}, true);
// The module is asked for and compiled here, while the rest of the page is still being read
// (window.velmoraModule, promised). On the site it is its one download, which start.js also hands over
// to the service worker (window.velmoraDownload). The one file carries it gzipped as base64 text just
// before this script: the browser unpacks it at once and it is compiled then, so that the game can
// start the moment its script has come. Where the browser cannot, there is no module, and start.js
// says why.
{
  const site = document.currentScript?.dataset.module;
  const carried = document.getElementById('@ID_MODULE@');
  if (typeof WebAssembly === 'object' && site) {
    window.velmoraDownload = fetch(site).then((response) => {
      if (!response.ok) throw new Error(`${response.url}: ${response.status}`);
      return response;
    });
    window.velmoraModule = window.velmoraDownload.then((response) => response.clone().arrayBuffer())
      .then((bytes) => WebAssembly.compile(bytes));
  } else if (typeof WebAssembly === 'object' && carried && typeof DecompressionStream === 'function') {
    const text = carried.text;
    let bytes;
    if (Uint8Array.fromBase64) {
      bytes = Uint8Array.fromBase64(text);
    } else {
      const binary = atob(text);
      bytes = new Uint8Array(binary.length);
      for (let i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
    }
    const unpacking = new DecompressionStream('gzip');
    const writer = unpacking.writable.getWriter();
    writer.write(bytes).catch(() => {}); // a fault shows where the module is compiled
    writer.close().catch(() => {});
    window.velmoraModule = new Response(unpacking.readable).arrayBuffer().then((unpacked) => new WebAssembly.Module(unpacked));
  }
}
