#include "TweakBundle.h"

#include <dlfcn.h>

#include <algorithm>
#include <system_error>

#include "base/FileSystemRoot.h"
#include "base/PropertyList.h"

namespace {

base::Error bundleError(long code, std::string line) {
    return {TweakBundle::kErrorDomain, code, std::move(line)};
}

std::string stringEntry(const base::Value& info, const char* key) {
    const std::string* text = info[key].asString();
    return text ? *text : std::string();
}

}  // namespace

bool TweakBundle::isPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

std::filesystem::path TweakBundle::directoryOf(const std::string& name) {
    return base::FileSystemRoot::resolve("/var/QZN/Vellium/Preferences/" + name + "Prefs.bundle");
}

std::vector<std::string> TweakBundle::installedNames() {
    constexpr std::string_view kSuffix = "Prefs.bundle";
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(
             base::FileSystemRoot::resolve("/var/QZN/Vellium/Preferences"), error)) {
        std::string folder = entry.path().filename().string();
        if (!entry.is_directory(error) || folder.size() <= kSuffix.size() || !folder.ends_with(kSuffix))
            continue;
        names.push_back(folder.substr(0, folder.size() - kSuffix.size()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

base::Result<TweakBundle> TweakBundle::open(const std::string& name) {
    if (!isPlainName(name))
        return bundleError(kBadName, "Refusing bundle name \"" + name + "\": not a plain name");
    TweakBundle bundle;
    bundle.name_ = name;
    bundle.directory_ = directoryOf(name);
    std::error_code error;
    if (!std::filesystem::is_directory(bundle.directory_, error))
        return bundleError(kMissingBundle, "No bundle " + name + " at " + bundle.directory_.string());
    if (auto read = bundle.readInfo(); !read) return read.error();
    if (auto loaded = bundle.loadLibrary(); !loaded) return loaded.error();
    return bundle;
}

base::Result<void> TweakBundle::readInfo() {
    const auto infoPath = directory_ / "Info.plist";
    std::error_code error;
    if (!std::filesystem::exists(infoPath, error)) return {};
    auto info = base::PropertyList::readFile(infoPath);
    if (!info || !info.value().asDictionary())
        return bundleError(kBadInfo, "Unreadable " + infoPath.string() + ": not a property-list dictionary");
    executable_ = stringEntry(info.value(), "CFBundleExecutable");
    principalClass_ = stringEntry(info.value(), "NSPrincipalClass");
    listClass_ = stringEntry(info.value(), "VLPrefsListClass");
    if (!executable_.empty() && !isPlainName(executable_))
        return bundleError(kBadName, "Refusing library \"" + executable_ + "\" of bundle " + name_ +
                                         ": it must lie in the bundle's folder");
    return {};
}

base::Result<void> TweakBundle::loadLibrary() const {
    if (executable_.empty()) return {};
    const auto library = directory_ / executable_;
    std::error_code error;
    if (!std::filesystem::is_regular_file(library, error))
        return bundleError(kMissingLibrary, "Bundle " + name_ + " names library " + executable_ +
                                                ", which is missing at " + library.string());
    // Never closed: the registrations it made point into its code.
    if (!dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        const char* reason = dlerror();
        return bundleError(kUnloadable, "Cannot load library " + library.string() + " of bundle " + name_ +
                                            ": " + (reason ? reason : "unknown error"));
    }
    return {};
}

std::filesystem::path TweakBundle::documentPath(const std::string& documentName) const {
    return directory_ / (documentName + ".plist");
}

bool TweakBundle::hasDocument(const std::string& documentName) const {
    std::error_code error;
    return isPlainName(documentName) && std::filesystem::is_regular_file(documentPath(documentName), error);
}
