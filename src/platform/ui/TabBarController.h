#pragma once

#include <memory>
#include <vector>

#include "ui/ViewController.h"

namespace ui {

class TabBar;

// Tabs of controllers with a tab bar along the bottom. The selected controller's view fills
// the space above the bar. The bar hides (and the selected view takes the whole height) while
// the selected tab is a navigation controller with a pushed screen that asks for it
// (`hidesBottomBarWhenPushed` on any screen above the root, as on the platform: screens
// pushed after one that hides the bar keep it hidden).
class TabBarController : public ViewController {
public:
    static std::shared_ptr<TabBarController> create();

    const std::vector<std::shared_ptr<ViewController>>& viewControllers() const { return tabs_; }
    // Selects the first tab (or keeps the selection when it still exists).
    void setViewControllers(std::vector<std::shared_ptr<ViewController>> controllers);
    std::size_t selectedIndex() const { return selected_; }
    // Out of range is ignored.
    void setSelectedIndex(std::size_t index);
    std::shared_ptr<ViewController> selectedViewController() const;

    std::shared_ptr<TabBar> tabBar();
    bool isTabBarHidden() const;

    // Called by children: a tab's item or a navigation stack changed.
    void tabItemsDidChange();
    void childStackDidChange();

protected:
    TabBarController() = default;
    void loadView() override;
    std::vector<std::shared_ptr<ViewController>> childrenOnScreen() const override;

private:
    class ContainerView;
    void layoutContent();
    void showSelected();

    std::vector<std::shared_ptr<ViewController>> tabs_;
    std::size_t selected_ = 0;
    std::shared_ptr<TabBar> tabBar_;
};

}  // namespace ui
