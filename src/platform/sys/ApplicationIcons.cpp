#include "sys/ApplicationIcons.h"

#include <cairo.h>
#include <gio/gdesktopappinfo.h>
#include <librsvg/rsvg.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>

#include "base/Files.h"
#include "sys/ApplicationWorkspace.h"

namespace sys {
namespace {

struct Settings {
    std::mutex mutex;
    std::vector<std::filesystem::path> directories;
    std::string theme;
};

Settings& settings() {
    static Settings shared;
    return shared;
}

std::vector<std::filesystem::path> defaultDirectories() {
    std::vector<std::filesystem::path> directories{std::filesystem::path(g_get_user_data_dir()) / "icons"};
    for (const gchar* const* data = g_get_system_data_dirs(); data && *data; ++data) {
        directories.push_back(std::filesystem::path(*data) / "icons");
    }
    directories.emplace_back("/usr/share/pixmaps");
    return directories;
}

// One subdirectory of a theme, as its index.theme describes it.
struct ThemeDirectory {
    std::string path;
    int size = 0, scale = 1, minSize = 0, maxSize = 0, threshold = 2;
    enum class Type { Fixed, Scalable, Threshold } type = Type::Threshold;

    // How far this directory's icons are from `pixels` device pixels: 0 when they are made
    // for that size at that scale, else the difference in device pixels (one more for a
    // directory of another scale, so an equally near one of the right scale wins).
    int distance(int pixels, int iconScale) const {
        const int wanted = pixels * iconScale;
        int difference = 0;
        switch (type) {
            case Type::Fixed:
                difference = std::abs(size * scale - wanted);
                break;
            case Type::Scalable:
                difference = std::max({minSize * scale - wanted, wanted - maxSize * scale, 0});
                break;
            case Type::Threshold:
                difference =
                    std::max({(size - threshold) * scale - wanted, wanted - (size + threshold) * scale, 0});
                break;
        }
        return difference + (scale == iconScale ? 0 : 1);
    }
};

struct ThemeIndex {
    std::vector<ThemeDirectory> directories;
    std::vector<std::string> inherits;
};

// index.theme files, read once each (through GLib's key-file reader).
std::optional<ThemeIndex> readThemeIndex(const std::filesystem::path& file) {
    static std::mutex mutex;
    static std::map<std::filesystem::path, std::optional<ThemeIndex>> cache;
    std::lock_guard lock(mutex);
    if (const auto found = cache.find(file); found != cache.end()) return found->second;

    std::optional<ThemeIndex> index;
    GKeyFile* keys = g_key_file_new();
    g_key_file_set_list_separator(keys, ',');  // theme lists are comma-separated
    if (g_key_file_load_from_file(keys, file.c_str(), G_KEY_FILE_NONE, nullptr)) {
        index.emplace();
        const auto integer = [&](const char* group, const char* key, int fallback) {
            GError* error = nullptr;
            const int value = g_key_file_get_integer(keys, group, key, &error);
            if (error) {
                g_error_free(error);
                return fallback;
            }
            return value;
        };
        gsize count = 0;
        gchar** names = g_key_file_get_string_list(keys, "Icon Theme", "Directories", &count, nullptr);
        for (gsize i = 0; i < count; ++i) {
            ThemeDirectory directory;
            directory.path = names[i];
            directory.size = integer(names[i], "Size", 0);
            if (directory.size <= 0) continue;
            directory.scale = std::max(1, integer(names[i], "Scale", 1));
            directory.minSize = integer(names[i], "MinSize", directory.size);
            directory.maxSize = integer(names[i], "MaxSize", directory.size);
            directory.threshold = integer(names[i], "Threshold", 2);
            gchar* type = g_key_file_get_string(keys, names[i], "Type", nullptr);
            if (type && std::strcmp(type, "Fixed") == 0) directory.type = ThemeDirectory::Type::Fixed;
            if (type && std::strcmp(type, "Scalable") == 0) directory.type = ThemeDirectory::Type::Scalable;
            g_free(type);
            index->directories.push_back(std::move(directory));
        }
        g_strfreev(names);
        gchar** inherits = g_key_file_get_string_list(keys, "Icon Theme", "Inherits", &count, nullptr);
        for (gsize i = 0; i < count; ++i) index->inherits.emplace_back(inherits[i]);
        g_strfreev(inherits);
    }
    g_key_file_free(keys);
    cache.emplace(file, index);
    return index;
}

std::filesystem::path existingIconFile(const std::filesystem::path& directory, const std::string& name) {
    for (const char* extension : {".png", ".svg"}) {
        const auto file = directory / (name + extension);
        std::error_code error;
        if (std::filesystem::is_regular_file(file, error)) return file;
    }
    return {};
}

// The best-fitting file of one theme across the icon directories.
std::filesystem::path findInTheme(const std::string& theme, const std::string& name, int pixels, int scale,
                                  const std::vector<std::filesystem::path>& bases,
                                  std::vector<std::string>& inherits) {
    std::filesystem::path best;
    int bestDistance = INT_MAX;
    for (const auto& base : bases) {
        const auto index = readThemeIndex(base / theme / "index.theme");
        if (!index) continue;
        for (const auto& parent : index->inherits) inherits.push_back(parent);
        for (const auto& directory : index->directories) {
            const int distance = directory.distance(pixels, scale);
            if (distance >= bestDistance) continue;
            if (auto file = existingIconFile(base / theme / directory.path, name); !file.empty()) {
                best = std::move(file);
                bestDistance = distance;
                if (distance == 0) return best;
            }
        }
    }
    return best;
}

// The file is read through the bounded reader (an "Icon=" path may name a device or a
// FIFO); librsvg gets the bytes, with the file as base for the references inside.
RsvgHandle* openSvg(const std::filesystem::path& file) {
    const auto bytes = base::Files::readFile(file, gfx::Image::kMaximumFileBytes);
    if (!bytes) return nullptr;
    GBytes* contents = g_bytes_new(bytes.value().data(), bytes.value().size());
    GInputStream* stream = g_memory_input_stream_new_from_bytes(contents);
    GFile* base = g_file_new_for_path(file.c_str());
    RsvgHandle* handle =
        rsvg_handle_new_from_stream_sync(stream, base, RSVG_HANDLE_FLAGS_NONE, nullptr, nullptr);
    g_object_unref(base);
    g_object_unref(stream);
    g_bytes_unref(contents);
    return handle;
}

gfx::Image renderSvg(const std::filesystem::path& file, int pixels, double scale) {
    RsvgHandle* handle = openSvg(file);
    if (!handle) return {};
    GError* error = nullptr;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels, pixels);
    cairo_t* cairo = cairo_create(surface);
    const RsvgRectangle viewport{0, 0, static_cast<double>(pixels), static_cast<double>(pixels)};
    const bool drawn = rsvg_handle_render_document(handle, cairo, &viewport, &error);
    if (error) g_error_free(error);
    cairo_destroy(cairo);
    g_object_unref(handle);
    gfx::Image image;
    if (drawn && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        cairo_surface_flush(surface);
        // Cairo's ARGB32 is the image's own pixel word: premultiplied, alpha in the high byte.
        const int stride = cairo_image_surface_get_stride(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        std::vector<std::uint32_t> pixelWords(static_cast<std::size_t>(pixels) * pixels);
        for (int row = 0; row < pixels; ++row) {
            std::memcpy(pixelWords.data() + static_cast<std::size_t>(row) * pixels, data + row * stride,
                        static_cast<std::size_t>(pixels) * 4);
        }
        image = gfx::Image(pixels, pixels, std::move(pixelWords), scale);
    }
    cairo_surface_destroy(surface);
    return image;
}

}  // namespace

void ApplicationIcons::setSearchDirectories(std::vector<std::filesystem::path> directories) {
    std::lock_guard lock(settings().mutex);
    settings().directories = std::move(directories);
}

void ApplicationIcons::setThemeName(std::string theme) {
    std::lock_guard lock(settings().mutex);
    settings().theme = std::move(theme);
}

std::filesystem::path ApplicationIcons::findThemedIcon(const std::string& iconName, int pixels,
                                                       double scale) {
    if (iconName.empty() || iconName.find('/') != std::string::npos) return {};
    std::vector<std::filesystem::path> bases;
    std::vector<std::string> themes;
    {
        std::lock_guard lock(settings().mutex);
        bases = settings().directories.empty() ? defaultDirectories() : settings().directories;
        if (!settings().theme.empty()) themes.push_back(settings().theme);
    }
    const int pointPixels = std::max(1, static_cast<int>(std::lround(pixels / std::max(scale, 1.0))));
    const int iconScale = std::max(1, static_cast<int>(std::lround(scale)));
    // 1. The preferred theme and what it inherits (each theme once), 2. hicolor.
    std::vector<std::string> visited;
    for (std::size_t next = 0; next < themes.size() && visited.size() < 16; ++next) {
        const std::string theme = themes[next];
        if (theme == "hicolor" || std::find(visited.begin(), visited.end(), theme) != visited.end()) continue;
        visited.push_back(theme);
        if (auto file = findInTheme(theme, iconName, pointPixels, iconScale, bases, themes); !file.empty())
            return file;
    }
    std::vector<std::string> ignored;
    if (auto file = findInTheme("hicolor", iconName, pointPixels, iconScale, bases, ignored); !file.empty()) {
        return file;
    }
    // 3. Loose files directly in an icon directory (pixmaps).
    for (const auto& base : bases) {
        if (auto file = existingIconFile(base, iconName); !file.empty()) return file;
    }
    return {};
}

gfx::Image ApplicationIcons::loadIconFile(const std::filesystem::path& file, int pixels, double scale) {
    if (file.extension() == ".svg" || file.extension() == ".svgz") return renderSvg(file, pixels, scale);
    auto image = gfx::Image::fromFile(file);
    if (!image || image.value().pixelWidth() <= 0) return {};
    // A bitmap keeps its pixels; its scale makes it as wide as an icon.
    return image.value().withScale(image.value().pixelWidth() / (static_cast<double>(pixels) / scale));
}

gfx::Image ApplicationIcons::iconFor(const std::string& bundleID, int /*format*/, double scale) {
    if (bundleID.empty() || bundleID.find('/') != std::string::npos) return {};
    if (!(scale > 0 && scale <= 16)) scale = 1;
    GDesktopAppInfo* info = g_desktop_app_info_new(ApplicationWorkspace::desktopFileID(bundleID).c_str());
    if (!info) return {};
    gchar* icon = g_desktop_app_info_get_string(info, G_KEY_FILE_DESKTOP_KEY_ICON);
    g_object_unref(info);
    if (!icon) return {};
    std::string iconName = icon;
    g_free(icon);

    const int pixels = static_cast<int>(std::lround(kIconPoints * scale));
    std::filesystem::path file;
    if (std::filesystem::path(iconName).is_absolute()) {
        file = iconName;
    } else {
        // Theme names carry no extension, but entries sometimes add one anyway.
        for (const char* extension : {".png", ".svg", ".xpm"}) {
            if (iconName.ends_with(extension)) iconName.resize(iconName.size() - std::strlen(extension));
        }
        file = findThemedIcon(iconName, pixels, scale);
    }
    if (file.empty()) return {};
    return loadIconFile(file, pixels, scale);
}

}  // namespace sys
