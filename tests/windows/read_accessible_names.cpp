// Prints what a screen reader reads as the name of each control of the running game's window, one
// line each in creation order (UTF-8), through the system's accessibility layer.
//   read_accessible_names.exe

#include <oleacc.h>
#include <windows.h>

#include <cstdio>
#include <string>

int wmain()
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HWND form = FindWindowW(L"VelmoraForm1", nullptr);
    if (form == nullptr) {
        std::fputs("no game window\n", stderr);
        return 1;
    }
    constexpr int kFirstControlId = 100; // the controls' ids, in creation order
    for (int id = kFirstControlId; id < kFirstControlId + 7; ++id) {
        IAccessible *accessible = nullptr;
        BSTR name = nullptr;
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        if (SUCCEEDED(AccessibleObjectFromWindow(GetDlgItem(form, id), static_cast<DWORD>(OBJID_CLIENT),
                                                 IID_IAccessible, reinterpret_cast<void **>(&accessible)))) {
            accessible->get_accName(self, &name);
            accessible->Release();
        }
        const std::wstring wide = name != nullptr ? std::wstring(name, SysStringLen(name)) : std::wstring();
        SysFreeString(name);
        std::string utf8(static_cast<std::size_t>(wide.size()) * 3, '\0');
        utf8.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                                                 utf8.data(), static_cast<int>(utf8.size()), nullptr,
                                                                 nullptr)));
        std::printf("%s\n", utf8.c_str());
    }
    return 0;
}
