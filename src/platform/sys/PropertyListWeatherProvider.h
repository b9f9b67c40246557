#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <span>

#include "sys/WeatherProvider.h"

namespace sys {

// A weather provider that reads the values from a property-list file (XML or binary) that
// any weather tool can write. It reads the file when it is made and again on every
// `updateWeather`; a missing or unreadable file, or a key that is missing or of the wrong
// type, leaves that value unknown, and the provider then does not answer its operation.
//
// Keys of the root dictionary (all optional):
//
//   "temperature"      string   the current temperature as shown, "21°"
//   "conditions"       string   the conditions line, "Partly Cloudy"
//   "location"         string   the location name, "Lisbon"
//   "conditionsImage"  string   path of a PNG or JPEG picture of the conditions; a relative
//                               path is read from the file's own directory
//   "sunrise"          date     today's sunrise
//   "sunset"           date     today's sunset
//   "daily"            array    one dictionary per day, today first, with "high" and "low":
//                               each a number in degrees Celsius, or a dictionary with any
//                               of the reals "celsius", "fahrenheit" and "kelvin" (a missing
//                               unit is converted from the first one present in that order)
//
// A forecast is known when any of "sunrise", "sunset" or "daily" is present.
class PropertyListWeatherProvider final : public WeatherProvider {
public:
    // What one file holds.
    struct Contents {
        std::optional<std::string> temperature;
        std::optional<std::string> conditions;
        std::optional<std::string> location;
        std::optional<std::filesystem::path> conditionsImage;
        std::shared_ptr<const ForecastModel> forecast;
    };

    static std::shared_ptr<PropertyListWeatherProvider> create(std::filesystem::path file);
    // Registers a factory of providers for `file` under `name`.
    static void registerAs(const std::string& name, std::filesystem::path file);
    // Reads file contents; bad input gives empty contents, never a failure.
    static Contents parse(std::span<const std::uint8_t> bytes);
    // Larger weather files are not read: a few keys fit in far less.
    static constexpr std::uint64_t kMaximumFileBytes = std::uint64_t(1) << 20;

    bool respondsTo(Operation operation) const override;
    void updateWeather() override;
    std::optional<std::string> temperature() const override;
    std::optional<std::string> conditionsLine() const override;
    std::optional<std::string> locationName() const override;
    gfx::Image conditionsImage() const override;
    std::shared_ptr<const ForecastModel> currentForecastModel() const override;

private:
    explicit PropertyListWeatherProvider(std::filesystem::path file);
    Contents contents() const;

    std::filesystem::path file_;
    mutable std::mutex mutex_;
    Contents contents_;
};

}  // namespace sys
