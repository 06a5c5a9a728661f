#pragma once

// The page's side of the game, written in JavaScript (page.js): what the form asks of the page's
// elements, its canvas and its sound, in plain calls of numbers and strings. An element is known by
// the number the form gave it when it found it by its id.

extern "C" {

void velmora_find(int element, const char *id);
void velmora_set_text(int element, const char *text);
// Writes the element's text, ended by a zero, into buffer (size bytes, cut short where it must) and
// returns its whole length in bytes.
int velmora_text(int element, char *buffer, int size);
void velmora_set_hidden(int element, bool hidden);
bool velmora_hidden(int element);
void velmora_set_disabled(int element, bool disabled);

// The events the form listens for; each comes back as velmora_event(event).
void velmora_listen_click(int element, int event);
void velmora_listen_resize(int event);
void velmora_listen_pixel_ratio(int event); // once, when the screen's pixel ratio changes
void velmora_next_frame(int event);         // once, in the next animation frame, before it is painted
void velmora_event(int event);              // the form's, called by the page

// How many device pixels wide the element shows (none while it is hidden).
double velmora_device_width(int element);
void velmora_close();
// A line in the browser's console, for what the developer should know.
void velmora_warn(const char *text);
// A modal German error dialog beside the form.
void velmora_show_error(int form, const char *text);
// The sound is made ready at the player's first press, so that a win's tone costs the click nothing.
void velmora_prepare_sound();
void velmora_beep();

// The canvas element, sized in device pixels and drawn on in pixels of the form; colours as 0xRRGGBB.
void velmora_canvas_begin(int element, int width, int height, double ratio);
void velmora_canvas_ellipse(double x, double y, double radiusX, double radiusY);
void velmora_canvas_polyline(const double *points, int count); // count (x, y) pairs
void velmora_canvas_fill(int colour);
void velmora_canvas_stroke(double width, int colour, const double *dashes, int count);
}
