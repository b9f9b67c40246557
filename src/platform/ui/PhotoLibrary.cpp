#include "ui/PhotoLibrary.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include "gfx/ImageContext.h"

namespace ui {

namespace {

namespace fs = std::filesystem;

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return std::nullopt;
    return std::string(value);
}

// The value of `XDG_PICTURES_DIR="..."` in a user-dirs.dirs file: "$HOME/..." or absolute;
// anything else is not a folder we can use.
std::optional<fs::path> picturesFromUserDirs(const fs::path& file, const fs::path& home) {
    std::ifstream stream(file);
    static constexpr std::string_view kKey = "XDG_PICTURES_DIR=";
    std::string line;
    std::optional<fs::path> found;
    while (std::getline(stream, line)) {
        if (!line.starts_with(kKey)) continue;
        std::string value = line.substr(kKey.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value == "$HOME" || value.starts_with("$HOME/")) {
            if (home.empty()) continue;
            found = home / value.substr(std::min<std::size_t>(value.size(), 6));
        } else if (value.starts_with('/')) {
            found = fs::path(value);
        }
    }
    return found;
}

bool looksLikePicture(const fs::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".png" || extension == ".jpg" || extension == ".jpeg";
}

}  // namespace

fs::path PhotoLibrary::picturesDirectory() {
    if (auto direct = environment("XDG_PICTURES_DIR")) return fs::path(*direct);
    fs::path home = environment("HOME").value_or("");
    fs::path config =
        environment("XDG_CONFIG_HOME").value_or(home.empty() ? "" : (home / ".config").string());
    if (!config.empty()) {
        if (auto listed = picturesFromUserDirs(config / "user-dirs.dirs", home)) return *listed;
    }
    return home.empty() ? fs::path() : home / "Pictures";
}

gfx::Image PhotoLibrary::thumbnail(const gfx::Image& image, int pixels) {
    if (image.isNull() || pixels <= 0) return {};
    int longest = std::max(image.pixelWidth(), image.pixelHeight());
    if (longest <= pixels) return image.withScale(1.0);
    double factor = static_cast<double>(pixels) / longest;
    gfx::Size size{std::max(1.0, std::round(image.pixelWidth() * factor)),
                   std::max(1.0, std::round(image.pixelHeight() * factor))};
    gfx::ImageContext context(size, 1.0);
    context.painter().drawImage(image, {0, 0, size.width, size.height});
    return context.image();
}

std::vector<fs::path> PhotoLibrary::pictureFiles(const fs::path& directory) {
    std::error_code error;
    std::vector<fs::path> files;
    for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
        std::error_code statusError;
        if (it->is_regular_file(statusError) && looksLikePicture(it->path())) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// One picture at full size at a time: decoded, shrunk, let go.
std::optional<PhotoLibrary::Photo> PhotoLibrary::load(const fs::path& file, int thumbnailPixels) {
    auto decoded = gfx::Image::fromFile(file);
    if (!decoded) return std::nullopt;
    return Photo{file, thumbnail(decoded.value(), thumbnailPixels)};
}

PhotoLibrary PhotoLibrary::scan(const fs::path& directory, int thumbnailPixels) {
    PhotoLibrary library;
    for (const fs::path& file : pictureFiles(directory)) {
        if (auto photo = load(file, thumbnailPixels)) library.photos_.push_back(std::move(*photo));
    }
    return library;
}

void PhotoLibrary::append(std::vector<Photo> photos) {
    photos_.insert(photos_.end(), std::make_move_iterator(photos.begin()),
                   std::make_move_iterator(photos.end()));
}

}  // namespace ui
