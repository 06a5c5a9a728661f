#include "web/form_html.h"

#include "web/css.h"

#include "window/window_description.h"

#include <array>
#include <cmath>
#include <string>

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
// Tab visits the buttons: the game's name, the two buttons, the digit boxes left to right, the picture.
constexpr std::array<std::size_t, 7> kReadingOrder{at::Label4, at::Command1, at::Command2, at::Label1,
                                                   at::Label2, at::Label3,   at::Image1};

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
    return html + R"(<div id="said" aria-live="polite"></div></div>)"; // says a win
}

std::string FormCss()
{
    std::string css = "#" + std::string(WindowDescription.name)
                      + "{position:relative;width:" + Px(TwipsToPixels(WindowDescription.clientWidth))
                      + ";height:" + Px(TwipsToPixels(WindowDescription.clientHeight)) + "}";
    for (const ControlDescription &control : WindowDescription.controls)
        css += "#" + std::string(control.name) + "{" + StyleOf(control) + "}";
    return css + "#said{position:absolute;clip-path:inset(50%)}";
}

std::string FormTitle()
{
    return Escaped(WindowDescription.caption);
}

} // namespace velmora
