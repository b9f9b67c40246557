#include "home/VLTutorialCell.h"

#include "home/VLSheetList.h"
#include "ui/Application.h"
#include "uikit/ViewLayoutExtension.h"

std::shared_ptr<VLTutorialCell> VLTutorialCell::create(ui::TableViewCellStyle style,
                                                       std::string reuseIdentifier) {
    auto cell = adopt(new VLTutorialCell(style, std::move(reuseIdentifier)));
    cell->contentView()->setClipsToBounds(true);
    cell->layoutBaseView();
    cell->layoutIcon();
    cell->layoutMessage();
    cell->messageLabel_->setDelegate(std::weak_ptr<ui::TextViewDelegate>(cell));
    return cell;
}

void VLTutorialCell::prepareForReuse() {
    ui::TableViewCell::prepareForReuse();
    iconImage_->setImage({});
    messageLabel_->setText("");
}

void VLTutorialCell::layoutBaseView() {
    auto& content = *contentView();
    baseView_ = ui::View::create();
    baseView_->setBackgroundColor(gfx::Color::clear());
    baseView_->setClipsToBounds(true);
    content.addSubview(baseView_);
    extension::top(*baseView_, content.topAnchor(), content.leadingAnchor(), content.bottomAnchor(),
                   content.trailingAnchor(), {15, 10, -15, -10});
}

void VLTutorialCell::layoutIcon() {
    auto& base = *baseView_;
    iconImage_ = ui::ImageView::create();
    iconImage_->setContentMode(gfx::ContentMode::ScaleAspectFit);
    // Until the row is filled the symbol takes the program's accent, when it names one.
    iconImage_->setTintColor(ui::Application::shared().namedColor(kAccentColorName));
    base.addSubview(iconImage_);
    extension::size(*iconImage_, {kSymbolSide, kSymbolSide});
    extension::y(*iconImage_, base.centerYAnchor());
    extension::leading(*iconImage_, base.leadingAnchor(), 5);
}

void VLTutorialCell::layoutMessage() {
    auto& base = *baseView_;
    messageLabel_ = VLSheetList::makeMessageView();
    base.addSubview(messageLabel_);
    extension::top(*messageLabel_, base.topAnchor(), 0);
    extension::leading(*messageLabel_, iconImage_->trailingAnchor(), 10);
    extension::trailing(*messageLabel_, base.trailingAnchor(), -10);
    extension::bottom(*messageLabel_, base.bottomAnchor(), 0);
}
