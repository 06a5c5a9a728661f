#include "win32/form1.h"

#include "game/game.h"
#include "picture/picture.h"
#include "win32/accessibility.h"
#include "win32/game_view.h"
#include "win32/text.h"
#include "window/window_description.h"

#include <array>
#include <cmath>
#include <iterator>
#include <string>
#include <variant>

namespace velmora {

namespace {

constexpr const wchar_t *kFormClass = L"VelmoraForm1";
constexpr int kFirstControlId = 100;
constexpr int kIconId = 1;
// Resizable, with minimise and maximise; the form paints around its controls, never under them.
constexpr DWORD kFormStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

const wchar_t *ClassOf(ControlKind kind)
{
    return kind == ControlKind::CommandButton ? L"BUTTON" : L"STATIC";
}

DWORD StyleOf(const ControlDescription &control)
{
    DWORD style = WS_CHILD | (control.visible ? WS_VISIBLE : 0);
    switch (control.kind) {
    case ControlKind::CommandButton:
        return style | WS_TABSTOP | BS_PUSHBUTTON;
    case ControlKind::Image:
        return style | SS_OWNERDRAW;
    case ControlKind::Label:
        style |= SS_NOPREFIX | (control.alignment == Alignment::Center ? SS_CENTER : SS_LEFT);
        return style | (control.border == BorderStyle::FixedSingle ? WS_BORDER : 0);
    }
    return style;
}

HFONT CreateDescribedFont(const FontDescription &font, UINT dpi)
{
    LOGFONTW log{};
    log.lfHeight = -static_cast<LONG>(std::lround(FontSizeToPixels(font.size, static_cast<int>(dpi))));
    log.lfWeight = font.weight;
    log.lfItalic = font.italic ? TRUE : FALSE;
    log.lfUnderline = font.underline ? TRUE : FALSE;
    log.lfStrikeOut = font.strikethrough ? TRUE : FALSE;
    log.lfCharSet = font.charset;
    const std::wstring face = Wide(font.face);
    face.copy(std::begin(log.lfFaceName), LF_FACESIZE - 1);
    return CreateFontIndirectW(&log);
}

// The buttons have no font of their own: they take the system's message font.
HFONT CreateMessageFont(const Dpi &dpi, UINT dots)
{
    const NONCLIENTMETRICSW metrics = dpi.Metrics(dots);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

void RegisterFormClass(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW form{};
    form.cbSize = sizeof(form);
    form.lpfnWndProc = procedure;
    form.hInstance = instance;
    form.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconId));
    form.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    form.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));     // the arrow
    form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1); // the scheme's face at each erase
    form.lpszClassName = kFormClass;
    RegisterClassExW(&form);
}

// Shows an error that no handler trapped, as a German message box, then ends the program with status 1.
[[noreturn]] void ReportUntrappedError(HWND form, const std::exception &error)
{
    MessageBoxW(form, Wide(UntrappedErrorText(error)).c_str(), L"Velmora", MB_OK | MB_ICONERROR);
    ExitProcess(1);
}

} // namespace

void QuitGame()
{
    ExitProcess(0);
}

Form1::Form1(HINSTANCE instance, RandomSource &random, Dpi density) : random_(random), dpi_(density)
{
    // The picture is read strictly once; only bytes that pass go to the system's metafile player.
    if (const auto read = Metafile::Read(WinPicture); std::holds_alternative<Metafile>(read)) {
        pictureBounds_ = std::get<Metafile>(read).Bounds();
        constexpr std::size_t kPlaceable = 22;
        picture_ = SetMetaFileBitsEx(static_cast<UINT>(WinPicture.size() - kPlaceable), &WinPicture[kPlaceable]);
    }

    RegisterFormClass(instance, &Procedure);
    const UINT dpi = dpi_.ForSystem();
    RECT frame{0, 0, TwipsToPixels(WindowDescription.clientWidth, static_cast<int>(dpi)),
               TwipsToPixels(WindowDescription.clientHeight, static_cast<int>(dpi))};
    dpi_.AdjustFrame(frame, kFormStyle, dpi);
    form_ = CreateWindowExW(0, kFormClass, Wide(WindowDescription.caption).c_str(), kFormStyle, CW_USEDEFAULT,
                            CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            instance, this);
    CreateControls();
    Layout(dpi_.ForWindow(form_));
    DescribeForAssistiveTechnology(controls_);
}

Form1::~Form1()
{
    SetWindowLongPtrW(form_, GWLP_USERDATA, 0); // the window, where it is still there, is on its own now
    DestroyWindow(form_);
    if (picture_ != nullptr)
        DeleteMetaFile(picture_);
    for (HFONT font : {digitFont_, titleFont_, buttonFont_})
        DeleteObject(font);
}

