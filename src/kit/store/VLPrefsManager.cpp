#include "store/VLPrefsManager.h"

#include <mutex>

#include "base/AtomicFile.h"
#include "base/Files.h"
#include "base/Log.h"
#include "gfx/SymbolImage.h"
#include "store/VLColourString.h"
#include "store/VLPrefsDirectoryLock.h"
#include "store/VLPrefsFileStore.h"
#include "store/VLPrefsPaths.h"
#include "store/VLPrefsTemporaryFileSweeper.h"

namespace {

// Why an identifier cannot name a file: absent, or unsafe as a file name (that refusal is
// logged). Nothing when it is usable.
std::optional<base::Error> identifierProblem(const VLPrefsManager::Identifier& id) {
    if (!id) return base::Error{"VLPrefsManager", 2, "no preference identifier"};
    if (VLPrefsPaths::isSafeSegment(*id)) return std::nullopt;
    std::string line = "VLPrefsManager: refusing the preference identifier \"";
    for (char c : *id) line += c == '\0' ? std::string("\\0") : std::string(1, c);
    line += "\"";
    base::Log::line(line);
    return base::Error{"VLPrefsManager", 2, "the preference identifier would leave its directory"};
}

bool isUsable(const VLPrefsManager::Identifier& id) { return !identifierProblem(id); }

// The image file of a present identifier and key that are both safe in a file name.
std::optional<std::filesystem::path> thumbnailPath(const VLPrefsManager::Identifier& id,
                                                   std::string_view key) {
    if (!id) {
        base::Log::line("VLPrefsManager: no image file without a preference identifier");
        return std::nullopt;
    }
    if (!isUsable(id)) return std::nullopt;
    if (!VLPrefsPaths::isSafeSegment(key)) {
        base::Log::line("VLPrefsManager: refusing an image file key that would leave its directory");
        return std::nullopt;
    }
    return VLPrefsPaths::thumbnailFile(*id, key);
}

}  // namespace

VLPrefsManager& VLPrefsManager::sharedInstance() {
    static std::once_flag once;
    static VLPrefsManager* instance = nullptr;
    // Never destroyed: tweaks may read settings from other static destructors.
    std::call_once(once, [] { instance = new VLPrefsManager(); });
    return *instance;
}

VLPrefsManager::VLPrefsManager() : files_(std::make_unique<VLPrefsFileStore>()) {}
VLPrefsManager::~VLPrefsManager() = default;

base::Value VLPrefsManager::storedValue(std::string_view key, Identifier id) {
    if (!isUsable(id)) return {};
    return files_->entries(*id)[key];
}

base::Result<void> VLPrefsManager::store(std::string_view key, const base::Value& value, Identifier id) {
    if (auto problem = identifierProblem(id)) return std::move(*problem);
    return files_->update(*id, key, value);
}

// The setters tell their callers nothing; the store has logged any failure.
void VLPrefsManager::setBool(bool value, std::string_view key, Identifier id) { (void)store(key, value, id); }
void VLPrefsManager::setInt(std::int32_t value, std::string_view key, Identifier id) {
    (void)store(key, value, id);
}
void VLPrefsManager::setInteger(std::int64_t value, std::string_view key, Identifier id) {
    (void)store(key, static_cast<long long>(value), id);
}
void VLPrefsManager::setFloat(std::int64_t value, std::string_view key, Identifier id) {
    (void)store(key, static_cast<long long>(value), id);
}
void VLPrefsManager::setObject(const base::Value& value, std::string_view key, Identifier id) {
    (void)store(key, value, id);
}
void VLPrefsManager::removeObjectForKey(std::string_view key, Identifier id) {
    (void)store(key, base::Value(), id);
}

bool VLPrefsManager::boolForKey(std::string_view key, bool defaultValue, Identifier id) {
    base::Value value = storedValue(key, id);
    return value.isAbsent() ? defaultValue : value.boolValue();
}

base::Value VLPrefsManager::objectForKey(std::string_view key, const base::Value& defaultValue,
                                         Identifier id) {
    base::Value value = storedValue(key, id);
    return value.isAbsent() ? defaultValue : value;
}

std::int64_t VLPrefsManager::floatForKey(std::string_view key, std::int64_t defaultValue, Identifier id) {
    std::int64_t reading = storedValue(key, id).longLongValue();
    return reading == 0 ? defaultValue : reading;
}

std::int32_t VLPrefsManager::intForKey(std::string_view key, std::int32_t defaultValue, Identifier id) {
    std::int32_t reading = storedValue(key, id).intValue();
    return reading == 0 ? defaultValue : reading;
}

std::int64_t VLPrefsManager::integerForKey(std::string_view key, std::int64_t defaultValue, Identifier id) {
    std::int64_t reading = storedValue(key, id).longLongValue();
    return reading == 0 ? defaultValue : reading;
}

