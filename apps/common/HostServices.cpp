#include "HostServices.h"

#include "home/VLPackageRepository.h"
#include "sys/Http.h"
#include "sys/Launcher.h"
#include "ui/Application.h"

void HostServices::install() {
    auto& application = ui::Application::shared();
    application.setURLOpener([](const std::string& url) { return sys::Launcher::openURL(url); });
    application.setApplicationLauncher(
        [](const std::string& bundleID) { return sys::Launcher::launch(bundleID); });
}

void HostServices::setDownloadSource(const std::optional<std::string>& repository,
                                     const std::optional<std::filesystem::path>& caFile) {
    if (repository) VLPackageRepository::setBaseAddress(*repository);
    if (caFile) sys::Http::setCAFile(*caFile);
}
