#include "web/form_html.h"

#include "web/css.h"
#include "web/page_ids.h"
#include "web/upright_css.h"
#include "window/window_description.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace velmora {

namespace {

std::string Px(int pixels)
{
    return std::to_string(pixels) + "px";
}

// The described face first, then fonts with the same metrics that free systems have.
std::string FontFamily(std::string_view face)
{
    if (face == "Times New Roman")
        return "'Times New Roman','Liberation Serif',Tinos,serif";
    if (face == "Arial")
        return "Arial,'Liberation Sans',Arimo,sans-serif";
    return "'" + std::string(face) + "'";
}

// Text as HTML writes it, in an element or an attribute.
std::string Escaped(std::string_view text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

// Where a control stands and how it writes. At 96 dots per inch a CSS pixel is 15 twips; the
// browser scales CSS pixels to the screen.
std::string StyleOf(const ControlDescription &control)
{
    std::string style = "position:absolute;box-sizing:border-box;margin:0;left:" + Px(TwipsToPixels(control.left))
                        + ";top:" + Px(TwipsToPixels(control.top)) + ";width:" + Px(TwipsToPixels(control.width))
                        + ";height:" + Px(TwipsToPixels(control.height));
    if (control.font) {
        style += ";font:" + std::string(control.font->italic ? "italic " : "") + std::to_string(control.font->weight)
                 + " " + Px(static_cast<int>(std::lround(FontSizeToPixels(control.font->size)))) + " "
                 + FontFamily(control.font->face);
    }
    if (control.foreColour)
        style += ";color:" + Css(RgbFromStored(*control.foreColour));
    if (control.kind == ControlKind::Label) {
        style += control.alignment == Alignment::Center ? ";text-align:center" : ";text-align:left";
        style += control.border == BorderStyle::FixedSingle ? ";border:1px solid black" : ";border:none";
    }
    return style;
}

// The order in which the page holds the controls, which is the order a screen reader reads them and
// Tab visits the buttons: the game's name, the buttons in their focus order, the digit boxes, the picture.
constexpr auto kReadingOrder = [] {
    std::array<std::size_t, 2 + kFocusOrder.size() + kDigitBoxes.size()> order{at::Title};
    std::size_t next = 1;
    for (const std::size_t control : kFocusOrder)
        order.at(next++) = control;
    for (const std::size_t control : kDigitBoxes)
        order.at(next++) = control;
    order.at(next) = at::Picture;
    return order;
}();

// One control as HTML: a button, a canvas for the picture, the game's name as the page's heading, or
// a digit box, a group named after its place ("Erste Ziffer") that holds the digit.
std::string HtmlOf(const ControlDescription &control)
{
    const bool digitBox = control.kind == ControlKind::Label && control.caption.empty();
    const char *tag = control.kind == ControlKind::CommandButton ? "button"
                      : control.kind == ControlKind::Image       ? "canvas"
                      : digitBox                                 ? "div"
                                                                 : "h1";
    std::string html = "<" + std::string(tag) + " id=\"" + Escaped(control.name) + "\" title=\""
                       + Escaped(control.accessibleDescription) + "\"";
    if (control.kind == ControlKind::CommandButton)
        html += " type=\"button\"";
    if (control.tabIndex == 0) // the focus starts here, given by the browser as it shows the page
        html += " autofocus";
    if (control.kind == ControlKind::Image)
        html += R"( role="img" aria-label=")" + Escaped(control.accessibleName) + "\"";
    if (digitBox)
        html += R"( role="group" aria-label=")" + Escaped(control.accessibleDescription) + "\"";
    if (!control.visible)
        html += " hidden";
    return html + ">" + Escaped(control.caption) + "</" + tag + ">";
}

} // namespace

std::string FormHtml()
{
    std::string html = "<div id=\"" + Escaped(WindowDescription.name) + "\">";
    for (const std::size_t control : kReadingOrder)
        html += HtmlOf(WindowDescription.controls.at(control));
    return html + R"(<div id=")" + std::string(page_id::Said) + R"(" aria-live="polite"></div></div>)"; // says a win
}

std::string FormCss()
{
    const std::string form = "#" + std::string(WindowDescription.name);
    const std::string width = Px(TwipsToPixels(WindowDescription.clientWidth));
    const std::string height = Px(TwipsToPixels(WindowDescription.clientHeight));
    // The form scaled alike to a small screen (--fit, set by the page), in a box of its scaled size.
    std::string css = "#" + std::string(page_id::Fit) + "{overflow:hidden;width:calc(" + width
                      + " * var(--fit,1));height:calc(" + height + " * var(--fit,1))}" + form
                      + "{position:relative;width:" + width + ";height:" + height
                      + ";transform:scale(var(--fit,1));transform-origin:0 0}";
    for (const ControlDescription &control : WindowDescription.controls)
        css += "#" + std::string(control.name) + "{" + StyleOf(control) + "}";
    return css + "#" + std::string(page_id::Said) + "{position:absolute;clip-path:inset(50%)}" + UprightCss();
}

std::string FormTitle()
{
    return Escaped(WindowDescription.caption);
}

// The described form for the page's tests, as JSON: its caption and size in pixels, each control's
// place ([left, top, width, height]) in the page's order, the buttons in their focus order, and what
// a win says.
std::string FormLayout()
{
    const auto quoted = [](std::string_view text) { return '"' + std::string(text) + '"'; };
    const auto numbers = [](std::initializer_list<int> values) {
        std::string list;
        for (const int value : values)
            list += (list.empty() ? "[" : ",") + std::to_string(value);
        return list + "]";
    };
    std::string places;
    for (const std::size_t control : kReadingOrder) {
        const ControlDescription &described = WindowDescription.controls.at(control);
        places += (places.empty() ? "{" : ",") + quoted(described.name) + ":"
                  + numbers({TwipsToPixels(described.left), TwipsToPixels(described.top),
                             TwipsToPixels(described.width), TwipsToPixels(described.height)});
    }
    std::string focus;
    for (const std::size_t control : kFocusOrder)
        focus += (focus.empty() ? "[" : ",") + quoted(WindowDescription.controls.at(control).name);
    return "{" + quoted("caption") + ":" + quoted(WindowDescription.caption) + "," + quoted("size") + ":"
           + numbers({TwipsToPixels(WindowDescription.clientWidth), TwipsToPixels(WindowDescription.clientHeight)})
           + "," + quoted("places") + ":" + places + "}," + quoted("focus") + ":" + focus + "],"
           + quoted("winAnnouncement") + ":" + quoted(WindowDescription.winAnnouncement) + "}";
}

std::string PageIds()
{
    const std::array<std::pair<std::string_view, std::string_view>, 9> ids{{
        {"FORM", WindowDescription.name},
        {"PICTURE", WindowDescription.controls[at::Picture].name},
        {"FIT", page_id::Fit},
        {"SAID", page_id::Said},
        {"ENDED", page_id::Ended},
        {"MISSING", page_id::Missing},
        {"FAILED", page_id::Failed},
        {"MODULE", page_id::Module},
        {"START", page_id::Start},
    }};
    std::string json;
    for (const auto &[name, id] : ids)
        json += (json.empty() ? "{\"" : ",\"") + std::string(name) + "\":\"" + std::string(id) + "\"";
    return json + "}";
}

} // namespace velmora
