#include "web/form_html.h"

#include "web/css.h"

#include "window/window_description.h"

#include <array>
#include <cmath>
#include <initializer_list>
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
// Tab visits the buttons: the game's name, the buttons in their focus order, the digit boxes, the picture.
constexpr auto kReadingOrder = [] {
    std::array<std::size_t, 2 + kFocusOrder.size() + kDigitBoxes.size()> order{at::Label4};
    std::size_t next = 1;
    for (const std::size_t control : kFocusOrder)
        order.at(next++) = control;
    for (const std::size_t control : kDigitBoxes)
        order.at(next++) = control;
    order.at(next) = at::Image1;
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
    return html + R"(<div id="said" aria-live="polite"></div></div>)"; // says a win
}

// The upright arrangement: on a screen taller than wide where the described form would show at
// under three quarters of its size (a phone held upright, a narrow window), the same controls stand
// in one column for a thumb: the game's name, the digit boxes side by side as the form shows them,
// the picture across the width (its place kept while it is hidden), then the two buttons across it.
namespace upright {

struct Cell {
    std::size_t control;
    int row;
    int column;
    int span;
};
constexpr int kColumns = static_cast<int>(kDigitBoxes.size());
// The name; the digit boxes in one row, left to right; the picture; the buttons, one a row, in their
// focus order.
constexpr auto kCells = [] {
    std::array<Cell, 2 + kDigitBoxes.size() + kFocusOrder.size()> cells{};
    std::size_t next = 0;
    cells.at(next++) = {at::Label4, 1, 1, kColumns};
    int column = 1;
    for (const std::size_t box : kDigitBoxes)
        cells.at(next++) = {box, 2, column++, 1};
    cells.at(next++) = {at::Image1, 3, 1, kColumns};
    int row = 4;
    for (const std::size_t button : kFocusOrder)
        cells.at(next++) = {button, row++, 1, kColumns};
    return cells;
}();
constexpr int kRows = kCells.back().row;

constexpr double kBelowScale = 0.75; // the form shown smaller than this chooses the column
constexpr int kPadding = 12;         // around the column
constexpr int kGap = 8;              // between its rows and the digit boxes
constexpr int kTapHeight = 48;       // a button as a thumb meets it
constexpr int kTapText = 16;
constexpr double kTitleLine = 1.2;  // the name's line, in its font's size
constexpr double kDigitFill = 0.68; // a digit's font size against its box's height
constexpr int kDigitTextAtLeast = 32;

const ControlDescription &Control(std::size_t control)
{
    return WindowDescription.controls.at(control);
}

// A control's height against its width, as the form shows it.
double Proportion(std::size_t control)
{
    return static_cast<double>(Control(control).height) / Control(control).width;
}

std::string Number(double value)
{
    std::string text = std::to_string(std::lround(value * 1000) / 1000.0);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return text;
}

std::string Css()
{
    const auto px = [](double pixels) { return Number(pixels) + "px"; };
    const double digitRow = Proportion(at::Label1) / kColumns; // a digit box's height per pixel of the column
    const double picture = Proportion(at::Image1);
    const double titleLine =
        std::round(FontSizeToPixels(Control(at::Label4).font ? Control(at::Label4).font->size : 0)) * kTitleLine;
    // The column is no wider than the screen's height holds: its fixed heights, and the digit row and
    // the picture, which grow with its width.
    const double fixed = 2 * kPadding + titleLine + (kRows - 1) * kGap
                         + static_cast<int>(kFocusOrder.size()) * kTapHeight - (kColumns - 1) * kGap * digitRow;
    std::string css = "@media (orientation:portrait) and (max-width:"
                      + px(kBelowScale * TwipsToPixels(WindowDescription.clientWidth)) + "){";
    css += "#Fit{width:auto;height:auto}#" + std::string(WindowDescription.name)
           + "{transform:none;box-sizing:border-box;height:auto;width:min(100%,calc((100vh - " + px(fixed) + ")*"
           + Number(1 / (digitRow + picture)) + " + " + px(2 * kPadding) + "));margin:0 auto;padding:" + px(kPadding)
           + ";display:grid;grid-template-columns:repeat(" + std::to_string(kColumns)
           + ",1fr);align-items:start;gap:" + px(kGap) + ";container-type:inline-size}";
    for (const Cell &cell : kCells) {
        const ControlDescription &control = Control(cell.control);
        css += "#" + std::string(control.name) + "{position:static;grid-area:" + std::to_string(cell.row) + "/"
               + std::to_string(cell.column) + "/span 1/span " + std::to_string(cell.span) + ";width:100%;height:auto";
        if (control.kind == ControlKind::CommandButton) {
            css += ";min-height:" + px(kTapHeight) + ";font-size:" + px(kTapText);
        } else if (control.kind == ControlKind::Image) {
            css += ";display:block;aspect-ratio:" + std::to_string(control.width) + "/" + std::to_string(control.height)
                   + "}#" + std::string(control.name) + "[hidden]{visibility:hidden";
        } else if (control.caption.empty()) { // a digit box: its digit in the middle, large
            css += ";aspect-ratio:" + std::to_string(control.width) + "/" + std::to_string(control.height)
                   + ";display:flex;align-items:center;justify-content:center;line-height:1;font-size:max("
                   + px(kDigitTextAtLeast) + ",calc((100cqw - " + px((kColumns - 1) * kGap) + ")*"
                   + Number(digitRow * kDigitFill) + "))";
        } else {
            css += ";line-height:" + Number(kTitleLine);
        }
        css += "}";
    }
    return css + "}";
}

} // namespace upright

std::string FormCss()
{
    const std::string form = "#" + std::string(WindowDescription.name);
    const std::string width = Px(TwipsToPixels(WindowDescription.clientWidth));
    const std::string height = Px(TwipsToPixels(WindowDescription.clientHeight));
    // The form scaled alike to a small screen (--fit, set by the page), in a box of its scaled size.
    std::string css = "#Fit{overflow:hidden;width:calc(" + width + " * var(--fit,1));height:calc(" + height
                      + " * var(--fit,1))}" + form + "{position:relative;width:" + width + ";height:" + height
                      + ";transform:scale(var(--fit,1));transform-origin:0 0}";
    for (const ControlDescription &control : WindowDescription.controls)
        css += "#" + std::string(control.name) + "{" + StyleOf(control) + "}";
    return css + "#said{position:absolute;clip-path:inset(50%)}" + upright::Css();
}

std::string FormTitle()
{
    return Escaped(WindowDescription.caption);
}

// The described form for the page's tests, as JSON: its caption and size in pixels, and each control's
// place ([left, top, width, height]) in the page's order; the buttons in their focus order.
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
           + "," + quoted("places") + ":" + places + "}," + quoted("focus") + ":" + focus + "]}";
}

} // namespace velmora
