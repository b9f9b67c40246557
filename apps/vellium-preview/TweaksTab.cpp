#include "TweaksTab.h"

#include "ui/NavigationController.h"
#include "ui/TabBarController.h"

std::shared_ptr<ui::TabBarController> TweaksTab::make(const std::shared_ptr<ui::ViewController>& screen) {
    auto navigation = ui::NavigationController::create(screen);
    navigation->setTabBarItem({"Tweaks", "shippingbox.fill"});
    auto tabs = ui::TabBarController::create();
    tabs->setViewControllers({navigation});
    return tabs;
}
