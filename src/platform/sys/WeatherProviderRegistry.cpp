#include "sys/WeatherProviderRegistry.h"

#include <map>
#include <mutex>

namespace sys {
namespace {

std::mutex& registryMutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<std::string, WeatherProviderRegistry::Factory, std::less<>>& factories() {
    static std::map<std::string, WeatherProviderRegistry::Factory, std::less<>> registered;
    return registered;
}

}  // namespace

void WeatherProviderRegistry::registerProvider(const std::string& name, Factory factory) {
    std::lock_guard lock(registryMutex());
    if (factory) {
        factories()[name] = std::move(factory);
    } else {
        factories().erase(name);
    }
}

std::shared_ptr<WeatherProvider> WeatherProviderRegistry::create(const std::string& name) {
    Factory factory;
    {
        std::lock_guard lock(registryMutex());
        const auto found = factories().find(name);
        if (found == factories().end()) return nullptr;
        factory = found->second;
    }
    return factory();
}

}  // namespace sys
