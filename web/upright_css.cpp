#include "web/upright_css.h"

#include "web/page_ids.h"
#include "window/window_description.h"

#include <array>
#include <cmath>
#include <string>

namespace velmora {

namespace {

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
    cells.at(next++) = {at::Title, 1, 1, kColumns};
    int column = 1;
    for (const std::size_t box : kDigitBoxes)
        cells.at(next++) = {box, 2, column++, 1};
    cells.at(next++) = {at::Picture, 3, 1, kColumns};
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

} // namespace

std::string UprightCss()
{
    const auto px = [](double pixels) { return Number(pixels) + "px"; };
    const double digitRow = Proportion(at::Digit1) / kColumns; // a digit box's height per pixel of the column
    const double picture = Proportion(at::Picture);
    const double titleLine =
        std::round(FontSizeToPixels(Control(at::Title).font ? Control(at::Title).font->size : 0)) * kTitleLine;
    // The column is no wider than the screen's height holds: its fixed heights, and the digit row and
    // the picture, which grow with its width.
    const double fixed = 2 * kPadding + titleLine + (kRows - 1) * kGap
                         + static_cast<int>(kFocusOrder.size()) * kTapHeight - (kColumns - 1) * kGap * digitRow;
    std::string css = "@media (orientation:portrait) and (max-width:"
                      + px(kBelowScale * TwipsToPixels(WindowDescription.clientWidth)) + "){";
    css += "#" + std::string(page_id::Fit) + "{width:auto;height:auto}#" + std::string(WindowDescription.name)
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

} // namespace velmora
