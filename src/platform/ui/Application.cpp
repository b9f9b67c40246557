#include "ui/Application.h"

#include <algorithm>

#include "base/Log.h"
#include "base/NotificationCenter.h"
#include "base/RunLoop.h"
#include "ui/Window.h"

namespace ui {

Application& Application::shared() {
    static Application application;
    return application;
}

void Application::addWindow(const std::shared_ptr<Window>& window) {
    if (!window) return;
    std::erase_if(windows_, [](const auto& weak) { return weak.expired(); });
    bool known = std::any_of(windows_.begin(), windows_.end(),
                             [&](const auto& weak) { return weak.lock() == window; });
    if (!known) windows_.push_back(window);
}

std::vector<std::shared_ptr<Window>> Application::windows() const {
    std::vector<std::shared_ptr<Window>> alive;
    for (const auto& weak : windows_) {
        if (auto window = weak.lock()) alive.push_back(window);
    }
    return alive;
}

void Application::setKeyWindow(const std::shared_ptr<Window>& window) {
    addWindow(window);
    keyWindow_ = window;
}

void Application::openURL(const std::string& url, std::function<void(bool)> completion) {
    bool opened = false;
    if (url.empty()) {
        base::Log::line("Application: refused to open an empty URL");
    } else if (!urlOpener_) {
        base::Log::line("Application: no URL opener installed for " + url);
    } else {
        opened = urlOpener_(url);
    }
    if (completion)
        base::RunLoop::main().post([completion = std::move(completion), opened] { completion(opened); });
}

bool Application::openApplication(const std::string& bundleIdentifier) {
    if (bundleIdentifier.empty()) return false;
    if (!launcher_) {
        base::Log::line("Application: no launcher installed for " + bundleIdentifier);
        return false;
    }
    return launcher_(bundleIdentifier);
}

double Application::mainScreenScale() const {
    if (auto key = keyWindow()) return key->scale();
    auto all = windows();
    return all.empty() ? 2.0 : all.front()->scale();
}

void Application::setNamedColor(const std::string& name, std::optional<gfx::Color> color) {
    if (color) {
        namedColors_.insert_or_assign(name, *color);
    } else {
        namedColors_.erase(name);
    }
}

std::optional<gfx::Color> Application::namedColor(const std::string& name) const {
    auto found = namedColors_.find(name);
    if (found == namedColors_.end()) return std::nullopt;
    return found->second;
}

void Application::didRegainFocus() {
    auto& center = base::NotificationCenter::defaultCenter();
    center.post(kWillEnterForegroundNotification);
    center.post(kDidBecomeActiveNotification);
}

}  // namespace ui
