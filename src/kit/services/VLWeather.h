#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "base/Date.h"
#include "base/Value.h"
#include "gfx/Image.h"
#include "sys/WeatherProvider.h"

// The current weather as plain values, read from the weather widget: the provider
// registered as "WALockscreenWidgetViewController" (see sys::WeatherProviderRegistry),
// made on first use and kept. Every reading first asks the widget whether it answers the
// operation; without a widget, or without an answer, texts read "N/A" and images, dates and
// high or low temperatures are absent. Main thread only.
class VLWeather {
public:
    // The name the widget is looked up by.
    static constexpr const char* kWidgetName = "WALockscreenWidgetViewController";
    enum TemperatureUnit : std::int32_t { Celsius = 0, Fahrenheit = 1, Kelvin = 2 };

    static std::shared_ptr<VLWeather> sharedInstance();
    // A separate instance with a widget of its own (the shared one is what tweaks use).
    static std::shared_ptr<VLWeather> create();

    std::shared_ptr<sys::WeatherProvider> weatherWidget();
    // Asks the widget to refresh; values read right after are whatever it holds then.
    void refreshWeatherData();

    std::string currentTemperature();
    std::string currentConditions();
    std::string currentLocation();
    // A null image when unknown.
    gfx::Image currentConditionsImage();
    std::optional<base::Date> sunrise();
    std::optional<base::Date> sunset();
    // Today's high (low) in the unit as "%.0f°"; "BAD TYPE" for a unit other than 0 to 2;
    // absent when no forecast (or no day) is known, whatever the unit.
    std::optional<std::string> highestTemperatureIn(std::int32_t unit);
    std::optional<std::string> lowestTemperatureIn(std::int32_t unit);

    // "temperature", "conditions" and "location" (texts, "N/A" when unknown), then
    // "sunrise" and "sunset" (dates) and "conditionsImage" (the picture as PNG data), each
    // only when known.
    base::Value::Dictionary weatherData();

private:
    std::shared_ptr<const sys::ForecastModel> forecastModel();
    std::optional<std::string> todaysTemperature(std::int32_t unit, bool high);
    std::string text(sys::WeatherProvider::Operation operation,
                     std::optional<std::string> (sys::WeatherProvider::*read)() const);

    std::once_flag widgetOnce_;
    std::shared_ptr<sys::WeatherProvider> weatherWidget_;
};
