// The page's own part, around the game: the game is started on the module keep.js compiled and given
// the presses kept while it was starting, a browser that cannot run it says so, the form fits the
// screen, and a click beside the buttons keeps the focus where it is. It runs after the runtime's
// script, which defines startVelmora.
(() => {
  const root = document.documentElement;
  // The described form scaled alike to the screen's width and height, never below 320 pixels wide (the
  // upright column fits itself). On a new size it is fitted before the game sees the resize, so that a
  // shown picture is drawn for the new scale.
  const form = document.getElementById('@ID_FORM@');
  const fit = () => root.style.setProperty('--fit', Math.max(320 / form.offsetWidth,
    Math.min(1, root.clientWidth / form.offsetWidth, root.clientHeight / form.offsetHeight)));
  addEventListener('resize', fit);
  const buttons = [...form.querySelectorAll('button')];
  // Where the game cannot run, both buttons are off and a German line says why: no WebAssembly (or no
  // way to unpack the one file's module) here, or a module that did not come or would not start. The
  // line's id is the game's state then.
  const cannotRun = (why) => () => {
    buttons.forEach((button) => { button.disabled = true; });
    document.getElementById(why).hidden = false;
    root.dataset.game = why;
  };
  // The presses keep.js kept while the game was starting, if any, are the game's first, in their order.
  const ready = () => {
    root.dataset.game = 'ready';
    const early = root.dataset.early;
    delete root.dataset.early;
    early?.split(' ').forEach((id) => document.getElementById(id).click());
  };
  // The game started on the compiled module; a module that fails to start rejects (the runtime would
  // only log it and leave the buttons looking alive).
  const start = (module) => new Promise((resolve, reject) => {
    startVelmora({
      instantiateWasm(imports, receive) {
        try {
          receive(new WebAssembly.Instance(module, imports));
        } catch (error) {
          reject(error);
        }
        return {};
      },
    }).then(resolve, reject);
  }).then(ready);
  // The game is started on the module keep.js compiled; on the site, once the game runs, the service
  // worker is registered to keep the site for offline play, and is handed the module as it came, to
  // keep without a second download.
  const failed = cannotRun('@ID_FAILED@');
  if (!window.velmoraModule) {
    cannotRun('@ID_MISSING@')();
  } else {
    const started = window.velmoraModule.then(start);
    if (!window.velmoraDownload || !('serviceWorker' in navigator)) {
      started.catch(failed);
    } else {
      const keeping = !navigator.serviceWorker.controller;
      started.then(() => window.velmoraDownload).then((response) => (keeping
        ? caches.open('velmora-page').then((cache) => cache.put(response.url, response)) : null))
        .then(() => navigator.serviceWorker.register('sw.js'), failed);
    }
  }
  // Fitting the form to the screen asks the browser for a layout: it is done first as the first frame
  // is drawn, which needs one anyway, so that neither the start nor a first press waits for it.
  requestAnimationFrame(fit);
  addEventListener('mousedown', (event) => { if (!event.target.closest?.('button')) event.preventDefault(); });
  document.getElementById('@ID_PICTURE@').addEventListener('contextmenu', (event) => event.preventDefault());
})();
