#pragma once

// Who the program is: its name, version, desktop id and icon.

#include "resources/identity.h"

#include <QIcon>

namespace velmora {

// The gold coin, in the sizes a window's title bar and the task bar show.
QIcon AppIcon();

} // namespace velmora