bool VLPrefsManager::boolForKey(std::string_view key, Identifier id) {
    return storedValue(key, id).boolValue();
}
base::Value VLPrefsManager::objectForKey(std::string_view key, Identifier id) { return storedValue(key, id); }
std::int64_t VLPrefsManager::floatForKey(std::string_view key, Identifier id) {
    return storedValue(key, id).longLongValue();
}
std::int32_t VLPrefsManager::intForKey(std::string_view key, Identifier id) {
    return storedValue(key, id).intValue();
}
std::int64_t VLPrefsManager::integerForKey(std::string_view key, Identifier id) {
    return storedValue(key, id).longLongValue();
}

gfx::Color VLPrefsManager::colourForKey(std::string_view key, std::string_view defaultColour, Identifier id) {
    base::Value value = storedValue(key, id);
    if (value.isAbsent()) return VLColourString::colorWithHexString(defaultColour);
    const std::string* text = value.asString();
    return text ? VLColourString::colorWithHexString(*text) : gfx::Color::gray();
}

gfx::Color VLPrefsManager::colorWithHexString(std::string_view text) {
    return VLColourString::colorWithHexString(text);
}

base::Value VLPrefsManager::allEntries(Identifier id) {
    if (!isUsable(id)) return {};
    return files_->entries(*id);
}

void VLPrefsManager::setFontDescriptor(const gfx::FontDescriptor& descriptor, std::string_view key,
                                       Identifier id) {
    if (!isUsable(id)) return;
    auto archive = descriptor.archive();
    if (!archive)
        return base::Log::line("VLPrefsManager: cannot archive the font: " + archive.error().description);
    (void)store(key, base::Value(std::move(archive).value()), id);
}

gfx::Font VLPrefsManager::fontForKey(std::string_view key, std::int64_t fontSize, Identifier id) {
    auto pointSize = static_cast<double>(fontSize);
    base::Value value = storedValue(key, id);
    if (const base::Data* archive = value.asData()) {
        if (auto descriptor = gfx::FontDescriptor::unarchive(*archive)) {
            if (auto font = descriptor->fontWithSize(pointSize)) return *font;
        }
    }
    return gfx::Font::system(pointSize);
}

void VLPrefsManager::setImage(const gfx::Image& image, std::string_view key, Identifier id) {
    if (!isUsable(id)) return;
    if (image.isNull()) return base::Log::line("VLPrefsManager: no image to store");
    auto jpeg = image.encodeJpeg(0.7);
    if (!jpeg) return base::Log::line("VLPrefsManager: cannot encode the image: " + jpeg.error().description);
    (void)store(key, base::Value(std::move(jpeg).value()), id);
}

gfx::Image VLPrefsManager::imageForKey(std::string_view key, std::string_view defaultImage, Identifier id) {
    base::Value value = storedValue(key, id);
    if (value.isAbsent()) return gfx::SymbolImage::named(defaultImage);
    const base::Data* bytes = value.asData();
    if (!bytes) return {};
    auto decoded = gfx::Image::decode(*bytes);
    return decoded ? std::move(decoded).value() : gfx::Image();
}

void VLPrefsManager::setThumbnailImage(const gfx::Image& image, std::string_view key, Identifier id) {
    auto path = thumbnailPath(id, key);
    if (!path) return;
    if (image.isNull()) return base::Log::line("VLPrefsManager: no image to store");
    auto png = image.encodePng();
    if (!png) return base::Log::line("VLPrefsManager: cannot encode the image: " + png.error().description);
    writeThumbnailFile(*path, png.value());
}

void VLPrefsManager::writeThumbnailFile(const std::filesystem::path& path,
                                        std::span<const std::uint8_t> png) {
    const std::filesystem::path directory = path.parent_path();
    auto written = base::Files::createDirectories(directory);
    if (written) {
        VLPrefsDirectoryLock lock(directory);
        if (!lock.locked()) {
            written = base::Error{"VLPrefsManager", 1, lock.failure()};
        } else {
            // Image files are written rarely and cost an encoding each: looking for left-overs
            // at the first write and every 32nd after is cheap, and nothing watches that folder.
            if (thumbnailWrites_.fetch_add(1) % 32 == 0)
                VLPrefsTemporaryFileSweeper::sweep(directory, ".png");
            // Replacing atomically, rather than deleting first, keeps the old image if this fails.
            written = base::AtomicFile::write(path, png);
        }
    }
    if (!written)
        base::Log::line("VLPrefsManager: cannot write " + path.string() + ": " + written.error().description);
}

gfx::Image VLPrefsManager::thumbnailImageForKey(std::string_view key, std::string_view defaultImage,
                                                Identifier id) {
    auto path = thumbnailPath(id, key);
    if (!path || !base::Files::exists(*path)) return gfx::SymbolImage::named(defaultImage);
    auto image = gfx::Image::fromFile(*path);
    return image ? std::move(image).value() : gfx::Image();
}
