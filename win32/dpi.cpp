#include "win32/dpi.h"

namespace velmora {

namespace {

template <typename Function> void Find(Function &function, HMODULE module, const char *name)
{
    if (module != nullptr) // through the plain function type: FARPROC's own would not match any
        function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace

Dpi::Dpi(HMODULE user32)
{
    Find(forSystem_, user32, "GetDpiForSystem");
    Find(forWindow_, user32, "GetDpiForWindow");
    Find(adjustFrame_, user32, "AdjustWindowRectExForDpi");
    Find(parametersInfo_, user32, "SystemParametersInfoForDpi");
}

UINT Dpi::ForSystem() const
{
    if (forSystem_ != nullptr)
        return forSystem_();
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

UINT Dpi::ForWindow(HWND window) const
{
    return forWindow_ != nullptr ? forWindow_(window) : ForSystem(); // before 1607 the system scales the rest
}

void Dpi::AdjustFrame(RECT &rect, DWORD style, UINT dpi) const
{
    if (adjustFrame_ != nullptr)
        adjustFrame_(&rect, style, FALSE, 0, dpi);
    else
        AdjustWindowRectEx(&rect, style, FALSE, 0);
}

NONCLIENTMETRICSW Dpi::Metrics(UINT dpi) const
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (parametersInfo_ != nullptr)
        parametersInfo_(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi);
    else
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return metrics;
}

} // namespace velmora
