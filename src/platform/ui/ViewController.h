#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gfx/Geometry.h"
#include "ui/Responder.h"
#include "ui/TabBarItem.h"

namespace ui {

class View;
class NavigationController;
class TabBarController;
class PresentationController;

// Manages one screen: its view (made on first access), the appearance calls around pushes,
// pops, presentations and dismissals, its child controllers and what it presents.
//
// Life cycle: `view()` calls `loadView` (a plain view by default) and then `viewDidLoad`,
// once. `viewWillAppear` / `viewDidAppear` / `viewWillDisappear` / `viewDidDisappear` come in
// pairs around each transition and never twice in a row for the same state; a container
// passes them on to the children that are on screen (a navigation controller to its top, a
// tab bar controller to its selected tab).
//
// Presenting: a controller's presentations belong to its root ancestor (the outermost
// container), which becomes the `presentingViewController`. It presents one controller at a
// time: presenting while one is shown, while a transition runs, a controller that is already
// shown somewhere, or from a view not in a window is refused with a log line. Sheets slide up
// over a dimmed parent; the parent is not told it disappears.
//
// The controller is its view's next responder; its own next responder is the controller that
// presented it, else its view's superview, else its parent.
class ViewController : public Responder {
public:
    static std::shared_ptr<ViewController> create();
    ~ViewController() override;

    std::shared_ptr<ViewController> sharedController() {
        return std::static_pointer_cast<ViewController>(Responder::shared_from_this());
    }

    // The view, loaded on first access.
    std::shared_ptr<View> view();
    bool isViewLoaded() const { return view_ != nullptr; }
    // The view if loaded, without loading it.
    const std::shared_ptr<View>& viewIfLoaded() const { return view_; }

    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    const TabBarItem& tabBarItem() const { return tabBarItem_; }
    void setTabBarItem(TabBarItem item);

    bool hidesBottomBarWhenPushed() const { return hidesBottomBarWhenPushed_; }
    void setHidesBottomBarWhenPushed(bool hides) { hidesBottomBarWhenPushed_ = hides; }
    // A sheet that is modal in presentation cannot be swiped away.
    bool isModalInPresentation() const { return modalInPresentation_; }
    void setModalInPresentation(bool modal) { modalInPresentation_ = modal; }
    // The size an alert-style presentation gives the view (zero: not set).
    virtual gfx::Size preferredContentSize() const { return preferredContentSize_; }
    void setPreferredContentSize(gfx::Size size) { preferredContentSize_ = size; }

    // Containment.
    std::shared_ptr<ViewController> parent() const { return parent_.lock(); }
    const std::vector<std::shared_ptr<ViewController>>& children() const { return children_; }
    // Moves `child` here from any other parent. The caller places the child's view.
    void addChild(const std::shared_ptr<ViewController>& child);
    void removeFromParent();
    // The nearest ancestor of that kind (this one excluded).
    std::shared_ptr<NavigationController> navigationController() const;
    std::shared_ptr<TabBarController> tabBarController() const;

    // Presentation.
    std::shared_ptr<ViewController> presentingViewController() const;
    std::shared_ptr<ViewController> presentedViewController() const;
    void present(const std::shared_ptr<ViewController>& controller, bool animated,
                 std::function<void()> completion = {});
    // Dismisses what this controller (or its root ancestor) presented, with everything that
    // presented in turn; a presented controller with nothing above it dismisses itself.
    void dismiss(bool animated, std::function<void()> completion = {});
    // Made on first use; the presentation (and its delegate) used when this is presented.
    std::shared_ptr<PresentationController> presentationController();
    bool isBeingPresented() const;
    bool isBeingDismissed() const;

    // Appearance, for containers and presentations: begins (will) and ends (did) one
    // transition of this controller and the children on screen. Ending without a begun
    // transition does nothing.
    void beginAppearanceTransition(bool appearing, bool animated);
    void endAppearanceTransition();
    // Whether the controller has appeared (did appear, and not yet will disappear).
    bool isAppeared() const { return appearance_ == Appearance::Appeared; }

    std::shared_ptr<Responder> nextResponder() const override;
    std::shared_ptr<Window> responderWindow() const override;

protected:
    ViewController() = default;

    virtual void loadView();
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool) {}
    virtual void viewDidAppear(bool) {}
    virtual void viewWillDisappear(bool) {}
    virtual void viewDidDisappear(bool) {}
    // The children that are on screen and take part in this controller's appearance calls.
    virtual std::vector<std::shared_ptr<ViewController>> childrenOnScreen() const { return children_; }
    // Whether presenting this controller shows it centred (an alert) rather than as a sheet.
    virtual bool presentsCentred() const { return false; }
    void setView(std::shared_ptr<View> view);

private:
    friend class PresentationController;
    enum class Appearance { Disappeared, Appearing, Appeared, Disappearing };

    std::shared_ptr<ViewController> rootAncestor();
    void forgetPresentation();

    std::shared_ptr<View> view_;
    bool loading_ = false;
    std::string title_;
    TabBarItem tabBarItem_;
    bool hidesBottomBarWhenPushed_ = false;
    bool modalInPresentation_ = false;
    gfx::Size preferredContentSize_;
    std::weak_ptr<ViewController> parent_;
    std::vector<std::shared_ptr<ViewController>> children_;
    std::shared_ptr<ViewController> presented_;
    std::weak_ptr<ViewController> presenting_;
    std::shared_ptr<PresentationController> presentation_;
    Appearance appearance_ = Appearance::Disappeared;
    bool transitionAnimated_ = false;
};

}  // namespace ui
