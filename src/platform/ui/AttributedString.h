#pragma once

#include "gfx/AttributedString.h"

namespace ui {

// Labels take the drawing library's runs of text as they are.
using AttributedString = gfx::AttributedString;

}  // namespace ui
