#pragma once

// The game's window, Form1, as a native Win32 window built from its description, and the program
// around it.

#include "picture/picture.h"
#include "win32/dpi.h"

#include <windows.h>

#include <array>

namespace velmora {

class RandomSource;

class Form1 {
  public:
    // Every game of the run draws from `random`, which must outlive the window; the screen's density
    // is asked of the system through `density`.
    Form1(HINSTANCE instance, RandomSource &random, Dpi density = Dpi(GetModuleHandleW(L"user32.dll")));
    ~Form1();
    Form1(const Form1 &) = delete;
    Form1 &operator=(const Form1 &) = delete;

    void Show(int how);
    // Runs the event loop until the window is closed; returns the program's exit status.
    static int Run(HWND form);
    [[nodiscard]] HWND Handle() const { return form_; }

    // The controls, in creation order.
    [[nodiscard]] HWND Control(std::size_t index) const { return controls_.at(index); }
    [[nodiscard]] HWND Command2() const;
    [[nodiscard]] HWND Command1() const;
    [[nodiscard]] HWND Image1() const;
    [[nodiscard]] HWND Label4() const;
    [[nodiscard]] HWND Label2() const;
    [[nodiscard]] HWND Label3() const;
    [[nodiscard]] HWND Label1() const;

  private:
    RandomSource &random_;
    Dpi dpi_;
    HWND form_ = nullptr;
    std::array<HWND, 7> controls_{};
    HWND focus_ = nullptr; // the button that had the focus when the window was left
    HFONT digitFont_ = nullptr;
    HFONT titleFont_ = nullptr;
    HFONT buttonFont_ = nullptr;
    HMETAFILE picture_ = nullptr; // the win picture for the system's player, once our reader has passed it
    MetafileBounds pictureBounds_;

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void Layout(UINT dpi);
    void DrawPicture(const DRAWITEMSTRUCT &item) const;
    void OnCommand(HWND control);
};

// Ends the program at once with status 0, whatever the window shows.
[[noreturn]] void QuitGame();

} // namespace velmora
