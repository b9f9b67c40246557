#include "services/VLUtilities.h"

#include <cmath>
#include <cstdio>
#include <mutex>
#include <vector>

#include "base/Calendar.h"
#include "base/Clock.h"
#include "base/DateFormatter.h"
#include "base/FileSystemRoot.h"
#include "base/URL.h"
#include "sys/Device.h"
#include "sys/ImpactFeedbackGenerator.h"
#include "sys/Launcher.h"
#include "sys/Spawn.h"

namespace {

// The process-wide haptic generator: unset until a call with a concrete style.
std::mutex hapticMutex;
std::shared_ptr<sys::ImpactFeedbackGenerator> currentHaptic;

// Starts a tool with no environment and the given argument vector, then blocks until it
// has exited. (waitpid with the options value 4, WEXITED, which Linux accepts only from
// waitid, fails at once and would leave the child a zombie; this wait blocks until the
// child has exited and is reaped.)
void runTool(std::string_view devicePath, const std::vector<std::string>& arguments) {
    const auto child = sys::Spawn::start(base::FileSystemRoot::resolve(devicePath), arguments,
                                         sys::Spawn::Environment::Empty);
    if (!child) return;
    [[maybe_unused]] const auto status = sys::Spawn::wait(child.value());
}

}  // namespace

std::shared_ptr<VLUtilities> VLUtilities::sharedInstance() {
    static std::once_flag once;
    static std::shared_ptr<VLUtilities> instance;
    std::call_once(once, [] { instance = std::make_shared<VLUtilities>(); });
    return instance;
}

void VLUtilities::respring() { runTool("/var/bin/sbreload", {"sbreload"}); }

void VLUtilities::safemode() { runTool("/var/bin/killall", {"killall", "-SEGV", "SpringBoard"}); }

void VLUtilities::reboot() { runTool("/var/bin/mobileldrestart", {"mobileldrestart"}); }

void VLUtilities::uicache() { runTool("/var/bin/uicache", {"uicache"}); }

std::string VLUtilities::systemVersion() { return sys::Device::currentDevice()->systemVersion(); }

std::string VLUtilities::deviceName() { return sys::Device::currentDevice()->name(); }

std::string VLUtilities::deviceModel() { return sys::Device::currentDevice()->model(); }

std::string VLUtilities::timeWithFormat(const std::string& format) {
    const base::DateFormatter formatter(format, base::Locale("en_US_POSIX"), base::TimeZone::local());
    return formatter.stringFromDate(base::Clock::current()->currentDate());
}

std::string VLUtilities::dateWithFormat(const std::string& format) {
    const base::DateFormatter formatter(format);
    return formatter.stringFromDate(base::Clock::current()->currentDate());
}

std::string VLUtilities::greeting() {
    const auto now = base::Calendar::components(base::Clock::current()->currentDate());
    const int hour = now ? now->hour : 0;
    if (hour < 12) return "Good Morning";
    if (hour < 17) return "Good Afternoon";
    if (hour < 21) return "Good Evening";
    return "Good Night";
}

std::string VLUtilities::battery() {
    // Single precision, as the level is read, then rounded to a whole percent.
    const float percent = sys::Device::currentDevice()->batteryLevel() * 100.0f;
    char text[32];
    std::snprintf(text, sizeof text, "%.f%%", static_cast<double>(percent));
    return text;
}

void VLUtilities::launchURL(const std::string& url) {
    // Text that is no URL makes an open request for nothing, which does nothing.
    const auto parsed = base::URL::parse(url);
    if (!parsed) return;
    sys::Launcher::openURL(parsed->absoluteString());
}

void VLUtilities::launchApp(const std::string& bundleID) { sys::Launcher::launch(bundleID); }

void VLUtilities::haptic(long style) {
    std::shared_ptr<sys::ImpactFeedbackGenerator> generator;
    {
        std::lock_guard lock(hapticMutex);
        if (style >= 0 && style <= 2) {
            currentHaptic =
                sys::ImpactFeedbackGenerator::create(static_cast<sys::ImpactFeedbackGenerator::Style>(style));
        }
        generator = currentHaptic;
    }
    if (generator) generator->impactOccurred();
}
