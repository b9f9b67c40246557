#pragma once

#include <memory>
#include <string>

// Small device services for tweaks: restarting the home screen (respring), safe mode,
// rebooting and rebuilding the icon cache through the jailbreak's tools under "/var/bin/"
// (resolved under the filesystem root), device facts, the current time and date as text,
// a greeting for the time of day, the battery level, opening URLs and applications, and a
// haptic tap. Stateless; the one haptic generator is process-wide.
class VLUtilities {
public:
    static std::shared_ptr<VLUtilities> sharedInstance();

    // Each runs its tool and blocks until the tool has exited; a missing tool does nothing.
    void respring();
    void safemode();
    void reboot();
    void uicache();

    std::string systemVersion();
    std::string deviceName();
    std::string deviceModel();

    // The current moment with a Unicode date pattern: `timeWithFormat` in the "en_US_POSIX"
    // locale (so "HH:mm" always gives 24-hour digits) and the local time zone,
    // `dateWithFormat` in the user's locale and time zone.
    std::string timeWithFormat(const std::string& format);
    std::string dateWithFormat(const std::string& format);
    // "Good Morning" (0–11 h), "Good Afternoon" (12–16 h), "Good Evening" (17–20 h) or
    // "Good Night" (21–23 h), by the current hour in the local time zone.
    std::string greeting();
    // The battery level in percent, "86%"; "-100%" when it is unknown.
    std::string battery();

    void launchURL(const std::string& url);
    void launchApp(const std::string& bundleID);
    // Styles 0, 1 and 2 (light, medium, heavy) make a new generator of that style the
    // current one; any other style keeps the current one. Then the current generator, if
    // any, taps once.
    void haptic(long style);
};
