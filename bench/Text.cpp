// Date formatting and the application picker's name search.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/DateFormatter.h"
#include "base/Strings.h"

namespace {

const base::Date kDate(636527160);

void formatWithReusedFormatter(benchmark::State& state) {
    base::DateFormatter formatter("E, d MMM HH:mm", base::Locale("en_US_POSIX"),
                                  base::TimeZone::named("Europe/Berlin").value());
    double offset = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(formatter.stringFromDate(kDate.addingTimeInterval(offset)));
        offset += 60;
    }
}
BENCHMARK(formatWithReusedFormatter);

void formatWithNewFormatter(benchmark::State& state) {
    for (auto _ : state) {
        base::DateFormatter formatter("E, d MMM HH:mm", base::Locale("en_US_POSIX"), base::TimeZone::local());
        benchmark::DoNotOptimize(formatter.stringFromDate(kDate));
    }
}
BENCHMARK(formatWithNewFormatter);

// 2,000 application names of 5 to 20 characters, one in eight with a non-ASCII letter.
std::vector<std::string> applicationNames() {
    const char* words[] = {"Photo",  "Mail",   "Notes",    "Music",  "Calendar", "Weather",
                           "Clock",  "Maps",   "Files",    "Wallet", "Café",     "Wörterbuch",
                           "Straße", "Reader", "Podcasts", "Books"};
    std::vector<std::string> names;
    unsigned seed = 12345;
    for (int i = 0; i < 2000; ++i) {
        seed = seed * 1103515245 + 12345;
        std::string name = words[(seed >> 8) % 16];
        name += ' ';
        name += words[(seed >> 16) % 8];
        name += std::to_string(i % 97);
        names.push_back(std::move(name));
    }
    return names;
}

void searchNames(benchmark::State& state, const char* text) {
    const auto names = applicationNames();
    for (auto _ : state) {
        std::size_t matches = 0;
        for (const auto& name : names) matches += base::strings::containsCaseInsensitive(name, text);
        benchmark::DoNotOptimize(matches);
    }
}
BENCHMARK_CAPTURE(searchNames, ascii, "MUS");
BENCHMARK_CAPTURE(searchNames, nonAscii, "straSS");

void sortNames(benchmark::State& state) {
    const auto names = applicationNames();
    for (auto _ : state) {
        auto sorted = names;
        std::sort(sorted.begin(), sorted.end(), [](const std::string& a, const std::string& b) {
            return base::strings::caseInsensitiveCompare(a, b) < 0;
        });
        benchmark::DoNotOptimize(sorted.data());
    }
}
BENCHMARK(sortNames);

}  // namespace

BENCHMARK_MAIN();
