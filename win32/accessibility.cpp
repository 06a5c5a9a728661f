#include "win32/accessibility.h"

#include "win32/system_function.h"
#include "win32/text.h"
#include "window/window_description.h"

#include <oleacc.h>

#include <string>

namespace velmora {

void DescribeForAssistiveTechnology(const PerControl<HWND> &controls)
{
    // COM's library, loaded here rather than with the program, and kept with its apartment until the
    // program ends. ole32 is one of the system's known libraries: it never comes from another folder.
    const HMODULE ole32 = LoadLibraryW(L"ole32.dll");
    decltype(&CoInitializeEx) initialize = nullptr;
    decltype(&CoCreateInstance) create = nullptr;
    FindSystemFunction(initialize, ole32, "CoInitializeEx");
    FindSystemFunction(create, ole32, "CoCreateInstance");
    IAccPropServices *services = nullptr;
    if (initialize == nullptr || create == nullptr || FAILED(initialize(nullptr, COINIT_APARTMENTTHREADED))
        || FAILED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                         reinterpret_cast<void **>(&services))))
        return;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlDescription &control = WindowDescription.controls.at(i);
        const auto annotate = [&](const MSAAPROPID &property, std::string_view text) {
            if (!text.empty())
                services->SetHwndPropStr(controls.at(i), OBJID_CLIENT, CHILDID_SELF, property, Wide(text).c_str());
        };
        annotate(PROPID_ACC_NAME, control.accessibleName);
        annotate(PROPID_ACC_DESCRIPTION, control.accessibleDescription);
        if (control.kind == ControlKind::Image) {
            VARIANT role{};
            role.vt = VT_I4;
            role.lVal = ROLE_SYSTEM_GRAPHIC;
            services->SetHwndProp(controls.at(i), OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_ROLE, role);
        }
    }
    services->Release(); // the annotations stay with the windows
}

void AnnounceWin(HWND picture)
{
    NotifyWinEvent(EVENT_SYSTEM_ALERT, picture, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace velmora
