// Form1 and its controls as the description has them: the form's class and frame, each control's
// class, style and text, the focus order, and positions, sizes and fonts at the window's density.

#include "win32/form1.h"

#include "win32/text.h"
#include "window/window_description.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

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

// What a control without a font of its own shows: the system's message font.
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

} // namespace

// The form at the system's density, where the window system places a new window.
void Form1::CreateForm(HINSTANCE instance)
{
    RegisterFormClass(instance, &Procedure);
    const UINT dpi = dpi_.ForSystem();
    RECT frame{0, 0, TwipsToPixels(WindowDescription.clientWidth, static_cast<int>(dpi)),
               TwipsToPixels(WindowDescription.clientHeight, static_cast<int>(dpi))};
    dpi_.AdjustFrame(frame, kFormStyle, dpi);
    form_ = CreateWindowExW(0, kFormClass, Wide(WindowDescription.caption).c_str(), kFormStyle, CW_USEDEFAULT,
                            CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            instance, this);
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
// Each control has the font its description names (controls that name the same font share one),
// the system's message font where it names none. The controls are given the new fonts before the
// old ones are deleted.
void Form1::Layout(UINT dpi)
{
    const PerControl<HFONT> old = fonts_;
    const auto pixels = [dpi](int twips) { return TwipsToPixels(twips, static_cast<int>(dpi)); };
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const ControlDescription &control = WindowDescription.controls.at(i);
        SetWindowPos(controls_.at(i), nullptr, pixels(control.left), pixels(control.top), pixels(control.width),
                     pixels(control.height), SWP_NOZORDER | SWP_NOACTIVATE);
        fonts_.at(i) = nullptr;
        for (std::size_t earlier = 0; earlier < i && fonts_.at(i) == nullptr; ++earlier) {
            if (WindowDescription.controls.at(earlier).font == control.font)
                fonts_.at(i) = fonts_.at(earlier);
        }
        if (fonts_.at(i) == nullptr)
            fonts_.at(i) = control.font ? CreateDescribedFont(*control.font, dpi) : CreateMessageFont(dpi_, dpi);
        SendMessageW(controls_.at(i), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.at(i)), TRUE);
    }
    DeleteFonts(old);
}

// Each font once, however many controls share it.
void Form1::DeleteFonts(const PerControl<HFONT> &fonts)
{
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        if (std::find(fonts.begin(), fonts.begin() + static_cast<std::ptrdiff_t>(i), fonts.at(i))
            == fonts.begin() + static_cast<std::ptrdiff_t>(i))
            DeleteObject(fonts.at(i));
    }
}

} // namespace velmora
