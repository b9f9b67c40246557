#include "ui/ViewController.h"

#include <algorithm>

#include "base/Log.h"
#include "ui/NavigationController.h"
#include "ui/PresentationController.h"
#include "ui/TabBarController.h"
#include "ui/View.h"
#include "ui/Window.h"

namespace ui {

namespace {

std::string describe(const ViewController* controller) {
    if (!controller) return "nothing";
    return controller->title().empty() ? std::string("an untitled controller")
                                       : "\"" + controller->title() + "\"";
}

}  // namespace

std::shared_ptr<ViewController> ViewController::create() {
    return std::shared_ptr<ViewController>(new ViewController());
}

ViewController::~ViewController() = default;

std::shared_ptr<View> ViewController::view() {
    // A view asked for from inside loadView would recurse; it gets whatever exists so far.
    if (view_ || loading_) return view_;
    loading_ = true;
    loadView();
    if (!view_) setView(View::create());
    loading_ = false;
    viewDidLoad();
    return view_;
}

void ViewController::loadView() { setView(View::create()); }

void ViewController::setView(std::shared_ptr<View> view) {
    if (view_) view_->setOwningResponder({});
    view_ = std::move(view);
    if (view_) view_->setOwningResponder(weak_from_this());
}

void ViewController::setTabBarItem(TabBarItem item) {
    tabBarItem_ = std::move(item);
    if (auto tabs = tabBarController()) tabs->tabItemsDidChange();
}

void ViewController::addChild(const std::shared_ptr<ViewController>& child) {
    if (!child || child.get() == this) return;
    for (auto up = parent(); up; up = up->parent()) {
        if (up == child) {
            base::Log::line("ViewController: refused to add an ancestor as a child");
            return;
        }
    }
    auto keep = child;
    child->removeFromParent();
    child->parent_ = sharedController();
    children_.push_back(child);
}

void ViewController::removeFromParent() {
    auto up = parent();
    parent_.reset();
    if (!up) return;
    auto& siblings = up->children_;
    auto found =
        std::find_if(siblings.begin(), siblings.end(), [this](const auto& c) { return c.get() == this; });
    if (found != siblings.end()) siblings.erase(found);
}

std::shared_ptr<NavigationController> ViewController::navigationController() const {
    for (auto up = parent(); up; up = up->parent()) {
        if (auto navigation = std::dynamic_pointer_cast<NavigationController>(up)) return navigation;
    }
    return nullptr;
}

std::shared_ptr<TabBarController> ViewController::tabBarController() const {
    for (auto up = parent(); up; up = up->parent()) {
        if (auto tabs = std::dynamic_pointer_cast<TabBarController>(up)) return tabs;
    }
    return nullptr;
}

std::shared_ptr<ViewController> ViewController::rootAncestor() {
    auto root = sharedController();
    while (auto up = root->parent()) root = up;
    return root;
}

std::shared_ptr<ViewController> ViewController::presentingViewController() const {
    auto root = const_cast<ViewController*>(this)->rootAncestor();
    return root->presenting_.lock();
}

std::shared_ptr<ViewController> ViewController::presentedViewController() const {
    auto root = const_cast<ViewController*>(this)->rootAncestor();
    return root->presented_;
}

std::shared_ptr<PresentationController> ViewController::presentationController() {
    if (!presentation_) presentation_ = PresentationController::create(sharedController(), presentsCentred());
    return presentation_;
}

bool ViewController::isBeingPresented() const { return presentation_ && presentation_->isPresenting(); }

bool ViewController::isBeingDismissed() const { return presentation_ && presentation_->isDismissing(); }

void ViewController::present(const std::shared_ptr<ViewController>& controller, bool animated,
                             std::function<void()> completion) {
    auto host = rootAncestor();
    auto refuse = [&](const std::string& why) {
        base::Log::line("ViewController: refused to present " + describe(controller.get()) + " on " +
                        describe(host.get()) + ": " + why);
    };
    if (!controller) return refuse("no controller");
    if (host->presented_) return refuse("it is already presenting " + describe(host->presented_.get()));
    if (host->isBeingPresented() || host->isBeingDismissed()) return refuse("a transition is in progress");
    if (controller == host || controller->parent() || controller->presenting_.lock())
        return refuse("the controller is already shown");
    auto window = host->isViewLoaded() ? host->view()->window() : nullptr;
    if (!window) return refuse("its view is not in a window");

    host->presented_ = controller;
    controller->presenting_ = host;
    controller->presentationController()->presentIn(*window, animated, std::move(completion));
}

void ViewController::dismiss(bool animated, std::function<void()> completion) {
    auto host = rootAncestor();
    auto target = host->presented_ ? host->presented_ : (host->presenting_.lock() ? host : nullptr);
    if (!target) {
        base::Log::line("ViewController: nothing to dismiss from " + describe(host.get()));
        return;
    }
    if (target->isBeingPresented() || target->isBeingDismissed()) {
        base::Log::line("ViewController: refused to dismiss " + describe(target.get()) +
                        ": a transition is in progress");
        return;
    }
    // What the target presented in turn goes first, at once, topmost first.
    std::vector<std::shared_ptr<ViewController>> above;
    for (auto next = target->presented_; next; next = next->presented_) above.push_back(next);
    for (auto it = above.rbegin(); it != above.rend(); ++it) {
        if (auto presentation = (*it)->presentation_) presentation->dismissNow();
    }
    target->presentationController()->dismiss(animated, std::move(completion));
}

void ViewController::forgetPresentation() {
    if (auto presenter = presenting_.lock()) {
        if (presenter->presented_.get() == this) presenter->presented_.reset();
    }
    presenting_.reset();
}

void ViewController::beginAppearanceTransition(bool appearing, bool animated) {
    auto keep = sharedController();
    auto wanted = appearing ? Appearance::Appearing : Appearance::Disappearing;
    bool already = appearing
                       ? (appearance_ == Appearance::Appearing || appearance_ == Appearance::Appeared)
                       : (appearance_ == Appearance::Disappearing || appearance_ == Appearance::Disappeared);
    if (already) return;
    appearance_ = wanted;
    transitionAnimated_ = animated;
    if (appearing) view();
    if (appearing) {
        viewWillAppear(animated);
    } else {
        viewWillDisappear(animated);
    }
    for (const auto& child : childrenOnScreen()) child->beginAppearanceTransition(appearing, animated);
}

void ViewController::endAppearanceTransition() {
    auto keep = sharedController();
    if (appearance_ == Appearance::Appearing) {
        appearance_ = Appearance::Appeared;
        viewDidAppear(transitionAnimated_);
    } else if (appearance_ == Appearance::Disappearing) {
        appearance_ = Appearance::Disappeared;
        viewDidDisappear(transitionAnimated_);
    } else {
        return;
    }
    for (const auto& child : childrenOnScreen()) child->endAppearanceTransition();
}

std::shared_ptr<Responder> ViewController::nextResponder() const {
    if (auto presenter = presenting_.lock()) return presenter;
    if (view_) {
        if (auto superview = view_->superview()) return superview;
    }
    return parent();
}

std::shared_ptr<Window> ViewController::responderWindow() const { return view_ ? view_->window() : nullptr; }

}  // namespace ui
