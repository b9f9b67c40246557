#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace sys {

// Facts about this machine and its battery, read from the operating system's own files
// below a root directory ("/" for the machine itself; tests point it at a fixture tree).
class Device {
public:
    // The device the process reports on: this machine unless a host or test installs
    // another with `setCurrentDevice` (an empty pointer restores this machine).
    static std::shared_ptr<Device> currentDevice();
    static void setCurrentDevice(std::shared_ptr<Device> device);
    static std::shared_ptr<Device> create(std::filesystem::path rootDirectory);

    // VERSION_ID of os-release, else the kernel release.
    std::string systemVersion() const;
    // The host's pretty name (PRETTY_HOSTNAME of machine-info), else its host name.
    std::string name() const;
    // The machine's product name from the firmware tables, else the architecture.
    std::string model() const;
    // The charge of the first battery among the power supplies (by directory name), from 0
    // to 1, or -1 when there is no battery or its charge is unknown.
    float batteryLevel() const;

private:
    explicit Device(std::filesystem::path rootDirectory) : root_(std::move(rootDirectory)) {}
    std::filesystem::path path(std::string_view absolute) const;

    std::filesystem::path root_;
};

}  // namespace sys
