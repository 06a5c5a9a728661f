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

void WindowGameView::SetPictureVisible(bool visible)
{
    ShowWindow(form_.Image1(), visible ? SW_SHOW : SW_HIDE);
    if (visible)
        AnnounceWin(form_.Image1());
}

void WindowGameView::SetDigitText(int box, const std::string &text)
{
    if (SetWindowTextW(DigitBox(form_, box), Wide(text).c_str()) == 0)
        throw std::runtime_error("SetWindowText failed");
}

std::string WindowGameView::GetDigitText(int box)
{
    const HWND label = DigitBox(form_, box);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

void WindowGameView::Beep()
{
    MessageBeep(MB_OK);
}

} // namespace velmora
