#include "sys/ApplicationWorkspace.h"

#include <gio/gdesktopappinfo.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

namespace sys {
namespace {

namespace fs = std::filesystem;

// One desktop file as last read: what it said, and how to tell whether it changed since.
struct ReadEntry {
    timespec modified{};
    std::uintmax_t size = 0;
    std::string languages;
    std::optional<InstalledApplication> application;  // empty: hidden or not an application
};

std::mutex cacheMutex;
std::unordered_map<std::string, ReadEntry> cache;

// The languages names are looked up in, as GLib reads them from the environment now.
std::string currentLanguages() {
    std::string joined;
    for (const gchar* const* name = g_get_language_names(); name && *name; ++name) {
        joined += *name;
        joined += ':';
    }
    return joined;
}

// The applications directories, the user's first: an entry in an earlier one hides the
// entry with the same ID in a later one.
std::vector<fs::path> applicationDirectories() {
    std::vector<fs::path> directories{fs::path(g_get_user_data_dir()) / "applications"};
    for (const gchar* const* data = g_get_system_data_dirs(); data && *data; ++data) {
        directories.push_back(fs::path(*data) / "applications");
    }
    return directories;
}

// Reads one entry through GIO; empty for entries that are hidden, not for display or not
// applications (GIO admits only entries of type Application).
std::optional<InstalledApplication> readEntry(const std::string& file, std::string bundleID) {
    GDesktopAppInfo* info = g_desktop_app_info_new_from_filename(file.c_str());
    if (!info) return std::nullopt;
    std::optional<InstalledApplication> application;
    if (!g_desktop_app_info_get_is_hidden(info) && !g_desktop_app_info_get_nodisplay(info)) {
        application = InstalledApplication{std::move(bundleID), std::nullopt};
        // g_app_info_get_name would make up "Unnamed" for an entry without a name.
        if (char* name = g_desktop_app_info_get_locale_string(info, G_KEY_FILE_DESKTOP_KEY_NAME)) {
            application->localizedName = name;
            g_free(name);
        }
    }
    g_object_unref(info);
    return application;
}

struct FoundEntry {
    std::string id;  // the desktop-file ID: the path below the directory, "/" turned into "-"
    std::string file;
    timespec modified{};
    std::uintmax_t size = 0;
};

bool sameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

// The desktop files of one directory and its subdirectories, by ID.
std::vector<FoundEntry> entriesIn(const fs::path& directory) {
    std::vector<FoundEntry> found;
    const std::string prefix = (directory / "").native();
    std::error_code error;
    fs::recursive_directory_iterator walk(directory, fs::directory_options::skip_permission_denied, error);
    for (auto it = walk; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        std::string file = it->path().native();
        if (!file.ends_with(".desktop")) continue;
        struct stat status {};
        if (::stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) continue;
        std::string id = file.substr(prefix.size());
        std::replace(id.begin(), id.end(), '/', '-');
        found.push_back(
            {std::move(id), std::move(file), status.st_mtim, static_cast<std::uintmax_t>(status.st_size)});
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
    return found;
}

}  // namespace

std::string ApplicationWorkspace::desktopFileID(std::string_view bundleID) {
    if (bundleID.ends_with(kDesktopFileEnding)) return std::string(bundleID);
    return std::string(bundleID) + std::string(kDesktopFileEnding);
}

std::vector<InstalledApplication> ApplicationWorkspace::allApplications() {
    // Every call looks at the directories afresh; a file is read again (through GIO) only
    // when it is new, has changed since it was last read, or the language has changed.
    const std::string languages = currentLanguages();
    std::vector<InstalledApplication> applications;
    std::unordered_set<std::string> seenIDs;
    std::unordered_map<std::string, ReadEntry> stillPresent;
    std::lock_guard lock(cacheMutex);
    for (const fs::path& directory : applicationDirectories()) {
        for (FoundEntry& entry : entriesIn(directory)) {
            if (!seenIDs.insert(entry.id).second) continue;  // hidden by an earlier directory
            auto cached = cache.find(entry.file);
            ReadEntry read;
            if (cached != cache.end() && sameTime(cached->second.modified, entry.modified) &&
                cached->second.size == entry.size && cached->second.languages == languages) {
                read = std::move(cached->second);
            } else {
                std::string_view bundleID = entry.id;
                bundleID.remove_suffix(kDesktopFileEnding.size());
                read = {entry.modified, entry.size, languages, readEntry(entry.file, std::string(bundleID))};
            }
            if (read.application) applications.push_back(*read.application);
            stillPresent.emplace(std::move(entry.file), std::move(read));
        }
    }
    cache = std::move(stillPresent);
    return applications;
}

}  // namespace sys
