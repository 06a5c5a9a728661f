#pragma once

// What the end-to-end tests need of an X server, kept apart from Qt's headers (Xlib's macros clash
// with Qt's names): the windows of a process, their pixels, and a window manager's close request.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB, row by row
};

class XDisplay {
  public:
    // Connects to the display `name` (":141"); Connected() tells whether that worked.
    explicit XDisplay(const std::string &name);
    ~XDisplay();
    XDisplay(const XDisplay &) = delete;
    XDisplay &operator=(const XDisplay &) = delete;

    [[nodiscard]] bool Connected() const;
    // The first mapped top-level window whose _NET_WM_PID is `pid`, or 0.
    [[nodiscard]] unsigned long WindowOf(long pid) const;
    // The whole window, or a rectangle of it.
    [[nodiscard]] RgbImage Capture(unsigned long window) const;
    [[nodiscard]] RgbImage Capture(unsigned long window, int x, int y, int width, int height) const;
    // Gives the window the keyboard focus, as a window manager would on a click.
    void Focus(unsigned long window) const;
    // A key pressed and released through the XTEST extension, as a keyboard would.
    void Type(const char *keysym) const;
    // Asks the window to close, as a window manager's close button does (WM_DELETE_WINDOW).
    void RequestClose(unsigned long window) const;

  private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
};
