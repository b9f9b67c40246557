#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Date.h"
#include "gfx/Image.h"

namespace sys {

// A temperature in the three units a caller may ask for.
struct Temperature {
    double celsius = 0;
    double fahrenheit = 0;
    double kelvin = 0;

    static Temperature fromCelsius(double celsius) {
        return {celsius, celsius * 9.0 / 5.0 + 32.0, celsius + 273.15};
    }
    bool operator==(const Temperature&) const = default;
};

struct DailyForecast {
    Temperature high;
    Temperature low;
    bool operator==(const DailyForecast&) const = default;
};

// The forecast: today's sunrise and sunset, and one forecast per day, today first.
struct ForecastModel {
    std::optional<base::Date> sunrise;
    std::optional<base::Date> sunset;
    std::vector<DailyForecast> dailyForecasts;
    bool operator==(const ForecastModel&) const = default;
};

// A source of current weather. Every operation is optional: callers ask `respondsTo`
// before each call (a provider may gain or lose an operation as its data comes and goes)
// and call only what it answers.
class WeatherProvider {
public:
    enum class Operation {
        UpdateWeather,    // start a refresh
        UpdateTodayView,  // refresh what today's summary shows
        Temperature,      // the current temperature as text
        ConditionsLine,   // the conditions as text ("Partly Cloudy")
        LocationName,
        ConditionsImage,
        CurrentForecastModel,
    };

    virtual ~WeatherProvider() = default;

    virtual bool respondsTo(Operation operation) const = 0;

    virtual void updateWeather() {}
    virtual void updateTodayView() {}
    virtual std::optional<std::string> temperature() const { return std::nullopt; }
    virtual std::optional<std::string> conditionsLine() const { return std::nullopt; }
    virtual std::optional<std::string> locationName() const { return std::nullopt; }
    virtual gfx::Image conditionsImage() const { return {}; }
    virtual std::shared_ptr<const ForecastModel> currentForecastModel() const { return nullptr; }
};

}  // namespace sys
