#pragma once

// Who the program is: its name, version, desktop id and icon.

#include "resources/identity.h"

#include <QIcon>

namespace velmora {

// The gold coin, in every size the program carries.
QIcon AppIcon();

} // namespace velmora
