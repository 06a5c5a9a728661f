// Form1's window procedure: the two buttons' handlers, the keyboard's default button, the controls'
// colours, a new colour scheme or density, the picture box's drawing and the focus.

#include "win32/form1.h"

#include "game/game.h"
#include "win32/accessibility.h"
#include "win32/game_view.h"
#include "window/window_description.h"

#include <algorithm>

namespace velmora {

LRESULT CALLBACK Form1::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *form = static_cast<Form1 *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        form->form_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto *form = reinterpret_cast<Form1 *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return form != nullptr ? form->OnMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

// The only two handlers of the program.
void Form1::OnCommand(HWND control)
{
    if (control == NewGameButton()) {
        if (const auto error = PlayNewGame(*view_, random_))
            ReportUntrappedError(form_, *error);
    } else if (control == QuitButton()) {
        QuitGame();
    }
}

bool Form1::TakesFocus(HWND window) const
{
    return std::any_of(kFocusOrder.begin(), kFocusOrder.end(),
                       [&](std::size_t control) { return controls_.at(control) == window; });
}

LRESULT Form1::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            OnCommand(reinterpret_cast<HWND>(lParam));
        return 0;
    case DM_GETDEFID: // Return clicks the focused button; there is no default button
        if (const HWND focused = GetFocus(); TakesFocus(focused))
            return MAKELRESULT(GetDlgCtrlID(focused), DC_HASDEFID);
        return 0;
    case WM_CTLCOLORSTATIC: { // a stored colour where the description has one, the system's elsewhere
        auto *const control = reinterpret_cast<HWND>(lParam);
        auto *const dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        for (std::size_t i = 0; i < controls_.size(); ++i) {
            if (controls_.at(i) == control && WindowDescription.controls.at(i).foreColour) {
                const Rgb colour = RgbFromStored(*WindowDescription.controls.at(i).foreColour);
                SetTextColor(dc, RGB(colour.red, colour.green, colour.blue));
            }
        }
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_SYSCOLORCHANGE: // a new colour scheme, high contrast among them: the controls hear of it too
        for (HWND control : controls_)
            SendMessageW(control, WM_SYSCOLORCHANGE, wParam, lParam);
        RedrawWindow(form_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return 0;
    case WM_THEMECHANGED:
        RedrawWindow(form_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
    case WM_DRAWITEM:
        if (const auto *item = reinterpret_cast<const DRAWITEMSTRUCT *>(lParam); item->hwndItem == Picture())
            picture_.Draw(*item);
        return TRUE;
    case WM_ACTIVATE: // the focus comes back to the button that had it
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (const HWND focused = GetFocus(); TakesFocus(focused))
                focus_ = focused;
        }
        break;
    case WM_SETFOCUS:
        SetFocus(focus_);
        return 0;
    case WM_DPICHANGED: {
        Layout(HIWORD(wParam));
        const auto *suggested = reinterpret_cast<const RECT *>(lParam);
        SetWindowPos(form_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case kDescribe:
        DescribeForAssistiveTechnology(controls_);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(form_, message, wParam, lParam);
}

} // namespace velmora
