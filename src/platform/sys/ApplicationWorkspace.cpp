#include "sys/ApplicationWorkspace.h"

#include <gio/gdesktopappinfo.h>

namespace sys {
namespace {

std::optional<InstalledApplication> applicationFrom(GAppInfo* info) {
    if (!G_IS_DESKTOP_APP_INFO(info)) return std::nullopt;
    auto* desktop = G_DESKTOP_APP_INFO(info);
    if (g_desktop_app_info_get_is_hidden(desktop) || g_desktop_app_info_get_nodisplay(desktop))
        return std::nullopt;
    const char* id = g_app_info_get_id(info);
    if (!id || !*id) return std::nullopt;
    std::string_view bundleID = id;
    if (bundleID.ends_with(ApplicationWorkspace::kDesktopFileEnding)) {
        bundleID.remove_suffix(ApplicationWorkspace::kDesktopFileEnding.size());
    }
    InstalledApplication application{std::string(bundleID), std::nullopt};
    // g_app_info_get_name would make up "Unnamed" for an entry without a name.
    if (char* name = g_desktop_app_info_get_locale_string(desktop, G_KEY_FILE_DESKTOP_KEY_NAME)) {
        application.localizedName = name;
        g_free(name);
    }
    return application;
}

}  // namespace

std::string ApplicationWorkspace::desktopFileID(std::string_view bundleID) {
    if (bundleID.ends_with(kDesktopFileEnding)) return std::string(bundleID);
    return std::string(bundleID) + std::string(kDesktopFileEnding);
}

std::vector<InstalledApplication> ApplicationWorkspace::allApplications() {
    std::vector<InstalledApplication> applications;
    GList* all = g_app_info_get_all();
    for (GList* item = all; item; item = item->next) {
        if (auto application = applicationFrom(G_APP_INFO(item->data)))
            applications.push_back(std::move(*application));
    }
    g_list_free_full(all, g_object_unref);
    return applications;
}

}  // namespace sys
