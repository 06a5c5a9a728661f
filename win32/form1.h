#pragma once

// The game's window, Form1, as a native Win32 window built from its description, and the program
// around it. Its parts stand in files of their own: the form and its controls built from the
// description (form_builder.cpp), the picture box (picture_box.cpp), the window procedure
// (window_procedure.cpp), the program's loop and end (program.cpp).

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
    [[nodiscard]] HWND Window() const { return form_; }

    // The controls, in creation order.
    [[nodiscard]] HWND Control(std::size_t index) const { return controls_.at(index); }
    [[nodiscard]] HWND Command2() const;
    [[nodiscard]] HWND Command1() const;
    [[nodiscard]] HWND Image1() const;

  private:
    RandomSource &random_;
    Dpi dpi_;
    HWND form_ = nullptr;
    std::array<HWND, 7> controls_{};
    HWND focus_ = nullptr; // the button that had the focus when the window was left
    HFONT digitFont_ = nullptr;
    HFONT titleFont_ = nullptr;
    HFONT buttonFont_ = nullptr;
    BoxPicture picture_;
    HMETAFILE systemPicture_ = nullptr; // the picture for the system's player, once our reader has passed it

    // form_builder.cpp
    void CreateForm(HINSTANCE instance);
    void CreateControls();
    void Layout(UINT dpi);
    // picture_box.cpp
    void DrawPicture(const DRAWITEMSTRUCT &item);
    // window_procedure.cpp
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(HWND control);
};

// Ends the program at once with status 0, whatever the window shows.
[[noreturn]] void QuitGame();

// Shows an error that no handler trapped, as a German message box, then ends the program with status 1.
[[noreturn]] void ReportUntrappedError(HWND form, const std::exception &error);

} // namespace velmora