HWND Form1::Command2() const
{
    return controls_[at::Command2];
}
HWND Form1::Command1() const
{
    return controls_[at::Command1];
}
HWND Form1::Image1() const
{
    return controls_[at::Image1];
}
HWND Form1::Label4() const
{
    return controls_[at::Label4];
}
HWND Form1::Label2() const
{
    return controls_[at::Label2];
}
HWND Form1::Label3() const
{
    return controls_[at::Label3];
}
HWND Form1::Label1() const
{
    return controls_[at::Label1];
}

// Each control in creation order, then the buttons chained in their focus order.
void Form1::CreateControls()
{
    auto *const instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(form_, GWLP_HINSTANCE));
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const ControlDescription &control = WindowDescription.controls.at(i);
        // A control that shows no caption of its own (the picture) carries its accessible name as its
        // text, where every screen reader finds it.
        const std::string_view text = control.caption.empty() ? control.accessibleName : control.caption;
        controls_.at(i) = CreateWindowExW(0, ClassOf(control.kind), Wide(text).c_str(), StyleOf(control), 0, 0, 0, 0,
                                          form_, reinterpret_cast<HMENU>(kFirstControlId + i), instance, nullptr);
    }
    HWND previous = HWND_TOP;
    for (const std::size_t control : kFocusOrder) {
        SetWindowPos(controls_.at(control), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = controls_.at(control);
    }
    focus_ = controls_.at(kFocusOrder.front());
}

// Positions, sizes and fonts at the window's density; nothing moves when the window is resized.
// The controls are given the new fonts before the old ones are deleted.
void Form1::Layout(UINT dpi)
{
    const std::array<HFONT, 3> old{digitFont_, titleFont_, buttonFont_};
    digitFont_ = CreateDescribedFont(kDigitFont, dpi);
    titleFont_ = CreateDescribedFont(kTitleFont, dpi);
    buttonFont_ = CreateMessageFont(dpi_, dpi);
    const auto pixels = [dpi](int twips) { return TwipsToPixels(twips, static_cast<int>(dpi)); };
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const ControlDescription &control = WindowDescription.controls.at(i);
        SetWindowPos(controls_.at(i), nullptr, pixels(control.left), pixels(control.top), pixels(control.width),
                     pixels(control.height), SWP_NOZORDER | SWP_NOACTIVATE);
        HFONT font = !control.font ? buttonFont_ : control.font->size == kDigitFont.size ? digitFont_ : titleFont_;
        SendMessageW(controls_.at(i), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    for (HFONT font : old)
        DeleteObject(font);
}

void Form1::Show(int how)
{
    ShowWindow(form_, how);
    UpdateWindow(form_);
    SetFocus(focus_);
}

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

// The picture stretched over the whole box by the system's own metafile player, drawn off screen
// and then shown in one copy, so that the box never shows half a picture.
void Form1::DrawPicture(const DRAWITEMSTRUCT &item) const
{
    const int width = item.rcItem.right - item.rcItem.left;
    const int height = item.rcItem.bottom - item.rcItem.top;
    HDC memory = CreateCompatibleDC(item.hDC);
    HBITMAP canvas = CreateCompatibleBitmap(item.hDC, width, height);
    HGDIOBJ previous = SelectObject(memory, canvas);
    const RECT whole{0, 0, width, height};
    FillRect(memory, &whole, GetSysColorBrush(COLOR_BTNFACE));
    if (picture_ != nullptr) {
        const MetafileBounds &bounds = pictureBounds_;
        const int saved = SaveDC(memory); // the copy below reads the canvas in pixels
        SetMapMode(memory, MM_ANISOTROPIC);
        SetWindowOrgEx(memory, bounds.left, bounds.top, nullptr);
        SetWindowExtEx(memory, bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr);
        SetViewportExtEx(memory, width, height, nullptr);
        PlayMetaFile(memory, picture_);
        RestoreDC(memory, saved);
    }
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteObject(canvas);
    DeleteDC(memory);
}

// The only two handlers of the program. An error a game raises goes no further than here.
void Form1::OnCommand(HWND control)
{
    if (control == Command1()) {
        try {
            WindowGameView view(*this);
            NewGame(view, random_);
        } catch (const std::exception &error) {
            ReportUntrappedError(form_, error);
        }
    } else if (control == Command2()) {
        QuitGame();
    }
}

LRESULT CALLBACK Form1::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *form = static_cast<Form1 *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        form->form_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto *form = reinterpret_cast<Form1 *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return form != nullptr ? form->Handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Form1::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            OnCommand(reinterpret_cast<HWND>(lParam));
        return 0;
    case DM_GETDEFID: // Return clicks the focused button; there is no default button
        if (const HWND focused = GetFocus(); focused == Command1() || focused == Command2())
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
        if (const auto *item = reinterpret_cast<const DRAWITEMSTRUCT *>(lParam); item->hwndItem == Image1())
            DrawPicture(*item);
        return TRUE;
    case WM_ACTIVATE: // the focus comes back to the button that had it
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (const HWND focused = GetFocus(); focused == Command1() || focused == Command2())
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
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(form_, message, wParam, lParam);
}

} // namespace velmora
