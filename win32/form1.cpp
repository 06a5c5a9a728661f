#include "win32/form1.h"

#include "win32/accessibility.h"
#include "window/window_description.h"

namespace velmora {

Form1::Form1(HINSTANCE instance, RandomSource &random, Dpi density)
    : random_(random), dpi_(density),
      picture_(WinPicture, [](const std::string &fault) { OutputDebugStringA(fault.c_str()); })
{
    CreateForm(instance);
    CreateControls();
    Layout(dpi_.ForWindow(form_));
    DescribeForAssistiveTechnology(controls_);
}

Form1::~Form1()
{
    SetWindowLongPtrW(form_, GWLP_USERDATA, 0); // the window, where it is still there, is on its own now
    DestroyWindow(form_);
    if (systemPicture_ != nullptr)
        DeleteMetaFile(systemPicture_);
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

void Form1::Show(int how)
{
    ShowWindow(form_, how);
    UpdateWindow(form_);
    SetFocus(focus_);
}

} // namespace velmora
