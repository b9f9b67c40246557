#include "services/VLWeather.h"

#include <cstdio>

#include "sys/WeatherProviderRegistry.h"

namespace {

using Operation = sys::WeatherProvider::Operation;
constexpr const char* kUnknown = "N/A";

}  // namespace

std::shared_ptr<VLWeather> VLWeather::sharedInstance() {
    static std::once_flag once;
    static std::shared_ptr<VLWeather> instance;
    std::call_once(once, [] { instance = create(); });
    return instance;
}

std::shared_ptr<VLWeather> VLWeather::create() { return std::make_shared<VLWeather>(); }

std::shared_ptr<sys::WeatherProvider> VLWeather::weatherWidget() {
    std::call_once(widgetOnce_,
                   [this] { weatherWidget_ = sys::WeatherProviderRegistry::create(kWidgetName); });
    return weatherWidget_;
}

void VLWeather::refreshWeatherData() {
    const auto widget = weatherWidget();
    if (!widget) return;
    if (widget->respondsTo(Operation::UpdateWeather)) widget->updateWeather();
    if (widget->respondsTo(Operation::UpdateTodayView)) widget->updateTodayView();
}

std::string VLWeather::text(Operation operation,
                            std::optional<std::string> (sys::WeatherProvider::*read)() const) {
    const auto widget = weatherWidget();
    if (!widget || !widget->respondsTo(operation)) return kUnknown;
    // A widget that answers with nothing reads as unknown too, so a text is always a text.
    return ((*widget).*read)().value_or(kUnknown);
}

std::string VLWeather::currentTemperature() {
    return text(Operation::Temperature, &sys::WeatherProvider::temperature);
}

std::string VLWeather::currentConditions() {
    return text(Operation::ConditionsLine, &sys::WeatherProvider::conditionsLine);
}

std::string VLWeather::currentLocation() {
    return text(Operation::LocationName, &sys::WeatherProvider::locationName);
}

gfx::Image VLWeather::currentConditionsImage() {
    const auto widget = weatherWidget();
    if (!widget || !widget->respondsTo(Operation::ConditionsImage)) return {};
    return widget->conditionsImage();
}

std::shared_ptr<const sys::ForecastModel> VLWeather::forecastModel() {
    const auto widget = weatherWidget();
    if (!widget || !widget->respondsTo(Operation::CurrentForecastModel)) return nullptr;
    return widget->currentForecastModel();
}

std::optional<base::Date> VLWeather::sunrise() {
    const auto model = forecastModel();
    return model ? model->sunrise : std::nullopt;
}

std::optional<base::Date> VLWeather::sunset() {
    const auto model = forecastModel();
    return model ? model->sunset : std::nullopt;
}

std::optional<std::string> VLWeather::todaysTemperature(std::int32_t unit, bool high) {
    // 1. A forecast with 2. a first day (today), 3. in a known unit, 4. shown rounded.
    const auto model = forecastModel();
    if (!model || model->dailyForecasts.empty()) return std::nullopt;
    const sys::Temperature& today =
        high ? model->dailyForecasts.front().high : model->dailyForecasts.front().low;
    double degrees;
    switch (unit) {
        case Celsius:
            degrees = today.celsius;
            break;
        case Fahrenheit:
            degrees = today.fahrenheit;
            break;
        case Kelvin:
            degrees = today.kelvin;
            break;
        default:
            return "BAD TYPE";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.0f\u00B0", degrees);
    return text;
}

std::optional<std::string> VLWeather::highestTemperatureIn(std::int32_t unit) {
    return todaysTemperature(unit, true);
}

std::optional<std::string> VLWeather::lowestTemperatureIn(std::int32_t unit) {
    return todaysTemperature(unit, false);
}

base::Value::Dictionary VLWeather::weatherData() {
    base::Value::Dictionary data;
    data.emplace("temperature", currentTemperature());
    data.emplace("conditions", currentConditions());
    data.emplace("location", currentLocation());
    if (const auto rise = sunrise()) data.emplace("sunrise", *rise);
    if (const auto set = sunset()) data.emplace("sunset", *set);
    if (const auto image = currentConditionsImage()) {
        if (auto png = image.encodePng()) data.emplace("conditionsImage", std::move(png).value());
    }
    return data;
}
