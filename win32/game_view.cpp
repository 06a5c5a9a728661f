#include "win32/game_view.h"

#include "win32/form1.h"
#include "win32/text.h"

#include <stdexcept>

namespace velmora {

HWND WindowGameView::DigitBox(int box) const
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

void WindowGameView::SetPictureVisible(bool visible)
{
    ShowWindow(form_.Image1(), visible ? SW_SHOW : SW_HIDE);
}

void WindowGameView::SetDigitText(int box, const std::string &text)
{
    if (SetWindowTextW(DigitBox(box), Wide(text).c_str()) == 0)
        throw std::runtime_error("SetWindowText failed");
}

std::string WindowGameView::GetDigitText(int box)
{
    const HWND label = DigitBox(box);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

void WindowGameView::Beep()
{
    MessageBeep(MB_OK);
}

} // namespace velmora
