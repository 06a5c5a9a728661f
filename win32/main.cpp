#include "game/game.h"
#include "win32/form1.h"

#include <commctrl.h>
#include <windows.h>

// The game takes no command line: whatever is passed is ignored.
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, PWSTR /*lpCmdLine*/, int nShowCmd)
{
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    velmora::RuntimeRandom random; // the run's one generator, made before the window
    velmora::Form1 form(hInstance, random);
    form.Show(nShowCmd);
    return velmora::Form1::Run(form.Window());
}
