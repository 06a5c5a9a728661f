#include "win32/dpi.h"

#include "win32/system_function.h"

namespace velmora {

Dpi::Dpi(HMODULE user32)
{
    FindSystemFunction(forSystem_, user32, "GetDpiForSystem");
    FindSystemFunction(forWindow_, user32, "GetDpiForWindow");
    FindSystemFunction(adjustFrame_, user32, "AdjustWindowRectExForDpi");
    FindSystemFunction(parametersInfo_, user32, "SystemParametersInfoForDpi");
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
