#pragma once

// The screen's density as the system can tell it: per monitor on Windows 10 version 1607 and later,
// for the whole system before. The newer functions are looked up at run time, so that the program
// loads on every Windows from 7 SP1 on.

#include <windows.h>

namespace velmora {

class Dpi {
  public:
    // The functions `user32` has (it may be null); each one missing falls back to an older call.
    explicit Dpi(HMODULE user32);

    [[nodiscard]] UINT ForSystem() const;
    [[nodiscard]] UINT ForWindow(HWND window) const;
    // Grows a client rectangle to the window's outer one, at `dpi`.
    void AdjustFrame(RECT &rect, DWORD style, UINT dpi) const;
    // The system's fonts and metrics for windows at `dpi`.
    [[nodiscard]] NONCLIENTMETRICSW Metrics(UINT dpi) const;

  private:
    decltype(&GetDpiForSystem) forSystem_ = nullptr;
    decltype(&GetDpiForWindow) forWindow_ = nullptr;
    decltype(&AdjustWindowRectExForDpi) adjustFrame_ = nullptr;
    decltype(&SystemParametersInfoForDpi) parametersInfo_ = nullptr;
};

} // namespace velmora
