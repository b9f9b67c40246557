#include "home/VLPrefsSectionHeaderView.h"

#include "gfx/Font.h"
#include "uikit/ViewLayoutExtension.h"

std::shared_ptr<VLPrefsSectionHeaderView> VLPrefsSectionHeaderView::create(const std::string& title) {
    std::shared_ptr<VLPrefsSectionHeaderView> view(new VLPrefsSectionHeaderView());
    auto label = ui::Label::create(title);
    label->setTextAlignment(gfx::TextAlignment::Natural);
    label->setTextColor(gfx::Color::tertiaryLabel());
    label->setFont(gfx::Font::system(kTitlePointSize, gfx::FontWeight::Semibold));
    view->addSubview(label);
    extension::y(*label, view->centerYAnchor());
    extension::leading(*label, view->leadingAnchor(), 0);
    extension::trailing(*label, view->trailingAnchor(), 0);
    view->titleLabel_ = std::move(label);
    return view;
}
