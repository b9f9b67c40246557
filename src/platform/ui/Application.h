#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/Color.h"

namespace ui {

class Window;

// The running program: its windows and key window, and the ways out of it (opening a URL,
// launching another application). Those go through handlers the program installs, so this
// library knows nothing of how the desktop opens things; with no handler installed they fail.
// Main thread only.
class Application {
public:
    // Posted on base::NotificationCenter::defaultCenter(), in this order, whenever the
    // program's window comes back to the front (the window host calls `didRegainFocus`).
    static constexpr const char* kWillEnterForegroundNotification =
        "UIApplicationWillEnterForegroundNotification";
    static constexpr const char* kDidBecomeActiveNotification = "UIApplicationDidBecomeActiveNotification";

    // Opens a URL; true when it was handed on.
    using URLOpener = std::function<bool(const std::string& url)>;
    // Launches an application by bundle identifier; true when it was started.
    using ApplicationLauncher = std::function<bool(const std::string& bundleIdentifier)>;

    static Application& shared();

    // Windows are held weakly; a window that is gone drops out.
    void addWindow(const std::shared_ptr<Window>& window);
    std::vector<std::shared_ptr<Window>> windows() const;
    // Makes `window` the key window (adding it to the windows).
    void setKeyWindow(const std::shared_ptr<Window>& window);
    std::shared_ptr<Window> keyWindow() const { return keyWindow_.lock(); }

    void setURLOpener(URLOpener opener) { urlOpener_ = std::move(opener); }
    void setApplicationLauncher(ApplicationLauncher launcher) { launcher_ = std::move(launcher); }
    // The completion hears the result on a later turn of the main run loop.
    void openURL(const std::string& url, std::function<void(bool success)> completion = {});
    bool openApplication(const std::string& bundleIdentifier);

    void didRegainFocus();

    // The key window's scale, else that of the first window, else 2.
    double mainScreenScale() const;

    // Colours the program names for the screens it shows (an "Accent", say); none by default.
    void setNamedColor(const std::string& name, std::optional<gfx::Color> color);
    std::optional<gfx::Color> namedColor(const std::string& name) const;

private:
    Application() = default;

    std::vector<std::weak_ptr<Window>> windows_;
    std::weak_ptr<Window> keyWindow_;
    URLOpener urlOpener_;
    ApplicationLauncher launcher_;
    std::map<std::string, gfx::Color, std::less<>> namedColors_;
};

}  // namespace ui
