// The weather provider's file: any bytes are read as a property list and turned into
// weather values without crashing, hanging or reading out of bounds.
#include <cstddef>
#include <cstdint>
#include <span>

#include "sys/PropertyListWeatherProvider.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto contents = sys::PropertyListWeatherProvider::parse(std::span(data, size));
    if (contents.forecast) {
        double sum = 0;
        for (const auto& day : contents.forecast->dailyForecasts) sum += day.high.kelvin + day.low.fahrenheit;
        static_cast<void>(sum);
    }
    return 0;
}
