#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "base/Result.h"
#include "gfx/Image.h"

namespace ui {

// The user's pictures as an image picker shows them: the PNG and JPEG files directly inside
// the pictures folder, in name order, each with a small thumbnail. Files that do not decode
// are left out. Each file is decoded once while scanning and only its thumbnail is kept, so a
// folder of large photos never sits in memory at full size; the original is read again when
// it is picked. `PhotoLibraryLoader` runs the same scan on a thread of its own.
class PhotoLibrary {
public:
    static constexpr int kThumbnailPixels = 256;

    struct Photo {
        std::filesystem::path path;
        gfx::Image thumbnail;
    };

    // The user's pictures folder: $XDG_PICTURES_DIR, else the XDG_PICTURES_DIR line of
    // user-dirs.dirs (in $XDG_CONFIG_HOME, else ~/.config), else ~/Pictures. Empty when
    // there is no home to start from.
    static std::filesystem::path picturesDirectory();

    // Reads `directory` (not its subfolders); an unreadable folder gives an empty library.
    static PhotoLibrary scan(const std::filesystem::path& directory, int thumbnailPixels = kThumbnailPixels);
    // The two steps of a scan: the candidate files of `directory` in name order, and one
    // file decoded into a photo (nothing when it does not decode). Safe on any thread.
    static std::vector<std::filesystem::path> pictureFiles(const std::filesystem::path& directory);
    static std::optional<Photo> load(const std::filesystem::path& file,
                                     int thumbnailPixels = kThumbnailPixels);

    const std::vector<Photo>& photos() const { return photos_; }
    // Adds photos scanned elsewhere after those already listed.
    void append(std::vector<Photo> photos);
    // The picture at full size, read again from its file.
    static base::Result<gfx::Image> original(const Photo& photo) { return gfx::Image::fromFile(photo.path); }
    // `image` scaled down (never up) so that neither side exceeds `pixels`.
    static gfx::Image thumbnail(const gfx::Image& image, int pixels);

private:
    std::vector<Photo> photos_;
};

}  // namespace ui
