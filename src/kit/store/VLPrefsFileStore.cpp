#include "store/VLPrefsFileStore.h"

#include "base/Files.h"
#include "base/Log.h"
#include "base/PropertyList.h"
#include "store/VLPrefsDirectoryLock.h"
#include "store/VLPrefsPaths.h"
#include "store/VLPrefsTemporaryFileSweeper.h"
#include "store/VLStorableValue.h"

namespace {

// Logs why a write did not happen and hands the same reason to the caller.
base::Error writeFailure(std::string_view identifier, std::string_view reason) {
    std::string line = "VLPrefsManager: not writing preferences of ";
    line += identifier;
    line += ": ";
    line += reason;
    base::Log::line(line);
    return base::Error{"VLPrefsManager", 1, std::string(reason)};
}

}  // namespace

base::Value VLPrefsFileStore::entries(std::string_view identifier) {
    VLPrefsSnapshot snapshot =
        cache_.read(VLPrefsPaths::preferenceDirectory(), VLPrefsPaths::preferenceFileName(identifier));
    if (snapshot.state != VLPrefsSnapshot::State::Dictionary) return base::Value();
    return std::move(snapshot.dictionary);
}

base::Result<void> VLPrefsFileStore::update(std::string_view identifier, std::string_view key,
                                            const base::Value& value) {
    if (!VLStorableValue::isStorableString(key)) return writeFailure(identifier, "the key is not valid text");
    if (!value.isAbsent() && !VLStorableValue::isStorable(value)) {
        return writeFailure(identifier, "the value is not a property-list value");
    }

    // 1. Exclude every other writer of the store until this write is done.
    std::filesystem::path directory = VLPrefsPaths::preferenceDirectory();
    std::string fileName = VLPrefsPaths::preferenceFileName(identifier);
    // A fresh filesystem root has no preference directory yet; the first write makes it.
    if (auto made = base::Files::createDirectories(directory); !made) {
        return writeFailure(identifier, made.error().description);
    }
    VLPrefsDirectoryLock lock(directory);
    // Writing without the lock could lose another writer's entries: refuse instead.
    if (!lock.locked()) return writeFailure(identifier, lock.failure());

    // 2. Read the current entries; an unusable file is kept rather than replaced.
    VLPrefsSnapshot snapshot = cache_.read(directory, fileName);
    // Left-overs of killed writers are looked for once, then only after the watch on the
    // directory saw another process create a temporary file: one look per foreign write.
    if (cache_.takeForeignTemporaryFileSeen()) {
        VLPrefsTemporaryFileSweeper::sweep(directory, ".plist");
    }
    if (snapshot.state == VLPrefsSnapshot::State::Unusable) {
        return writeFailure(identifier, "the existing file cannot be used (" + snapshot.problem + ")");
    }
    base::Value entries = snapshot.state == VLPrefsSnapshot::State::Dictionary
                              ? std::move(snapshot.dictionary)
                              : base::Value(base::Value::Dictionary{});

    // 3. Change the one entry and write the whole dictionary back atomically.
    entries.set(key, value);
    auto written =
        base::PropertyList::writeFile(entries, directory / fileName, base::PropertyList::Format::Xml);
    if (!written) return writeFailure(identifier, written.error().description);
    return {};
}
