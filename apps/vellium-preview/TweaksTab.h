#pragma once

#include <memory>

namespace ui {
class TabBarController;
class ViewController;
}  // namespace ui

// The host application's frame around a tweak's screen: a tab bar controller whose "Tweaks"
// tab is a navigation controller with the screen as its root.
class TweaksTab {
public:
    static std::shared_ptr<ui::TabBarController> make(const std::shared_ptr<ui::ViewController>& screen);
};
