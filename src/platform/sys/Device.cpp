#include "sys/Device.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <mutex>
#include <optional>
#include <vector>

namespace sys {
namespace {

std::optional<std::string> firstLine(const std::filesystem::path& file) {
    std::ifstream stream(file);
    std::string line;
    if (!stream || !std::getline(stream, line)) return std::nullopt;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    return line;
}

std::optional<double> numberIn(const std::filesystem::path& file) {
    const auto line = firstLine(file);
    if (!line || line->empty()) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(line->data(), line->data() + line->size(), value);
    if (error != std::errc() || end != line->data() + line->size()) return std::nullopt;
    return value;
}

// The value of KEY in a shell-style KEY=VALUE file (os-release, machine-info), unquoted.
std::optional<std::string> shellVariable(const std::filesystem::path& file, std::string_view key) {
    std::ifstream stream(file);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.starts_with(key) || line.size() <= key.size() || line[key.size()] != '=') continue;
        std::string value = line.substr(key.size() + 1);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        if (value.empty()) return std::nullopt;
        return value;
    }
    return std::nullopt;
}

// A battery's charge: its capacity in percent, else energy or charge now over full.
std::optional<double> batteryCharge(const std::filesystem::path& supply) {
    if (const auto present = numberIn(supply / "present"); present && *present == 0) return std::nullopt;
    if (const auto percent = numberIn(supply / "capacity")) return std::clamp(*percent / 100.0, 0.0, 1.0);
    for (const char* kind : {"energy", "charge"}) {
        const auto now = numberIn(supply / (std::string(kind) + "_now"));
        const auto full = numberIn(supply / (std::string(kind) + "_full"));
        if (now && full && *full > 0) return std::clamp(*now / *full, 0.0, 1.0);
    }
    return std::nullopt;
}

}  // namespace

namespace {

std::mutex& currentMutex() {
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<Device>& installedDevice() {
    static std::shared_ptr<Device> device;
    return device;
}

}  // namespace

std::shared_ptr<Device> Device::currentDevice() {
    std::lock_guard lock(currentMutex());
    if (!installedDevice()) installedDevice() = create("/");
    return installedDevice();
}

void Device::setCurrentDevice(std::shared_ptr<Device> device) {
    std::lock_guard lock(currentMutex());
    installedDevice() = std::move(device);
}

std::shared_ptr<Device> Device::create(std::filesystem::path rootDirectory) {
    return std::shared_ptr<Device>(new Device(std::move(rootDirectory)));
}

std::filesystem::path Device::path(std::string_view absolute) const {
    return root_ / std::filesystem::path(absolute).relative_path();
}

std::string Device::systemVersion() const {
    for (const char* file : {"/etc/os-release", "/usr/lib/os-release"}) {
        if (auto version = shellVariable(path(file), "VERSION_ID")) return *version;
    }
    utsname system{};
    ::uname(&system);
    return system.release;
}

std::string Device::name() const {
    if (auto pretty = shellVariable(path("/etc/machine-info"), "PRETTY_HOSTNAME")) return *pretty;
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) == 0 && host[0]) return host;
    return "localhost";
}

std::string Device::model() const {
    if (auto product = firstLine(path("/sys/class/dmi/id/product_name")); product && !product->empty()) {
        return *product;
    }
    utsname system{};
    ::uname(&system);
    return system.machine;
}

float Device::batteryLevel() const {
    std::error_code error;
    std::vector<std::filesystem::path> supplies;
    for (const auto& entry : std::filesystem::directory_iterator(path("/sys/class/power_supply"), error)) {
        supplies.push_back(entry.path());
    }
    std::sort(supplies.begin(), supplies.end());
    for (const auto& supply : supplies) {
        if (firstLine(supply / "type") != "Battery") continue;
        const auto charge = batteryCharge(supply);
        return charge ? static_cast<float>(*charge) : -1.0f;
    }
    return -1.0f;
}

}  // namespace sys
