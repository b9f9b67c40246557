#include "sys/ContactStore.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>
#include <system_error>

#include "base/Log.h"
#include "sys/VCardReader.h"

namespace sys {

namespace {

std::mutex settingsMutex;
std::filesystem::path& configuredDirectory() {
    static std::filesystem::path directory;
    return directory;
}
std::atomic<bool> granted{true};

std::filesystem::path defaultDirectory() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/') {
        return std::filesystem::path(data) / "contacts";
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/") / ".local/share/contacts";
}

std::vector<std::filesystem::path> cardFiles(const std::filesystem::path& directory) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        if (it->path().extension() == ContactStore::kFileExtension && it->is_regular_file(error)) {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::optional<std::string> readFile(const std::filesystem::path& path) {
    std::error_code error;
    auto size = std::filesystem::file_size(path, error);
    if (error || size > ContactStore::kMaximumFileBytes) {
        base::Log::line("ContactStore: skipped " + path.string() + (error ? ": unreadable" : ": too large"));
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in && !in.eof()) {
        base::Log::line("ContactStore: skipped " + path.string() + ": unreadable");
        return std::nullopt;
    }
    return text.str();
}

}  // namespace

std::shared_ptr<ContactStore> ContactStore::create() {
    return std::shared_ptr<ContactStore>(new ContactStore());
}

ContactStore::ContactStore() : queue_("ContactStore") {}
ContactStore::~ContactStore() = default;

void ContactStore::setDirectory(std::filesystem::path directory) {
    std::lock_guard lock(settingsMutex);
    configuredDirectory() = std::move(directory);
}

std::filesystem::path ContactStore::directory() {
    std::lock_guard lock(settingsMutex);
    return configuredDirectory().empty() ? defaultDirectory() : configuredDirectory();
}

void ContactStore::setAccessGranted(bool isGranted) { granted = isGranted; }
bool ContactStore::accessGranted() { return granted; }

void ContactStore::requestAccess(std::function<void(bool granted)> completion) {
    bool decision = granted;
    queue_.async([completion = std::move(completion), decision] { completion(decision); });
}

void ContactStore::waitUntilIdle() {
    queue_.sync([] {});
}

std::vector<Contact> ContactStore::enumerateContacts() const {
    if (!accessGranted()) return {};
    std::vector<Contact> contacts;
    for (const auto& file : cardFiles(directory())) {
        auto text = readFile(file);
        if (!text) continue;
        auto cards = VCardReader::read(*text, file.filename().string());
        std::move(cards.begin(), cards.end(), std::back_inserter(contacts));
    }
    std::stable_sort(contacts.begin(), contacts.end(), [](const Contact& a, const Contact& b) {
        if (a.givenName.has_value() != b.givenName.has_value()) return a.givenName.has_value();
        return a.givenName && *a.givenName < *b.givenName;
    });
    return contacts;
}

}  // namespace sys
