#pragma once

// What screen readers learn of the form beyond the controls' own texts: the accessible names and
// descriptions from the window's description, and each win as it appears.

#include "window/window_description.h"

#include <windows.h>

namespace velmora {

// Annotates each control (in creation order) with its described name, description and, for the
// picture, its role, through the system's accessibility annotations; sets up COM on the calling
// thread for them. Where the system offers none, the controls' texts stay their names.
void DescribeForAssistiveTechnology(const PerControl<HWND> &controls);

// Tells screen readers that the picture of a win has just appeared.
void AnnounceWin(HWND picture);

} // namespace velmora
