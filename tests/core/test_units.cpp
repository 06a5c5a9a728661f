// The window description's units on a screen, at the densities Windows and browsers use.

#include "window/window_description.h"

#include <doctest/doctest.h>

#include <vector>

using namespace velmora;

TEST_CASE("twips become pixels at any density")
{
    struct Row {
        int twips;
        int dpi;
        int pixels;
    };
    const std::vector<Row> rows{
        {9930, 96, 662},  {5190, 96, 346},  {1575, 96, 105},  {0, 96, 0},     {7, 96, 0},   {8, 96, 1},
        {9930, 144, 993}, {1575, 144, 158}, {1575, 120, 131}, {495, 192, 66}, {-8, 96, -1}, {-7, 96, 0},
    };
    for (const Row &row : rows) {
        CAPTURE(row.twips);
        CAPTURE(row.dpi);
        CHECK(TwipsToPixels(row.twips, row.dpi) == row.pixels);
    }
    // Every control of the window stands on whole pixels at the standard density.
    for (const ControlDescription &control : WindowDescription.controls) {
        CAPTURE(control.name);
        for (const int twips : {control.left, control.top, control.width, control.height})
            CHECK(twips % kTwipsPerPixel == 0);
    }
}

TEST_CASE("stored colours and font sizes")
{
    CHECK(RgbFromStored(*WindowDescription.controls[at::Title].foreColour) == Rgb{128, 0, 128});
    CHECK(RgbFromStored(0x00123456) == Rgb{0x56, 0x34, 0x12});
    CHECK(RgbFromStored(0xFF0000FF) == Rgb{255, 0, 0}); // the top byte is no colour
    CHECK(FontSizeToPoints(kTitleFont.size) == 20.25);
    CHECK(FontSizeToPixels(kDigitFont.size) == 32);
    CHECK(FontSizeToPixels(kTitleFont.size) == 27);
    CHECK(FontSizeToPixels(kDigitFont.size, 144) == 48);
}

TEST_CASE("the game's digit boxes and the buttons' focus order")
{
    using velmora::DigitBoxControl;
    namespace at = velmora::at;
    struct Row {
        int box;
        std::size_t control;
    };
    for (const Row row : {Row{1, at::Digit1}, Row{2, at::Digit2}, Row{3, at::Digit3}}) {
        CAPTURE(row.box);
        CHECK(DigitBoxControl(row.box) == row.control);
    }
    for (const int box : {0, 4, -1})
        CHECK_THROWS_AS(DigitBoxControl(box), std::out_of_range);
    CHECK(velmora::kFocusOrder == std::array<std::size_t, 2>{at::NewGameButton, at::QuitButton});
}
