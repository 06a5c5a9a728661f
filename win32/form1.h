#pragma once

// The game's window, Form1, as a native Win32 window built from its description, and the program
// around it.

#include "win32/dpi.h"
#include "win32/picture_box.h"
#include "window/window_description.h"

#include <windows.h>

#include <memory>
#include <string>

namespace velmora {

class FormGameView;
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
    [[nodiscard]] HWND QuitButton() const;
    [[nodiscard]] HWND NewGameButton() const;
    [[nodiscard]] HWND Picture() const;

  private:
    // Posted to the form once it is shown: the controls are described for screen readers.
    static constexpr UINT kDescribe = WM_APP;

    RandomSource &random_;
    Dpi dpi_;
    HWND form_ = nullptr;
    PerControl<HWND> controls_{};
    HWND focus_ = nullptr; // the button that had the focus when the window was left
    PerControl<HFONT> fonts_{};
    PictureBox picture_;
    std::unique_ptr<FormGameView> view_;

    // The form and its controls as the description has them, at a density.
    void CreateForm(HINSTANCE instance);
    void CreateControls();
    void Layout(UINT dpi);
    static void DeleteFonts(const PerControl<HFONT> &fonts);
    // What the window hears from the system.
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(HWND control);
    // Whether `window` is one of the controls that take the focus.
    [[nodiscard]] bool TakesFocus(HWND window) const;
};

// Ends the program at once with status 0, whatever the window shows.
[[noreturn]] void QuitGame();

// Shows an error that no handler trapped, as a German message box, then ends the program with status 1.
[[noreturn]] void ReportUntrappedError(HWND form, const std::string &text);

} // namespace velmora
