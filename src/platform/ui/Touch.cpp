#include "ui/Touch.h"

#include "ui/View.h"

namespace ui {

gfx::Point Touch::locationInView(const View* view) const {
    if (!view) return location_;
    return view->convertPointFrom(location_, nullptr);
}

}  // namespace ui
