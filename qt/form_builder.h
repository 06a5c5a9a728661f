#pragma once

#include "window/window_description.h"

#include <array>

class QWidget;

namespace velmora {

// Realises a form description on `form`: its caption and size, then each control in
// creation order with every setting the description holds, then the focus order.
PerControl<QWidget *> BuildForm(const FormDescription &description, QWidget &form);

} // namespace velmora
