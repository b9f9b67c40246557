#pragma once

#include <functional>
#include <memory>
#include <string>

#include "sys/WeatherProvider.h"

namespace sys {

// Weather providers by name. A host registers the providers it has (for example a
// PropertyListWeatherProvider reading the file a weather tool writes); the kit looks one up
// by name and makes one instance.
class WeatherProviderRegistry {
public:
    using Factory = std::function<std::shared_ptr<WeatherProvider>()>;

    // Replaces any provider registered under the same name; an empty factory removes it.
    static void registerProvider(const std::string& name, Factory factory);
    // A new provider, or empty when nothing is registered under `name`.
    static std::shared_ptr<WeatherProvider> create(const std::string& name);
};

}  // namespace sys
