#include "web/game_view.h"

#include "web/form1.h"
#include "window/window_description.h"

#include <string>

using emscripten::val;

namespace velmora {

namespace {

// Where digit box 1 to 3 stands in the creation order; any other number throws.
std::size_t DigitBoxIndex(int box)
{
    return kDigitBoxes.at(static_cast<std::size_t>(box - 1));
}

} // namespace

void PageGameView::SetPictureVisible(bool visible)
{
    if (visible)
        form_.DrawPicture();
    form_.Image1().set("hidden", !visible);
    form_.Announce(visible);
}

void PageGameView::SetDigitText(int box, const std::string &text)
{
    form_.Control(DigitBoxIndex(box)).set("textContent", text);
}

std::string PageGameView::GetDigitText(int box)
{
    return form_.Control(DigitBoxIndex(box))["textContent"].as<std::string>();
}

// One short tone. Where the browser has no Web Audio, or no sound device, the game goes on silently.
void PageGameView::Beep()
{
    if (audio_.isUndefined()) {
        const val audioContext = val::global("AudioContext");
        if (audioContext.isUndefined())
            return;
        audio_ = audioContext.new_();
    }
    const auto now = audio_["currentTime"].as<double>();
    val tone = audio_.call<val>("createOscillator");
    val volume = audio_.call<val>("createGain");
    tone["frequency"].set("value", 880);
    volume["gain"].call<void>("setValueAtTime", 0.2, now);
    volume["gain"].call<void>("exponentialRampToValueAtTime", 0.001, now + 0.15);
    tone.call<val>("connect", volume).call<val>("connect", audio_["destination"]);
    tone.call<void>("start", now);
    tone.call<void>("stop", now + 0.15);
}

} // namespace velmora
