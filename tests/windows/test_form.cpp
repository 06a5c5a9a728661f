// Form1 itself under Wine, at the density of the prefix it runs in (VELMORA_DPI), with and without the
// per-monitor functions: laid out at the screen's density, laid out again when it is moved to a monitor
// of another, and its picture drawn hundreds of times without keeping any drawing object.
// Run on a display by the Linux build's Wine end-to-end test.

#include "game/game.h"
#include "win32/form1.h"
#include "window/window_description.h"

#include <doctest/doctest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

using velmora::TwipsToPixels;
using velmora::WindowDescription;

namespace {

struct NoDraws final : velmora::RandomSource {
    float Next() override { return 0; }
};

// The control's place in the form's client area, and its font's height.
RECT PlaceOf(HWND control)
{
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT *>(&place), 2);
    return place;
}

LONG FontHeightOf(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font.lfHeight;
}

void CheckLaidOutAt(const velmora::Form1 &form, UINT dpi)
{
    CAPTURE(dpi);
    const auto pixels = [dpi](int twips) { return TwipsToPixels(twips, static_cast<int>(dpi)); };
    for (std::size_t i = 0; i < WindowDescription.controls.size(); ++i) {
        const velmora::ControlDescription &control = WindowDescription.controls.at(i);
        CAPTURE(control.name);
        const RECT place = PlaceOf(form.Control(i));
        CHECK(place.left == pixels(control.left));
        CHECK(place.top == pixels(control.top));
        CHECK(place.right - place.left == pixels(control.width));
        CHECK(place.bottom - place.top == pixels(control.height));
        if (control.font)
            CHECK(FontHeightOf(form.Control(i)) == -std::lround(velmora::FontSizeToPixels(control.font->size, dpi)));
    }
}

// The drawing objects the process holds. Wine has no count of its own (GetGuiResources answers 0), but
// it answers a handle by its place in its table alone: every place that answers holds an object.
int DrawingObjects()
{
    int objects = 0;
    for (std::uintptr_t slot = 1; slot <= 0xFFFF; ++slot)
        objects += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0 ? 1 : 0;
    return objects;
}

} // namespace

TEST_CASE("the form is laid out for the screen's density, and again on a monitor of another")
{
    const auto screen = static_cast<UINT>(std::atoi(std::getenv("VELMORA_DPI")));
    struct Row {
        const char *system;
        HMODULE user32;
    };
    for (const Row row : {Row{"Windows 10 1607 and later", GetModuleHandleW(L"user32.dll")},
                          Row{"Windows 7 to 10 1511: no per-monitor functions", nullptr}}) {
        CAPTURE(row.system);
        NoDraws random;
        const velmora::Form1 form(GetModuleHandleW(nullptr), random, velmora::Dpi(row.user32));
        RECT client{};
        GetClientRect(form.Window(), &client);
        CHECK(client.right == TwipsToPixels(WindowDescription.clientWidth, static_cast<int>(screen)));
        CHECK(client.bottom == TwipsToPixels(WindowDescription.clientHeight, static_cast<int>(screen)));
        CheckLaidOutAt(form, screen);

        // The system moves the window to a monitor of another density, with the frame it suggests (one
        // that still fits the test's screen).
        const UINT moved = screen * 5 / 4;
        RECT frame{100, 100, 100 + TwipsToPixels(WindowDescription.clientWidth, static_cast<int>(moved)),
                   100 + TwipsToPixels(WindowDescription.clientHeight, static_cast<int>(moved))};
        AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
        SendMessageW(form.Window(), WM_DPICHANGED, MAKEWPARAM(moved, moved), reinterpret_cast<LPARAM>(&frame));
        CheckLaidOutAt(form, moved);
        RECT window{};
        GetWindowRect(form.Window(), &window);
        CHECK(window.right - window.left == frame.right - frame.left);
        CHECK(window.bottom - window.top == frame.bottom - frame.top);
    }
}

TEST_CASE("drawing the picture hundreds of times keeps no drawing object")
{
    NoDraws random;
    const velmora::Form1 form(GetModuleHandleW(nullptr), random);
    ShowWindow(form.Window(), SW_SHOWNOACTIVATE);
    ShowWindow(form.Picture(), SW_SHOW);
    const auto draw = [&](int times) {
        for (int i = 0; i < times; ++i) {
            InvalidateRect(form.Picture(), nullptr, FALSE);
            UpdateWindow(form.Picture());
        }
    };
    draw(10);
    const int before = DrawingObjects();
    REQUIRE(before > 0);
    draw(300); // one object kept a draw would be 300 more
    CHECK(DrawingObjects() == before);
}

TEST_CASE("a new colour scheme while the game runs: the controls take its colours at once")
{
    NoDraws random; // every draw 0: no win, so the picture is shown by hand
    velmora::Form1 form(GetModuleHandleW(nullptr), random);
    ShowWindow(form.Window(), SW_SHOWNOACTIVATE);
    SendMessageW(form.NewGameButton(), BM_CLICK, 0, 0); // 0 0 0
    ShowWindow(form.Picture(), SW_SHOW);
    const auto settle = [] {
        MSG message{};
        for (int round = 0; round < 20; ++round) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
            Sleep(10);
        }
    };
    settle();

    // High contrast, white on black, as a player switches to it; the old scheme back afterwards.
    const std::array<int, 5> elements{COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_WINDOWFRAME};
    std::array<COLORREF, 5> old{};
    for (std::size_t i = 0; i < elements.size(); ++i)
        old.at(i) = GetSysColor(elements.at(i));
    const std::array<COLORREF, 5> contrast{RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255),
                                           RGB(255, 255, 255)};
    REQUIRE(SetSysColors(5, elements.data(), contrast.data()) != 0);
    settle();
    // What the screen shows at a point of a control's client area.
    const auto shown = [](HWND control, int x, int y) {
        HDC dc = GetDC(control);
        const COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(control, dc);
        return colour;
    };
    const RECT box{0, 0, 130, 100};
    int light = 0;
    for (int y = box.top + 4; y < box.bottom; y += 2) {
        for (int x = box.left + 4; x < box.right; x += 2)
            light += GetRValue(shown(form.Control(velmora::at::Digit1), x, y)) > 200 ? 1 : 0;
    }
    const COLORREF formFace = shown(form.Window(), 10, 330);
    const COLORREF labelFace = shown(form.Control(velmora::at::Digit1), 4, 4);
    const COLORREF pictureFace = shown(form.Picture(), 4, 4); // beside the coins
    SetSysColors(5, elements.data(), old.data());
    CHECK(formFace == RGB(0, 0, 0));
    CHECK(labelFace == RGB(0, 0, 0));
    CHECK(pictureFace == RGB(0, 0, 0));
    CHECK(light > 20); // the digit in the scheme's white
}
