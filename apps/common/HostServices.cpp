#include "HostServices.h"

#include "sys/Launcher.h"
#include "ui/Application.h"

void HostServices::install() {
    auto& application = ui::Application::shared();
    application.setURLOpener([](const std::string& url) { return sys::Launcher::openURL(url); });
    application.setApplicationLauncher(
        [](const std::string& bundleID) { return sys::Launcher::launch(bundleID); });
}
