// The screen's density on every Windows: asked through the newer per-monitor functions where the
// system has them, and through the older calls where it does not (Windows 7 to early 10). Both
// ways must give the same answers on a system that has both.

#include "win32/dpi.h"

#include <doctest/doctest.h>

#include <cwchar>
#include <initializer_list>

TEST_CASE("with and without the per-monitor functions the density is the same")
{
    HDC screen = GetDC(nullptr);
    const auto system = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    HWND window = GetDesktopWindow(); // a window of the system's, for a run without a display too
    RECT expected{0, 0, 662, 346};
    AdjustWindowRectEx(&expected, WS_OVERLAPPEDWINDOW, FALSE, 0);

    struct Row {
        const char *system;
        HMODULE user32;
    };
    for (const Row row : {Row{"Windows 10 1607 and later", GetModuleHandleW(L"user32.dll")},
                          Row{"Windows 7 to 10 1511: none of them", nullptr},
                          Row{"a module without them", GetModuleHandleW(L"kernel32.dll")}}) {
        CAPTURE(row.system);
        const velmora::Dpi dpi(row.user32);
        CHECK(dpi.ForSystem() == system);
        CHECK(dpi.ForWindow(window) == system);
        RECT frame{0, 0, 662, 346};
        dpi.AdjustFrame(frame, WS_OVERLAPPEDWINDOW, system);
        CHECK(frame.left == expected.left);
        CHECK(frame.top == expected.top);
        CHECK(frame.right == expected.right);
        CHECK(frame.bottom == expected.bottom);
        const NONCLIENTMETRICSW metrics = dpi.Metrics(system);
        CHECK(metrics.lfMessageFont.lfHeight != 0);
        CHECK(std::wcslen(metrics.lfMessageFont.lfFaceName) > 0);
    }
}
