#include "home/VLCellPressAnimation.h"

#include "ui/AnimationOptions.h"
#include "ui/View.h"

void VLCellPressAnimation::highlight(ui::View& cell) {
    ui::View::animate(kPressSeconds, 0, ui::AnimationOptionCurveEaseOut, [&cell] {
        cell.setTransform(gfx::AffineTransform::scale(kPressedScale, kPressedScale));
        cell.setAlpha(kPressedAlpha);
    });
}

void VLCellPressAnimation::unhighlight(ui::View& cell) {
    ui::View::animate(kReleaseSeconds, 0, ui::AnimationOptionCurveEaseOut, [&cell] {
        cell.setTransform(gfx::AffineTransform::scale(1, 1));
        cell.setAlpha(1);
    });
}
