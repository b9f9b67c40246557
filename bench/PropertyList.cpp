// Parsing and writing XML property lists through base::Value, beside libplist on its own
// with the same bytes, so the cost of the conversion to and from base::Value shows.
#include "base/PropertyList.h"

#include <benchmark/benchmark.h>
#include <plist/plist.h>

#include <string>

namespace {

using base::PropertyList;
using base::Value;

// A preference file of `entries` keys with the mix of types settings rows store.
Value settings(int entries) {
    Value::Dictionary dictionary;
    for (int i = 0; i < entries; ++i) {
        const std::string key = "com.example.tweak.setting" + std::to_string(i);
        switch (i % 6) {
            case 0:
                dictionary.emplace(key, Value(i % 4 == 0));
                break;
            case 1:
                dictionary.emplace(key, Value(i * 37));
                break;
            case 2:
                dictionary.emplace(key, Value(i * 0.125));
                break;
            case 3:
                dictionary.emplace(key, Value("#" + std::to_string(100000 + i)));
                break;
            case 4:
                dictionary.emplace(
                    key, Value(Value::Array{Value("com.apple.mobilesafari"), Value("com.apple.Music")}));
                break;
            case 5:
                dictionary.emplace(key, Value(base::Date(7.0e8 + i)));
                break;
        }
    }
    return Value(std::move(dictionary));
}

base::Data xmlOf(int entries) {
    return PropertyList::serialize(settings(entries), PropertyList::Format::Xml).value();
}

void ParseThroughValue(benchmark::State& state) {
    const base::Data xml = xmlOf(int(state.range(0)));
    for (auto _ : state) {
        auto value = PropertyList::parse(xml);
        benchmark::DoNotOptimize(value);
    }
}

void ParseLibplistAlone(benchmark::State& state) {
    const base::Data xml = xmlOf(int(state.range(0)));
    for (auto _ : state) {
        plist_t root = nullptr;
        plist_from_memory(reinterpret_cast<const char*>(xml.data()), std::uint32_t(xml.size()), &root);
        benchmark::DoNotOptimize(root);
        plist_free(root);
    }
}

void WriteThroughValue(benchmark::State& state) {
    const Value value = settings(int(state.range(0)));
    for (auto _ : state) {
        auto xml = PropertyList::serialize(value, PropertyList::Format::Xml);
        benchmark::DoNotOptimize(xml);
    }
}

void WriteLibplistAlone(benchmark::State& state) {
    const base::Data xml = xmlOf(int(state.range(0)));
    plist_t root = nullptr;
    plist_from_memory(reinterpret_cast<const char*>(xml.data()), std::uint32_t(xml.size()), &root);
    for (auto _ : state) {
        char* out = nullptr;
        std::uint32_t length = 0;
        plist_to_xml(root, &out, &length);
        benchmark::DoNotOptimize(out);
        plist_to_xml_free(out);
    }
    plist_free(root);
}

BENCHMARK(ParseThroughValue)->Arg(50)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ParseLibplistAlone)->Arg(50)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteThroughValue)->Arg(50)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteLibplistAlone)->Arg(50)->Arg(2000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
