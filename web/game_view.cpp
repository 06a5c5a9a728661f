#include "web/game_view.h"

#include "web/elements.h"
#include "web/form1.h"
#include "web/page.h"

#include <string>

namespace velmora {

namespace {

int DigitBox(int box)
{
    return Element(DigitBoxControl(box));
}

} // namespace

void FormGameView::SetPictureVisible(bool visible)
{
    velmora_set_hidden(Element(at::Picture), !visible);
    if (visible) // drawn before the next paint, so the screen never sees it empty, and after the deal
        form_.DrawPictureInNextFrame();
    form_.Announce(visible);
}

void FormGameView::SetDigitText(int box, const std::string &text)
{
    velmora_set_text(DigitBox(box), text.c_str());
}

std::string FormGameView::GetDigitText(int box)
{
    const int element = DigitBox(box);
    std::string text(15, '\0'); // a digit fits at once; a longer text is read again at its length
    const auto length = static_cast<std::size_t>(velmora_text(element, text.data(), static_cast<int>(text.size() + 1)));
    if (length > text.size()) {
        text.resize(length);
        velmora_text(element, text.data(), static_cast<int>(length + 1));
    }
    text.resize(length);
    return text;
}

void FormGameView::Beep()
{
    velmora_beep();
}

} // namespace velmora
