// The program around Form1: its event loop, and its two ends, asked for and after an untrapped error.

#include "win32/form1.h"

#include "game/game.h"
#include "resources/identity.h"
#include "win32/text.h"

namespace velmora {

int Form1::Run(HWND form)
{
    MSG message{};
    BOOL got = 0;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1)
            return 1;
        // The dialog manager's keys: Tab between the buttons, Space and Return on the focused one.
        if (IsDialogMessageW(form, &message) == 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

void QuitGame()
{
    ExitProcess(0);
}

void ReportUntrappedError(HWND form, const std::string &text)
{
    MessageBoxW(form, Wide(text).c_str(), Wide(kProductName).c_str(), MB_OK | MB_ICONERROR);
    ExitProcess(1);
}

} // namespace velmora
