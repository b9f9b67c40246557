#pragma once

// What a host program installs before it shows any screen: the desktop's URL opener and
// application launcher (sys::Launcher) behind ui::Application's hyperlinks and app links.
class HostServices {
public:
    static void install();
};
