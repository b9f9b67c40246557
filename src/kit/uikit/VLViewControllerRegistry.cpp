#include "uikit/VLViewControllerRegistry.h"

#include "base/Log.h"
#include "ui/ViewController.h"

VLViewControllerRegistry& VLViewControllerRegistry::shared() {
    static VLViewControllerRegistry registry;
    return registry;
}

void VLViewControllerRegistry::registerClass(const std::string& className, Factory factory) {
    std::lock_guard lock(mutex_);
    factories_[className] = std::move(factory);
}

void VLViewControllerRegistry::unregisterClass(const std::string& className) {
    std::lock_guard lock(mutex_);
    factories_.erase(className);
}

bool VLViewControllerRegistry::hasClass(const std::string& className) const {
    std::lock_guard lock(mutex_);
    return factories_.contains(className);
}

std::shared_ptr<ui::ViewController> VLViewControllerRegistry::create(const std::string& className) const {
    Factory factory;
    {
        std::lock_guard lock(mutex_);
        if (auto found = factories_.find(className); found != factories_.end()) factory = found->second;
    }
    if (!factory) {
        base::Log::line("No view controller class named \"" + className + "\"");
        return nullptr;
    }
    // Outside the lock: a constructor may itself look up classes.
    return factory();
}

VLViewControllerRegistry::Registration::Registration(const std::string& className, Factory factory) {
    VLViewControllerRegistry::shared().registerClass(className, std::move(factory));
}
