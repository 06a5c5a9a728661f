#include "win32/accessibility.h"

#include "win32/text.h"
#include "window/window_description.h"

#include <oleacc.h>

#include <string>

namespace velmora {

void DescribeForAssistiveTechnology(const PerControl<HWND> &controls)
{
    IAccPropServices *services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
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
