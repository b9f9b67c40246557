#include "GalleryScreen.h"

#include "GalleryStackView.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/LayoutConstraint.h"
#include "ui/NavigationController.h"

std::shared_ptr<GalleryScreen> GalleryScreen::create(std::string title, Builder build) {
    return std::shared_ptr<GalleryScreen>(new GalleryScreen(std::move(title), std::move(build)));
}

GalleryScreen::GalleryScreen(std::string title, Builder build) : build_(std::move(build)) {
    setTitle(std::move(title));
}

void GalleryScreen::loadView() {
    auto root = ui::View::create();
    root->setBackgroundColor(gfx::Color::systemBackground());
    titleLabel_ = ui::Label::create(title());
    titleLabel_->setFont(gfx::Font::system(30, gfx::FontWeight::Bold));
    titleLabel_->setTextColor(gfx::Color::label());
    backButton_ = ui::Button::create();
    backButton_->setTitle("‹ Back");
    backButton_->setTitleColor(gfx::Color::systemBlue());
    stack_ = GalleryStackView::create();
    for (const auto& view :
         {std::static_pointer_cast<ui::View>(titleLabel_), std::static_pointer_cast<ui::View>(backButton_),
          std::static_pointer_cast<ui::View>(stack_)}) {
        view->setTranslatesAutoresizingMaskIntoConstraints(false);
        root->addSubview(view);
    }
    ui::LayoutConstraint::activate({
        backButton_->leadingAnchor().equalTo(root->leadingAnchor(), 8),
        backButton_->topAnchor().equalTo(root->topAnchor(), 20),
        titleLabel_->leadingAnchor().equalTo(root->leadingAnchor(), 16),
        titleLabel_->topAnchor().equalTo(root->topAnchor(), 54),
        stack_->topAnchor().equalTo(root->topAnchor(), kHeaderHeight),
        stack_->leadingAnchor().equalTo(root->leadingAnchor()),
        stack_->trailingAnchor().equalTo(root->trailingAnchor()),
        stack_->bottomAnchor().equalTo(root->bottomAnchor()),
    });
    setView(root);
}

void GalleryScreen::viewDidLoad() {
    // The back button pops this page; a presented page closes itself with its own buttons.
    registerAction("goBack", [this] {
        if (auto navigation = navigationController()) navigation->popViewController(true);
    });
    backButton_->addTarget(weak_from_this(), "goBack", ui::ControlEventTouchUpInside);
    if (build_) build_(*this, *stack_);
}

void GalleryScreen::viewWillAppear(bool) {
    auto navigation = navigationController();
    backButton_->setHidden(!navigation || navigation->viewControllers().front().get() == this);
}
