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
// On the site, the module is asked for here, while the page is still being read: its one download,
// which start.js compiles and hands over to the service worker.
{
  const module = document.currentScript?.dataset.module;
  if (module) window.velmoraModule = fetch(module);
}
