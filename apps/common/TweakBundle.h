#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/Result.h"

// A tweak's preference bundle as the host programs open it: the folder
// "/var/QZN/Vellium/Preferences/NAMEPrefs.bundle" under the filesystem root, its Info.plist,
// and the shared library that "CFBundleExecutable" names. Loading the library runs its static
// registrations (view-controller classes, actions), so `principalClass` can then be created
// through VLViewControllerRegistry. The library stays loaded for the rest of the process.
class TweakBundle {
public:
    static constexpr const char* kErrorDomain = "vellium.TweakBundle";
    enum ErrorCode : long {
        kBadName = 1,
        kMissingBundle = 2,
        kBadInfo = 3,
        kMissingLibrary = 4,
        kUnloadable = 5
    };

    // Opens and loads the bundle of tweak `name`. A bundle without Info.plist or without
    // "CFBundleExecutable" has no code and opens with an empty principal class. Errors carry
    // one line fit for standard error.
    static base::Result<TweakBundle> open(const std::string& name);

    // Where bundle `name` lies: "/var/QZN/Vellium/Preferences/NAMEPrefs.bundle" under the root.
    static std::filesystem::path directoryOf(const std::string& name);
    // The names of the bundles installed under the root's "/var/QZN/Vellium/Preferences/"
    // (the folders "NAMEPrefs.bundle"), sorted.
    static std::vector<std::string> installedNames();

    // A bundle or document name is one plain path component: not empty, not "." or "..",
    // without "/" or NUL.
    static bool isPlainName(const std::string& name);

    const std::string& name() const { return name_; }
    const std::filesystem::path& directory() const { return directory_; }
    const std::string& principalClass() const { return principalClass_; }
    // The list screen class the tools open the bundle's documents with ("VLPrefsListClass");
    // the principal class when the bundle names none (its principal may be a home screen).
    const std::string& listClass() const { return listClass_.empty() ? principalClass_ : listClass_; }
    std::filesystem::path documentPath(const std::string& documentName) const;
    bool hasDocument(const std::string& documentName) const;

private:
    base::Result<void> readInfo();
    base::Result<void> loadLibrary() const;

    std::string name_;
    std::filesystem::path directory_;
    std::string executable_;
    std::string principalClass_;
    std::string listClass_;
};
