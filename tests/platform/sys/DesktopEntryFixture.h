#pragma once

#include <stdlib.h>

#include <memory>
#include <mutex>

#include "support/TemporaryDirectory.h"

// The desktop entries every application test of this suite sees. GIO reads the XDG
// directories once per process, so the fixture is made once, before the first GIO call,
// and lives until the process ends.
inline const testsupport::TemporaryDirectory& desktopEntryFixture() {
    static std::unique_ptr<testsupport::TemporaryDirectory> fixture;
    static std::once_flag once;
    std::call_once(once, [] {
        fixture = std::make_unique<testsupport::TemporaryDirectory>();
        const auto& d = *fixture;
        const std::string entry = "[Desktop Entry]\nType=Application\nExec=true\n";
        d.write("system/applications/org.example.Alpha.desktop", entry + "Name=Alpha\nName[de]=Alfa\n");
        d.write("later/applications/org.example.Alpha.desktop",
                entry + "Name=Shadowed by the earlier directory\n");
        d.write("system/applications/org.example.Beta.desktop", entry + "Name=Beta from the system\n");
        d.write("home/applications/org.example.Beta.desktop", entry + "Name=Beta from the user\n");
        d.write("system/applications/org.example.Nameless.desktop", entry);
        d.write("system/applications/org.example.Deleted.desktop", entry + "Name=Deleted\nHidden=true\n");
        d.write("system/applications/org.example.Handler.desktop", entry + "Name=Handler\nNoDisplay=true\n");
        d.write("system/applications/org.example.Link.desktop",
                "[Desktop Entry]\nType=Link\nName=Link\nURL=https://example.org/\n");
        d.write("system/applications/vendor/tool.desktop", entry + "Name=Vendor Tool\n");
        const auto marker = d.path() / "launched";
        const auto script =
            d.write("record-launch", "#!/bin/sh\necho \"launched $*\" > " + marker.string() + "\n", true);
        d.write(
            "system/applications/org.example.Recorder.desktop",
            "[Desktop Entry]\nType=Application\nName=Recorder\nExec=" + script.string() + " --from-entry\n");
        ::setenv("XDG_DATA_HOME", (d.path() / "home").c_str(), 1);
        ::setenv("XDG_DATA_DIRS",
                 ((d.path() / "system").string() + ":" + (d.path() / "later").string()).c_str(), 1);
    });
    return *fixture;
}
