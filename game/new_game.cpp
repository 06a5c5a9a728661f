#include "game/game.h"
#include "game/host_operations.h"

namespace velmora {

namespace {

constexpr int kBoxes = 3;

// One draw becomes one digit, 0 to 9. A source that breaks its contract (NaN,
// negative, 1 or more) raises the floating-point error instead of putting "10",
// "-1" or "nan" into a box.
float DrawDigit(RandomSource &rng)
{
    const float draw = rng.Next();
    const volatile double scaled = static_cast<double>(draw) * static_cast<double>(10.0F);
    host::CheckFloatingPointStatus();
    if (!(scaled >= 0.0 && scaled < 10.0))
        host::RaiseError(host::Overflow);
    return static_cast<float>(host::Floor(scaled));
}

} // namespace

void NewGame(GameView &view, RandomSource &rng)
{
    host::CheckedViewCall("SetPictureVisible", [&] { view.SetPictureVisible(false); });

    for (int box = 1; box <= kBoxes; ++box) {
        const std::string text = host::NumberToText(DrawDigit(rng));
        host::CheckedViewCall("SetDigitText", [&] { view.SetDigitText(box, text); });
    }

    // The boxes are judged by what they show, and every one is read: no short cut.
    bool won = false;
    for (int box = 1; box <= kBoxes; ++box) {
        const std::string caption = host::CheckedViewCall("GetDigitText", [&] { return view.GetDigitText(box); });
        const bool seven = host::TextToNumber(caption) == 7.0;
        won = won || seven;
    }

    if (won) {
        host::CheckedViewCall("SetPictureVisible", [&] { view.SetPictureVisible(true); });
        host::CheckedViewCall("Beep", [&] { view.Beep(); });
    }
}

std::optional<std::string> PlayNewGame(GameView &view, RandomSource &rng)
{
    try {
        NewGame(view, rng);
    } catch (const std::exception &error) {
        return UntrappedErrorText(error);
    }
    return std::nullopt;
}

} // namespace velmora
