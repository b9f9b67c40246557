#include "uikit/VLSheetGrabber.h"

#include "uikit/ViewLayoutExtension.h"

std::shared_ptr<ui::View> VLSheetGrabber::addTo(ui::View& parent) {
    auto grabber = ui::View::create();
    grabber->setBackgroundColor(gfx::Color::tertiarySystemFill());
    grabber->layer().setCornerRadius(3);
    parent.addSubview(grabber);
    extension::size(*grabber, {40, 6});
    extension::x(*grabber, parent.centerXAnchor());
    extension::top(*grabber, parent.topAnchor(), 10);
    return grabber;
}
