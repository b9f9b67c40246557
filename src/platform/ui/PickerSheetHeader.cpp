#include "ui/PickerSheetHeader.h"

namespace ui {

namespace {

constexpr double kMargin = 16;

}  // namespace

PickerSheetHeader PickerSheetHeader::build(const std::string& title, const std::weak_ptr<Responder>& owner,
                                           const std::string& cancelAction) {
    PickerSheetHeader header;
    header.root = View::create();
    header.root->setFrame({0, 0, 390, 780});
    header.root->setBackgroundColor(gfx::Color::systemBackground());

    header.titleLabel = Label::create(title);
    header.titleLabel->setFont(gfx::Font::system(17, gfx::FontWeight::Semibold));
    header.titleLabel->setTextAlignment(gfx::TextAlignment::Center);
    header.titleLabel->setFrame({100, 18, 190, 22});
    header.titleLabel->setAutoresizingMask(FlexibleWidth);
    header.root->addSubview(header.titleLabel);

    header.cancelButton = Button::create();
    header.cancelButton->setTitle("Cancel");
    header.cancelButton->setFrame({kMargin, 12, 70, 34});
    header.cancelButton->addTarget(owner, cancelAction, ControlEventTouchUpInside);
    header.root->addSubview(header.cancelButton);
    return header;
}

}  // namespace ui
