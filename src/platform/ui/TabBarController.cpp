#include "ui/TabBarController.h"

#include <algorithm>

#include "ui/NavigationController.h"
#include "ui/TabBar.h"
#include "ui/View.h"

namespace ui {

// Lays out the selected view and the bar whenever its size changes.
class TabBarController::ContainerView : public View {
public:
    explicit ContainerView(std::weak_ptr<TabBarController> owner) : owner_(std::move(owner)) {}
    const char* className() const override { return "TabBarContainerView"; }
    void layoutSubviews() override {
        if (auto owner = owner_.lock()) owner->layoutContent();
    }

private:
    std::weak_ptr<TabBarController> owner_;
};

std::shared_ptr<TabBarController> TabBarController::create() {
    return std::shared_ptr<TabBarController>(new TabBarController());
}

std::shared_ptr<TabBar> TabBarController::tabBar() {
    if (!tabBar_) {
        tabBar_ = TabBar::create();
        std::weak_ptr<TabBarController> weak = std::static_pointer_cast<TabBarController>(sharedController());
        tabBar_->setOnSelect([weak](std::size_t index) {
            if (auto self = weak.lock()) self->setSelectedIndex(index);
        });
    }
    return tabBar_;
}

void TabBarController::loadView() {
    auto container =
        std::make_shared<ContainerView>(std::static_pointer_cast<TabBarController>(sharedController()));
    container->addSubview(tabBar());
    setView(container);
    showSelected();
}

std::shared_ptr<ViewController> TabBarController::selectedViewController() const {
    return selected_ < tabs_.size() ? tabs_[selected_] : nullptr;
}

std::vector<std::shared_ptr<ViewController>> TabBarController::childrenOnScreen() const {
    if (auto selected = selectedViewController()) return {selected};
    return {};
}

void TabBarController::setViewControllers(std::vector<std::shared_ptr<ViewController>> controllers) {
    auto previous = selectedViewController();
    bool onScreen = isAppeared();
    if (previous && onScreen) previous->beginAppearanceTransition(false, false);
    for (const auto& old : tabs_) {
        if (old->isViewLoaded()) old->view()->removeFromSuperview();
        old->removeFromParent();
    }
    if (previous && onScreen) previous->endAppearanceTransition();
    tabs_.clear();
    for (auto& controller : controllers) {
        if (!controller || std::find(tabs_.begin(), tabs_.end(), controller) != tabs_.end()) continue;
        addChild(controller);
        tabs_.push_back(std::move(controller));
    }
    if (selected_ >= tabs_.size()) selected_ = 0;
    tabItemsDidChange();
    auto selected = selectedViewController();
    if (selected && onScreen) selected->beginAppearanceTransition(true, false);
    showSelected();
    if (selected && onScreen) selected->endAppearanceTransition();
}

void TabBarController::setSelectedIndex(std::size_t index) {
    if (index >= tabs_.size() || index == selected_) return;
    auto keep = sharedController();
    auto from = selectedViewController();
    auto to = tabs_[index];
    bool onScreen = isAppeared();
    if (onScreen) {
        from->beginAppearanceTransition(false, false);
        to->beginAppearanceTransition(true, false);
    }
    if (from->isViewLoaded()) from->view()->removeFromSuperview();
    selected_ = index;
    showSelected();
    if (onScreen) {
        from->endAppearanceTransition();
        to->endAppearanceTransition();
    }
}

void TabBarController::showSelected() {
    if (tabBar_) tabBar_->setSelectedIndex(selected_);
    auto container = viewIfLoaded();
    auto selected = selectedViewController();
    if (!container || !selected) return;
    auto content = selected->view();
    if (content->superview() != container) container->insertSubview(content, 0);
    layoutContent();
}

bool TabBarController::isTabBarHidden() const {
    auto navigation = std::dynamic_pointer_cast<NavigationController>(selectedViewController());
    if (!navigation) return false;
    const auto& stack = navigation->viewControllers();
    return std::any_of(stack.begin() + std::min<std::ptrdiff_t>(1, static_cast<std::ptrdiff_t>(stack.size())),
                       stack.end(), [](const auto& c) { return c->hidesBottomBarWhenPushed(); });
}

void TabBarController::layoutContent() {
    auto container = viewIfLoaded();
    if (!container) return;
    gfx::Rect bounds = container->bounds();
    bool hidden = isTabBarHidden();
    double barHeight = hidden ? 0 : TabBar::kHeight;
    tabBar()->setHidden(hidden);
    tabBar()->setFrame({0, bounds.height - TabBar::kHeight, bounds.width, TabBar::kHeight});
    if (auto selected = selectedViewController()) {
        if (selected->isViewLoaded() && selected->view()->superview() == container)
            selected->view()->setFrame({0, 0, bounds.width, std::max(0.0, bounds.height - barHeight)});
    }
}

void TabBarController::tabItemsDidChange() {
    std::vector<TabBarItem> items;
    for (const auto& tab : tabs_) items.push_back(tab->tabBarItem());
    tabBar()->setItems(items);
    tabBar()->setSelectedIndex(selected_);
}

void TabBarController::childStackDidChange() { layoutContent(); }

}  // namespace ui
