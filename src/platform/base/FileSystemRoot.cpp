#include "base/FileSystemRoot.h"

#include <mutex>

namespace base {
namespace {

std::mutex& rootMutex() {
    static std::mutex mutex;
    return mutex;
}

std::filesystem::path& storedRoot() {
    static std::filesystem::path root = "/";
    return root;
}

}  // namespace

std::filesystem::path FileSystemRoot::root() {
    std::lock_guard lock(rootMutex());
    return storedRoot();
}

void FileSystemRoot::set(std::filesystem::path root) {
    std::lock_guard lock(rootMutex());
    storedRoot() = root.empty() ? std::filesystem::path("/") : std::move(root);
}

std::filesystem::path FileSystemRoot::resolve(std::string_view devicePath) {
    while (!devicePath.empty() && devicePath.front() == '/') devicePath.remove_prefix(1);
    return root() / std::filesystem::path(devicePath);
}

}  // namespace base
