#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace ui {
class ViewController;
}

// View-controller classes by name: the home screen's category classes, a bundle's principal
// class. A tweak registers each of its screens with VL_REGISTER_VIEW_CONTROLLER in one of its
// source files; loading the tweak's library runs those registrations. The registry lives in
// the kit's shared library, so the host and every bundle it loads see the same one.
class VLViewControllerRegistry {
public:
    using Factory = std::function<std::shared_ptr<ui::ViewController>()>;

    static VLViewControllerRegistry& shared();

    // Registering a name again replaces its factory (a reloaded bundle brings its own).
    void registerClass(const std::string& className, Factory factory);
    void unregisterClass(const std::string& className);
    bool hasClass(const std::string& className) const;
    // A new instance of the class, or an empty pointer (and a log line) for an unknown name.
    std::shared_ptr<ui::ViewController> create(const std::string& className) const;

    // Registers `factory` under `className` as a static initialiser does.
    struct Registration {
        Registration(const std::string& className, Factory factory);
    };

private:
    mutable std::mutex mutex_;
    std::map<std::string, Factory> factories_;
};

#define VL_REGISTRY_CONCAT_INNER(a, b) a##b
#define VL_REGISTRY_CONCAT(a, b) VL_REGISTRY_CONCAT_INNER(a, b)

// Registers the view-controller class CLASS (made with std::make_shared) under its own name.
#define VL_REGISTER_VIEW_CONTROLLER(CLASS)                                                             \
    static const VLViewControllerRegistry::Registration VL_REGISTRY_CONCAT(vlRegistration_, __LINE__)( \
        #CLASS, [] { return std::shared_ptr<ui::ViewController>(std::make_shared<CLASS>()); })
