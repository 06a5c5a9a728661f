#include "win32/game_view.h"

#include "win32/accessibility.h"
#include "win32/form1.h"
#include "win32/text.h"
#include "window/window_description.h"

#include <stdexcept>

namespace velmora {

namespace {

HWND DigitBox(const Form1 &form, int box)
{
    return form.Control(DigitBoxControl(box));
}

} // namespace

void FormGameView::SetPictureVisible(bool visible)
{
    ShowWindow(form_.Picture(), visible ? SW_SHOW : SW_HIDE);
    if (visible)
        AnnounceWin(form_.Picture());
}

void FormGameView::SetDigitText(int box, const std::string &text)
{
    if (SetWindowTextW(DigitBox(form_, box), Wide(text).c_str()) == 0)
        throw std::runtime_error("SetWindowText failed");
}

std::string FormGameView::GetDigitText(int box)
{
    const HWND label = DigitBox(form_, box);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

void FormGameView::Beep()
{
    MessageBeep(MB_OK);
}

} // namespace velmora
