#pragma once

// The one window, Form1, and its controls as constant data. Positions and
// sizes are in twips (1/1440 inch); colours are stored as 0x00BBGGRR.

#include "picture/picture.h"
#include "window/units.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velmora {

enum class ControlKind { CommandButton, Image, Label };
enum class BorderStyle { None, FixedSingle };
enum class Alignment { LeftJustify, Center };

struct FontDescription {
    std::string_view face{};
    std::int32_t size = 0; // ten-thousandths of a point
    std::int16_t weight = 400;
    std::uint8_t charset = 0;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    bool operator==(const FontDescription &) const = default;
};

struct ControlDescription {
    ControlKind kind = ControlKind::Label;
    std::string_view name{};
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string_view caption{};
    std::optional<FontDescription> font{};     // none: the window system's default
    std::optional<std::uint32_t> foreColour{}; // none: the window system's default
    BorderStyle border = BorderStyle::None;
    Alignment alignment = Alignment::LeftJustify;
    std::optional<int> tabIndex{}; // none: never takes the focus
    bool visible = true;
    const std::span<const std::uint8_t> *picture = nullptr; // an image's placeable metafile, stretched over it
    // For assistive technology: a name where the caption does not say it (a digit box's name is its
    // digit), and what the control is for.
    std::string_view accessibleName{};
    std::string_view accessibleDescription{};
};

inline constexpr std::size_t kControlCount = 7;

struct FormDescription {
    std::string_view name{};
    std::string_view caption{};
    int clientWidth = 0;
    int clientHeight = 0;
    std::array<ControlDescription, kControlCount> controls{};
    // What a win says to assistive technology and to the desktop's sound system.
    std::string_view winAnnouncement{};
};

// One thing for each control, in creation order (a front end's widgets, say).
template <typename Thing> using PerControl = std::array<Thing, kControlCount>;

inline constexpr FontDescription kDigitFont{.face = "Times New Roman", .size = 240000, .weight = 700};
inline constexpr FontDescription kTitleFont{.face = "Arial", .size = 202500, .weight = 700};

// Form1, its controls in creation order.
// clang-format off
inline constexpr FormDescription WindowDescription{
    .name = "Form1", .caption = "Form1",
    .clientWidth = 9930, .clientHeight = 5190,
    .controls = {{
        {.kind = ControlKind::CommandButton, .name = "Command2",
         .left = 360, .top = 1800, .width = 1575, .height = 495, .caption = "Beenden", .tabIndex = 1,
         .accessibleDescription = "Beendet das Spiel"},
        {.kind = ControlKind::CommandButton, .name = "Command1",
         .left = 360, .top = 480, .width = 1575, .height = 495, .caption = "Neues Spiel", .tabIndex = 0,
         .accessibleDescription = "Teilt drei neue Ziffern aus; jede Sieben gewinnt"},
        {.kind = ControlKind::Image, .name = "Image1",
         .left = 2880, .top = 2400, .width = 6375, .height = 2775, .visible = false, .picture = &WinPicture,
         .accessibleName = "Goldmünzen", .accessibleDescription = "Ein Haufen aus elf Goldmünzen: gewonnen!"},
        {.kind = ControlKind::Label, .name = "Label4",
         .left = 360, .top = 2880, .width = 1815, .height = 1575, .caption = "Velmora",
         .font = kTitleFont, .foreColour = 0x00800080, .accessibleDescription = "Name des Spiels"},
        {.kind = ControlKind::Label, .name = "Label2",
         .left = 4800, .top = 480, .width = 2055, .height = 1575,
         .font = kDigitFont, .border = BorderStyle::FixedSingle, .alignment = Alignment::Center,
         .accessibleDescription = "Zweite Ziffer"},
        {.kind = ControlKind::Label, .name = "Label3",
         .left = 7200, .top = 480, .width = 2055, .height = 1575,
         .font = kDigitFont, .border = BorderStyle::FixedSingle, .alignment = Alignment::Center,
         .accessibleDescription = "Dritte Ziffer"},
        {.kind = ControlKind::Label, .name = "Label1",
         .left = 2400, .top = 480, .width = 2055, .height = 1575,
         .font = kDigitFont, .border = BorderStyle::FixedSingle, .alignment = Alignment::Center,
         .accessibleDescription = "Erste Ziffer"},
    }},
    .winAnnouncement = "Gewonnen! Ein Haufen Goldmünzen.",
};
// clang-format on

// Where each control stands in the creation order, by its role in the game (the designer's names
// are the controls' data: "Command2", "Command1", "Image1", "Label4", "Label2", "Label3", "Label1").
namespace at {
enum : std::size_t { QuitButton, NewGameButton, Picture, Title, Digit2, Digit3, Digit1 };
} // namespace at

// The digit boxes as the game counts them, 1 to 3, left to right.
inline constexpr std::array<std::size_t, 3> kDigitBoxes{at::Digit1, at::Digit2, at::Digit3};

// The control of digit box 1, 2 or 3; any other number is an error.
inline std::size_t DigitBoxControl(int box)
{
    if (box < 1 || box > static_cast<int>(kDigitBoxes.size()))
        throw std::out_of_range("no digit box " + std::to_string(box));
    return kDigitBoxes.at(static_cast<std::size_t>(box - 1));
}

// The controls that take the focus, in their focus order (the new-game button, then the quit
// button); the first holds it at start.
inline constexpr auto kFocusOrder = [] {
    constexpr std::size_t focusable = [] {
        std::size_t count = 0;
        for (const ControlDescription &control : WindowDescription.controls)
            count += control.tabIndex ? 1 : 0;
        return count;
    }();
    std::array<std::size_t, focusable> order{};
    for (std::size_t i = 0; i < WindowDescription.controls.size(); ++i) {
        if (const auto tab = WindowDescription.controls.at(i).tabIndex)
            order.at(static_cast<std::size_t>(*tab)) = i;
    }
    return order;
}();

static_assert(WindowDescription.controls[at::QuitButton].name == "Command2");
static_assert(WindowDescription.controls[at::NewGameButton].name == "Command1");
static_assert(WindowDescription.controls[at::Picture].name == "Image1");
static_assert(WindowDescription.controls[at::Title].name == "Label4");
static_assert(WindowDescription.controls[at::Digit2].name == "Label2");
static_assert(WindowDescription.controls[at::Digit3].name == "Label3");
static_assert(WindowDescription.controls[at::Digit1].name == "Label1");

} // namespace velmora
