// What assistive technology learns of the running game's window, from another process as a screen
// reader would:
//   probe.exe names          each control's name, description and role (a number), in creation order:
//                            "name|description|role", one line each (UTF-8)
//   probe.exe alert          prints "ready", then "alert ID" for the first alert event a control of the
//                            game raises within 30 seconds (ID: the control's id), or "no alert"

#include <oleacc.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kFirstControlId = 100; // the controls' ids, in creation order

std::string Utf8(BSTR text)
{
    const std::wstring wide = text != nullptr ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(
        static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                                     utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr)));
    return utf8;
}

int Names(HWND form)
{
    for (int id = kFirstControlId; id < kFirstControlId + 7; ++id) {
        IAccessible *accessible = nullptr;
        BSTR name = nullptr;
        BSTR description = nullptr;
        VARIANT role{};
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        if (SUCCEEDED(AccessibleObjectFromWindow(GetDlgItem(form, id), static_cast<DWORD>(OBJID_CLIENT),
                                                 IID_IAccessible, reinterpret_cast<void **>(&accessible)))) {
            accessible->get_accName(self, &name);
            accessible->get_accDescription(self, &description);
            accessible->get_accRole(self, &role);
            accessible->Release();
        }
        std::printf("%s|%s|%ld\n", Utf8(name).c_str(), Utf8(description).c_str(), role.vt == VT_I4 ? role.lVal : 0L);
    }
    return 0;
}

HWND game = nullptr;

void CALLBACK Alerted(HWINEVENTHOOK /*hook*/, DWORD /*event*/, HWND window, LONG /*object*/, LONG /*child*/,
                      DWORD /*thread*/, DWORD /*time*/)
{
    if (GetParent(window) == game) {
        std::printf("alert %d\n", GetDlgCtrlID(window));
        std::fflush(stdout);
        PostQuitMessage(0);
    }
}

int Alert(HWND form)
{
    game = form;
    DWORD process = 0;
    GetWindowThreadProcessId(form, &process);
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, &Alerted, process, 0, WINEVENT_OUTOFCONTEXT);
    std::printf("ready\n");
    std::fflush(stdout);
    const UINT_PTR timer = SetTimer(nullptr, 0, 30000, nullptr);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.wParam == timer) {
            std::printf("no alert\n");
            break;
        }
        DispatchMessageW(&message);
    }
    UnhookWinEvent(hook);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t *argv[])
{
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HWND form = FindWindowW(L"VelmoraForm1", nullptr);
    if (form == nullptr) {
        std::fputs("no game window\n", stderr);
        return 1;
    }
    if (mode == L"names")
        return Names(form);
    if (mode == L"alert")
        return Alert(form);
    std::fputs("usage: probe.exe names|alert\n", stderr);
    return 2;
}
