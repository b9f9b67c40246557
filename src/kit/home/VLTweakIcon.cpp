#include "home/VLTweakIcon.h"

#include "base/FileSystemRoot.h"
#include "base/Log.h"
#include "store/VLPrefsPaths.h"

gfx::Image VLTweakIcon::load(const std::string& tweakName) {
    const std::string bundle = tweakName + "Prefs.bundle";
    if (!VLPrefsPaths::isSafeSegment(bundle)) {
        base::Log::line("VLTweakIcon: refused tweak name " + tweakName);
        return {};
    }
    auto image = gfx::Image::fromFile(
        base::FileSystemRoot::resolve("/var/QZN/Vellium/Preferences/" + bundle + "/Assets/Images/icon.png"));
    return image ? std::move(image).value() : gfx::Image();
}
