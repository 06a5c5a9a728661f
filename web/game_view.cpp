#include "web/game_view.h"

#include "web/form1.h"
#include "window/window_description.h"

#include <stdexcept>
#include <string>

using emscripten::val;

namespace velmora {

val PageGameView::DigitBox(int box) const
{
    switch (box) {
    case 1:
        return form_.Label1();
    case 2:
        return form_.Label2();
    case 3:
        return form_.Label3();
    default:
        throw std::out_of_range("no digit box " + std::to_string(box));
    }
}

void PageGameView::SetPictureVisible(bool visible)
{
    if (visible)
        form_.DrawPicture();
    form_.Image1().set("hidden", !visible);
    form_.Announce(visible);
}

void PageGameView::SetDigitText(int box, const std::string &text)
{
    val label = DigitBox(box);
    label.set("textContent", text);
    // Read out as, say, "Erste Ziffer: 7".
    const auto &description = WindowDescription.controls.at(box == 1 ? at::Label1 : box == 2 ? at::Label2 : at::Label3);
    label.call<void>("setAttribute", std::string("aria-label"),
                     std::string(description.accessibleDescription) + (text.empty() ? "" : ": " + text));
}

std::string PageGameView::GetDigitText(int box)
{
    return DigitBox(box)["textContent"].as<std::string>();
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
    const double now = audio_["currentTime"].as<double>();
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
