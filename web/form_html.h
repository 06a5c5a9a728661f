#pragma once

// The form as HTML, written from the window's description. The build puts it into the page, so that
// the browser shows the form in its first paint, before the WebAssembly has started.

#include <string>

namespace velmora {

// Form1 and its controls, in the order a screen reader reads them, then a live region that says a win.
std::string FormHtml();
// Where the form and its controls stand and how they write, as a style sheet: the page carries no
// style attributes, so that a strict Content-Security-Policy lets it show as it is.
std::string FormCss();
// The page's title: the form's caption.
std::string FormTitle();
// The described form's caption, size, places and focus order as JSON, for the page's tests.
std::string FormLayout();
// The ids the page's template, script and style name, as JSON: the form's and the picture's from the
// description, the page's own (page_ids.h).
std::string PageIds();

} // namespace velmora
