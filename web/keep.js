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
// The module is asked for here, while the rest of the page is still being read, as a response that
// start.js compiles: on the site its one download (which start.js also hands over to the service
// worker); in the one file, which carries it gzipped as base64 text just before this script, it is
// unpacked by the browser (where it cannot, there is no module, and start.js says why).
{
  const site = document.currentScript?.dataset.module;
  const carried = document.getElementById('@ID_MODULE@');
  if (site) {
    window.velmoraModule = fetch(site);
  } else if (carried && typeof DecompressionStream === 'function') {
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
    writer.write(bytes).catch(() => {}); // a fault shows where the response is read
    writer.close().catch(() => {});
    window.velmoraModule = Promise.resolve(new Response(unpacking.readable));
  }
}
