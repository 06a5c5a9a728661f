// The floor for the Windows program's start-up and key presses: a minimal Win32 program with the same
// window and the same seven controls, captions and fonts, placed by hand, with no game, picture or
// icon. "Neues Spiel" writes the next digit into the three boxes.

#include <windows.h>

#include <array>

namespace {

constexpr int kNewGame = 1;
constexpr int kFirstBox = 2;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    static std::array<wchar_t, 2> digit{L'0'};
    if (message == WM_COMMAND && LOWORD(wParam) == kNewGame) {
        digit[0] = digit[0] == L'9' ? L'0' : static_cast<wchar_t>(digit[0] + 1);
        for (int box = kFirstBox; box < kFirstBox + 3; ++box)
            SetDlgItemTextW(window, box, digit.data());
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HFONT Font(int height, const wchar_t *face)
{
    return CreateFontW(-height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, face);
}

} // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, PWSTR /*lpCmdLine*/, int nShowCmd)
{
    WNDCLASSW form{};
    form.lpfnWndProc = Procedure;
    form.hInstance = hInstance;
    form.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    form.lpszClassName = L"PlainForm";
    RegisterClassW(&form);
    RECT frame{0, 0, 662, 346};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window =
        CreateWindowExW(0, L"PlainForm", L"Form1", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, hInstance, nullptr);
    const HFONT digits = Font(32, L"Times New Roman");
    const DWORD box = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTER;
    struct Control {
        const wchar_t *kind;
        const wchar_t *caption;
        DWORD style;
        int x, y, width, height;
        int id;
        HFONT font;
    };
    const auto controls = std::to_array<Control>({
        {L"BUTTON", L"Beenden", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 24, 120, 105, 33, 0, nullptr},
        {L"BUTTON", L"Neues Spiel", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 24, 32, 105, 33, kNewGame, nullptr},
        {L"STATIC", L"", WS_CHILD, 192, 160, 425, 185, 0, nullptr},
        {L"STATIC", L"Velmora", WS_CHILD | WS_VISIBLE, 24, 192, 121, 105, 0, Font(27, L"Arial")},
        {L"STATIC", L"", box, 320, 32, 137, 105, kFirstBox + 1, digits},
        {L"STATIC", L"", box, 480, 32, 137, 105, kFirstBox + 2, digits},
        {L"STATIC", L"", box, 160, 32, 137, 105, kFirstBox, digits},
    });
    for (const Control &control : controls) {
        // A child window's id travels in the menu handle's place.
        auto *const id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)); // NOLINT(performance-no-int-to-ptr)
        HWND child = CreateWindowExW(0, control.kind, control.caption, control.style, control.x, control.y,
                                     control.width, control.height, window, id, hInstance, nullptr);
        if (control.font != nullptr)
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(control.font), FALSE);
    }
    ShowWindow(window, nShowCmd);
    UpdateWindow(window);
    SetFocus(GetDlgItem(window, kNewGame));
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message) == 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}
