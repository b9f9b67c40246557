#include "sys/Launcher.h"

#include <gio/gdesktopappinfo.h>

#include <cctype>
#include <mutex>

#include "base/Log.h"
#include "sys/ApplicationWorkspace.h"

namespace sys {
namespace {

std::mutex& openerMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<std::string>& openerCommand() {
    static std::vector<std::string> command;
    return command;
}

void rememberLaunchedProcess(GDesktopAppInfo*, GPid pid, gpointer data) { *static_cast<GPid*>(data) = pid; }

}  // namespace

bool Launcher::launch(const std::string& bundleID, Spawn::ExitHandler exited) {
    // A path would make GIO read a file of the caller's choosing rather than look up an ID.
    if (bundleID.empty() || bundleID.find('/') != std::string::npos) return false;
    GDesktopAppInfo* info = g_desktop_app_info_new(ApplicationWorkspace::desktopFileID(bundleID).c_str());
    if (!info) {
        base::Log::line("Launcher: no application " + bundleID);
        return false;
    }
    GPid launched = 0;
    GError* error = nullptr;
    // The child is reaped here rather than by GLib, which would need a running GLib main loop.
    const gboolean started = g_desktop_app_info_launch_uris_as_manager(
        info, nullptr, nullptr, static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD),
        nullptr, nullptr, rememberLaunchedProcess, &launched, &error);
    g_object_unref(info);
    if (!started) {
        base::Log::line("Launcher: cannot start " + bundleID + ": " +
                        (error ? error->message : "unknown error"));
        if (error) g_error_free(error);
        return false;
    }
    if (launched > 0) Spawn::reapDetached(launched, std::move(exited));
    return true;
}

bool Launcher::isAbsoluteURL(const std::string& url) {
    const auto colon = url.find(':');
    if (colon == std::string::npos || colon == 0) return false;
    if (!std::isalpha(static_cast<unsigned char>(url[0]))) return false;
    for (std::size_t i = 1; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(url[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return true;
}

bool Launcher::openURL(const std::string& url, Spawn::ExitHandler exited) {
    if (!isAbsoluteURL(url)) return false;
    std::vector<std::string> command = urlOpener();
    command.push_back(url);
    auto started =
        Spawn::startDetached(command.front(), command, Spawn::Environment::Inherited, std::move(exited));
    if (!started) base::Log::line("Launcher: " + started.error().description);
    return started.ok();
}

void Launcher::setURLOpener(std::vector<std::string> command) {
    std::lock_guard lock(openerMutex());
    openerCommand() = std::move(command);
}

std::vector<std::string> Launcher::urlOpener() {
    std::lock_guard lock(openerMutex());
    if (openerCommand().empty()) return {"xdg-open"};
    return openerCommand();
}

}  // namespace sys
