// The page's side of the game: what the C++ asks of the page's elements, its canvas and its sound
// (page.h). Every call is a plain function of numbers and strings, so the game starts without any
// binding layer to set up and each call costs no more than a function call.
mergeInto(LibraryManager.library, {
  $page: { elements: [], context: null, audio: null },

  velmora_find__deps: ['$page'],
  velmora_find: function (element, id) {
    page.elements[element] = document.getElementById(UTF8ToString(id));
  },

  velmora_set_text__deps: ['$page'],
  velmora_set_text: function (element, text) {
    page.elements[element].textContent = UTF8ToString(text);
  },

  // Writes the element's text into buffer (size bytes, ended by a zero) and returns its length in
  // bytes, which may be more than fits.
  velmora_text__deps: ['$page'],
  velmora_text: function (element, buffer, size) {
    const text = String(page.elements[element].textContent);
    stringToUTF8(text, buffer, size);
    return lengthBytesUTF8(text);
  },

  velmora_set_hidden__deps: ['$page'],
  velmora_set_hidden: function (element, hidden) {
    page.elements[element].hidden = Boolean(hidden);
  },

  velmora_hidden__deps: ['$page'],
  velmora_hidden: function (element) {
    return page.elements[element].hidden;
  },

  velmora_set_disabled__deps: ['$page'],
  velmora_set_disabled: function (element, disabled) {
    page.elements[element].disabled = Boolean(disabled);
  },

  // The events the form listens for come back as velmora_event(event).
  velmora_listen_click__deps: ['$page'],
  velmora_listen_click: function (element, event) {
    page.elements[element].addEventListener('click', function () { _velmora_event(event); });
  },

  velmora_listen_resize: function (event) {
    addEventListener('resize', function () { _velmora_event(event); });
  },

  // Once the screen's pixel ratio is no longer the present one (a zoom, another screen).
  velmora_listen_pixel_ratio: function (event) {
    matchMedia('(resolution: ' + devicePixelRatio + 'dppx)')
      .addEventListener('change', function () { _velmora_event(event); }, { once: true });
  },

  velmora_next_frame: function (event) {
    requestAnimationFrame(function () { _velmora_event(event); });
  },

  // How many device pixels wide the element shows, in whichever arrangement and at whatever scale.
  velmora_device_width__deps: ['$page'],
  velmora_device_width: function (element) {
    return page.elements[element].getBoundingClientRect().width * devicePixelRatio;
  },

  velmora_close: function () {
    close();
  },

  velmora_warn: function (text) {
    console.warn(UTF8ToString(text));
  },

  // A modal dialog with the text and an OK button, beside the form.
  velmora_show_error__deps: ['$page'],
  velmora_show_error: function (form, text) {
    const dialog = document.createElement('dialog');
    const message = document.createElement('p');
    message.textContent = UTF8ToString(text);
    const close = document.createElement('form');
    close.method = 'dialog';
    const ok = document.createElement('button');
    ok.textContent = 'OK';
    close.append(ok);
    dialog.append(message, close);
    page.elements[form].parentElement.append(dialog);
    dialog.showModal();
  },

  // The sound is made ready at the player's first press of a key or a pointer, so that a win's tone
  // costs the click nothing: in a task of its own beside the press (a browser's first AudioContext
  // takes tens of milliseconds, which the press must not wait for), while the press still counts as
  // the player's. A click with no press before it (from a script, or some screen readers) makes it
  // once the win is on the screen.
  velmora_prepare_sound__deps: ['$page', '$makeSound'],
  velmora_prepare_sound: function () {
    const prepare = function (event) {
      if (!event.isTrusted) return;
      setTimeout(makeSound);
      removeEventListener('pointerdown', prepare, true);
      removeEventListener('keydown', prepare, true);
    };
    addEventListener('pointerdown', prepare, true);
    addEventListener('keydown', prepare, true);
  },

  $makeSound__deps: ['$page'],
  $makeSound: function () {
    if (!page.audio && typeof AudioContext !== 'undefined') page.audio = new AudioContext();
    return page.audio;
  },

  // One short tone. Where the browser has no Web Audio, or no sound device, the game goes on silently.
  velmora_beep__deps: ['$page', '$makeSound'],
  velmora_beep: function () {
    const play = function () {
      const audio = makeSound();
      if (!audio) return;
      const now = audio.currentTime;
      const tone = audio.createOscillator();
      const volume = audio.createGain();
      tone.frequency.value = 880;
      volume.gain.setValueAtTime(0.2, now);
      volume.gain.exponentialRampToValueAtTime(0.001, now + 0.15);
      tone.connect(volume).connect(audio.destination);
      tone.start(now);
      tone.stop(now + 0.15);
    };
    if (page.audio) play();
    else requestAnimationFrame(function () { setTimeout(play); });
  },

  // The canvas: sized in device pixels and drawn on in pixels of the form.
  velmora_canvas_begin__deps: ['$page'],
  velmora_canvas_begin: function (element, width, height, ratio) {
    const canvas = page.elements[element];
    canvas.width = width;
    canvas.height = height;
    const context = canvas.getContext('2d');
    context.setTransform(ratio, 0, 0, ratio, 0, 0);
    context.lineCap = 'round';
    context.lineJoin = 'round';
    page.context = context;
  },

  velmora_canvas_ellipse__deps: ['$page'],
  velmora_canvas_ellipse: function (x, y, radiusX, radiusY) {
    page.context.beginPath();
    page.context.ellipse(x, y, radiusX, radiusY, 0, 0, 2 * Math.PI);
  },

  // A path through count points, each two doubles (x, y) from points on.
  velmora_canvas_polyline__deps: ['$page'],
  velmora_canvas_polyline: function (points, count) {
    const context = page.context;
    const xy = HEAPF64.subarray(points >> 3, (points >> 3) + 2 * count);
    context.beginPath();
    context.moveTo(xy[0], xy[1]);
    for (let i = 2; i < xy.length; i += 2) context.lineTo(xy[i], xy[i + 1]);
  },

  // A colour from its number, 0xRRGGBB, as CSS writes it: "#rrggbb".
  $cssColour: function (rgb) {
    return '#' + (0x1000000 + rgb).toString(16).slice(1);
  },

  velmora_canvas_fill__deps: ['$page', '$cssColour'],
  velmora_canvas_fill: function (colour) {
    page.context.fillStyle = cssColour(colour);
    page.context.fill();
  },

  // Strokes the path, dashed by count lengths (doubles from dashes on); none draws it solid.
  velmora_canvas_stroke__deps: ['$page', '$cssColour'],
  velmora_canvas_stroke: function (width, colour, dashes, count) {
    const context = page.context;
    context.lineWidth = width;
    context.setLineDash(Array.from(HEAPF64.subarray(dashes >> 3, (dashes >> 3) + count)));
    context.strokeStyle = cssColour(colour);
    context.stroke();
  },
});
