#pragma once

#include <memory>

namespace ui {

class NavigationController;
class ViewController;

// Told when a navigation controller is about to show, and has shown, a controller on top.
class NavigationControllerDelegate {
public:
    virtual ~NavigationControllerDelegate() = default;
    virtual void willShowViewController(NavigationController&, ViewController&, bool /*animated*/) {}
    virtual void didShowViewController(NavigationController&, ViewController&, bool /*animated*/) {}
};

}  // namespace ui
