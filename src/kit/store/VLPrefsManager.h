#pragma once

#include <atomic>
#include <concepts>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "base/Result.h"
#include "base/Value.h"
#include "gfx/Color.h"
#include "gfx/Font.h"
#include "gfx/FontDescriptor.h"
#include "gfx/Image.h"

class VLPrefsFileStore;

// The one place where a tweak's preference values are read and written.
//
// Each identifier (a tweak's bundle identifier, a row's "BID") names one XML property
// list, "/var/mobile/Library/Preferences/ID.plist" under the filesystem root, whose root
// dictionary maps keys to values. Every setter re-reads the file, sets one entry and
// rewrites the whole file atomically; entries the store did not write are kept unchanged.
// Getters see the file as it is now: a parsed copy is reused only while an inotify watch
// on the directory reports no change to it.
//
// The setters tell their callers nothing of failures (tools that need the outcome use
// `store`): a missing, unreadable or malformed file reads as
// empty, failed writes leave the old file and log one line, and getters fall back on the
// caller's default. An absent identifier reads as empty and writes nothing. Identifiers
// that could leave the preference directory ("/", NUL, ".", "..", empty) are refused with
// one log line, as are keys and values that an XML property list cannot hold.
//
// The numeric getters with a default return it whenever the stored reading is 0 (absent
// or a stored 0), which rows and pickers rely on. The operations named float carry 64-bit
// whole numbers, stored as integers.
//
// Writers using the store are serialised by an advisory lock on the preference directory,
// so two writers (threads or processes) never lose each other's entries; a writer that
// does not use the store can still overwrite the file, and then the last whole write wins.
class VLPrefsManager {
public:
    // A preference identifier; std::nullopt is the null identifier.
    using Identifier = std::optional<std::string_view>;

    static VLPrefsManager& sharedInstance();

    VLPrefsManager();
    ~VLPrefsManager();
    VLPrefsManager(const VLPrefsManager&) = delete;
    VLPrefsManager& operator=(const VLPrefsManager&) = delete;

    // Writing: each rewrites the whole file.
    void setBool(bool value, std::string_view key, Identifier id);
    void setInt(std::int32_t value, std::string_view key, Identifier id);
    void setInteger(std::int64_t value, std::string_view key, Identifier id);
    void setFloat(std::int64_t value, std::string_view key, Identifier id);
    // Any property-list value; an absent value removes the entry.
    void setObject(const base::Value& value, std::string_view key, Identifier id);
    // A font row's value: the keyed archive of the descriptor, as data. (A template only so
    // that text, which a descriptor can also be made from, always goes to the overload above.)
    template <typename Descriptor>
    requires std::same_as<Descriptor, gfx::FontDescriptor>
    void setObject(const Descriptor& descriptor, std::string_view key, Identifier id) {
        setFontDescriptor(descriptor, key, id);
    }
    // Removes the entry; the file is written even when it had no such entry (or no file).
    void removeObjectForKey(std::string_view key, Identifier id);

    // Reading with a default.
    bool boolForKey(std::string_view key, bool defaultValue, Identifier id);
    base::Value objectForKey(std::string_view key, const base::Value& defaultValue, Identifier id);
    std::int64_t floatForKey(std::string_view key, std::int64_t defaultValue, Identifier id);
    std::int32_t intForKey(std::string_view key, std::int32_t defaultValue, Identifier id);
    // The stored value's full 64-bit reading, so what `setInteger` wrote reads back.
    std::int64_t integerForKey(std::string_view key, std::int64_t defaultValue, Identifier id);

    // Reading without a default: false, an absent value or 0 when there is no entry.
    bool boolForKey(std::string_view key, Identifier id);
    base::Value objectForKey(std::string_view key, Identifier id);
    std::int64_t floatForKey(std::string_view key, Identifier id);
    std::int32_t intForKey(std::string_view key, Identifier id);
    std::int64_t integerForKey(std::string_view key, Identifier id);

    // Colours: the stored colour string decoded by the hexadecimal rule (VLColourString);
    // when nothing is stored, `defaultColour` decoded the same way (so a colour word such as
    // "red" gives grey here). A stored value that is not a string is grey.
    gfx::Color colourForKey(std::string_view key, std::string_view defaultColour, Identifier id);
    static gfx::Color colorWithHexString(std::string_view text);

    // The stored font descriptor at `fontSize` points; the system font of that size when the
    // entry is absent, is not a descriptor archive or names a family the kit does not have.
    gfx::Font fontForKey(std::string_view key, std::int64_t fontSize, Identifier id);

    // Images inside the preference file: JPEG data at quality 0.7. A null image (or one that
    // cannot be encoded) writes nothing and logs one line.
    void setImage(const gfx::Image& image, std::string_view key, Identifier id);
    // The stored image; the system symbol `defaultImage` when the entry is absent; a null
    // image when the stored entry does not decode.
    gfx::Image imageForKey(std::string_view key, std::string_view defaultImage, Identifier id);

    // Image files: "/var/QZN/Vellium/Thumbnails/ID_KEY.png" under the filesystem root, the
    // whole image as PNG. The new file replaces the old one atomically, so a failed write
    // keeps the previous image. Writers of image files exclude each other with the
    // directory's lock, and now and then remove what killed writers left. The directory must
    // exist; an absent identifier, or an identifier or key that could leave the directory,
    // writes nothing and logs one line.
    void setThumbnailImage(const gfx::Image& image, std::string_view key, Identifier id);
    // The image file's image when the file exists (a null image when it does not decode);
    // otherwise the system symbol `defaultImage`.
    gfx::Image thumbnailImageForKey(std::string_view key, std::string_view defaultImage, Identifier id);

    // Every entry of the file (a dictionary), for tools that show or copy the whole file;
    // an absent value when there is no usable file.
    base::Value allEntries(Identifier id);

    // The write behind every setter, with its outcome: stores `value` under `key` (an
    // absent value removes the entry) and says why nothing was written. The failure is
    // also logged, as for the setters, which report nothing.
    base::Result<void> store(std::string_view key, const base::Value& value, Identifier id);

private:
    void setFontDescriptor(const gfx::FontDescriptor& descriptor, std::string_view key, Identifier id);
    // The stored value, absent when there is none (or the identifier is absent or refused).
    base::Value storedValue(std::string_view key, Identifier id);

    void writeThumbnailFile(const std::filesystem::path& path, std::span<const std::uint8_t> png);

    std::unique_ptr<VLPrefsFileStore> files_;
    std::atomic<unsigned> thumbnailWrites_{0};
};
