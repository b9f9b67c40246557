#pragma once

#include <sys/stat.h>

#include "support/XdgDataFixture.h"

// The desktop entries every application test of this suite sees.
inline void writeDesktopEntries(const testsupport::TemporaryDirectory& d) {
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
    d.write("system/applications/org.example.Bitmap.desktop", entry + "Name=Bitmap\nIcon=example-bitmap\n");
    d.write("system/applications/org.example.Vector.desktop",
            entry + "Name=Vector\nIcon=example-vector.svg\n");
    d.write("system/applications/org.example.OwnFile.desktop",
            entry + "Name=Own File\nIcon=" + (d.path() / "icons/own.svg").string() + "\n");
    d.write("system/applications/org.example.Iconless.desktop", entry + "Name=Iconless\nIcon=no-such-icon\n");
    ::mkfifo((d.path() / "fifo.svg").c_str(), 0600);  // an icon nobody writes
    d.write("system/applications/org.example.FifoIcon.desktop",
            entry + "Icon=" + d.path().string() + "/fifo.svg\n");
    d.write("system/applications/org.example.DeviceIcon.desktop", entry + "Icon=/dev/zero\n");
    const auto marker = d.path() / "launched";
    const auto script =
        d.write("record-launch", "#!/bin/sh\necho \"launched $*\" > " + marker.string() + "\n", true);
    d.write("system/applications/org.example.Recorder.desktop",
            "[Desktop Entry]\nType=Application\nName=Recorder\nExec=" + script.string() + " --from-entry\n");
}

inline const testsupport::TemporaryDirectory& desktopEntryFixture() {
    return testsupport::xdgDataFixture(writeDesktopEntries);
}
