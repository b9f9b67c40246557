#include "sys/PropertyListWeatherProvider.h"

#include <cmath>

#include "base/Files.h"
#include "base/PropertyList.h"
#include "base/Value.h"
#include "sys/WeatherProviderRegistry.h"

namespace sys {
namespace {

std::optional<std::string> stringAt(const base::Value& root, std::string_view key) {
    if (const std::string* text = root[key].asString()) return *text;
    return std::nullopt;
}

std::optional<double> realIn(const base::Value& value) {
    if (value.type() != base::Value::Type::Integer && value.type() != base::Value::Type::Real)
        return std::nullopt;
    const double number = value.doubleValue();
    if (!std::isfinite(number)) return std::nullopt;
    return number;
}

// A number in degrees Celsius, or a dictionary with one or more of the three units.
std::optional<Temperature> temperatureIn(const base::Value& value) {
    if (const auto celsius = realIn(value)) return Temperature::fromCelsius(*celsius);
    if (!value.asDictionary()) return std::nullopt;
    const auto celsius = realIn(value["celsius"]);
    const auto fahrenheit = realIn(value["fahrenheit"]);
    const auto kelvin = realIn(value["kelvin"]);
    std::optional<Temperature> converted;
    if (celsius) {
        converted = Temperature::fromCelsius(*celsius);
    } else if (fahrenheit) {
        converted = Temperature::fromCelsius((*fahrenheit - 32.0) * 5.0 / 9.0);
    } else if (kelvin) {
        converted = Temperature::fromCelsius(*kelvin - 273.15);
    } else {
        return std::nullopt;
    }
    if (fahrenheit) converted->fahrenheit = *fahrenheit;
    if (kelvin) converted->kelvin = *kelvin;
    return converted;
}

std::shared_ptr<const ForecastModel> forecastIn(const base::Value& root) {
    const base::Date* sunrise = root["sunrise"].asDate();
    const base::Date* sunset = root["sunset"].asDate();
    const base::Value::Array* daily = root["daily"].asArray();
    if (!sunrise && !sunset && !daily) return nullptr;
    auto model = std::make_shared<ForecastModel>();
    if (sunrise) model->sunrise = *sunrise;
    if (sunset) model->sunset = *sunset;
    if (daily) {
        // Days are kept in order up to the first that cannot be read, so element 0 is
        // always today.
        for (const base::Value& day : *daily) {
            const auto high = temperatureIn(day["high"]);
            const auto low = temperatureIn(day["low"]);
            if (!high || !low) break;
            model->dailyForecasts.push_back({*high, *low});
        }
    }
    return model;
}

}  // namespace

PropertyListWeatherProvider::Contents PropertyListWeatherProvider::parse(
    std::span<const std::uint8_t> bytes) {
    Contents contents;
    auto parsed = base::PropertyList::parse(bytes);
    if (!parsed || !parsed.value().asDictionary()) return contents;
    const base::Value& root = parsed.value();
    contents.temperature = stringAt(root, "temperature");
    contents.conditions = stringAt(root, "conditions");
    contents.location = stringAt(root, "location");
    if (auto image = stringAt(root, "conditionsImage"); image && !image->empty())
        contents.conditionsImage = *image;
    contents.forecast = forecastIn(root);
    return contents;
}

std::shared_ptr<PropertyListWeatherProvider> PropertyListWeatherProvider::create(std::filesystem::path file) {
    return std::shared_ptr<PropertyListWeatherProvider>(new PropertyListWeatherProvider(std::move(file)));
}

void PropertyListWeatherProvider::registerAs(const std::string& name, std::filesystem::path file) {
    WeatherProviderRegistry::registerProvider(name, [file] { return create(file); });
}

PropertyListWeatherProvider::PropertyListWeatherProvider(std::filesystem::path file)
    : file_(std::move(file)) {
    updateWeather();
}

void PropertyListWeatherProvider::updateWeather() {
    // An unreadable file (missing, not regular, too large) reads as one with no weather.
    const auto bytes = base::Files::readFile(file_, kMaximumFileBytes);
    Contents fresh = bytes ? parse(bytes.value()) : Contents{};
    if (fresh.conditionsImage && fresh.conditionsImage->is_relative()) {
        fresh.conditionsImage = file_.parent_path() / *fresh.conditionsImage;
    }
    std::lock_guard lock(mutex_);
    contents_ = std::move(fresh);
}

PropertyListWeatherProvider::Contents PropertyListWeatherProvider::contents() const {
    std::lock_guard lock(mutex_);
    return contents_;
}

bool PropertyListWeatherProvider::respondsTo(Operation operation) const {
    const Contents now = contents();
    switch (operation) {
        case Operation::UpdateWeather:
            return true;
        case Operation::UpdateTodayView:
            return false;
        case Operation::Temperature:
            return now.temperature.has_value();
        case Operation::ConditionsLine:
            return now.conditions.has_value();
        case Operation::LocationName:
            return now.location.has_value();
        case Operation::ConditionsImage:
            return now.conditionsImage.has_value();
        case Operation::CurrentForecastModel:
            return now.forecast != nullptr;
    }
    return false;
}

std::optional<std::string> PropertyListWeatherProvider::temperature() const { return contents().temperature; }

std::optional<std::string> PropertyListWeatherProvider::conditionsLine() const {
    return contents().conditions;
}

std::optional<std::string> PropertyListWeatherProvider::locationName() const { return contents().location; }

gfx::Image PropertyListWeatherProvider::conditionsImage() const {
    const auto path = contents().conditionsImage;
    if (!path) return {};
    auto image = gfx::Image::fromFile(*path);
    return image ? image.value() : gfx::Image();
}

std::shared_ptr<const ForecastModel> PropertyListWeatherProvider::currentForecastModel() const {
    return contents().forecast;
}

}  // namespace sys
