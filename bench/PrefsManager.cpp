// Reading and writing one entry of a 50-entry preference file through VLPrefsManager, and
// for comparison the cost of reading and parsing the file afresh.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "base/FileSystemRoot.h"
#include "base/PropertyList.h"
#include "store/VLPrefsManager.h"

namespace {

constexpr const char* kID = "com.example.bench";

// A temporary filesystem root holding one preference file of 50 mixed entries.
class PrefsFixture {
public:
    PrefsFixture() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vk-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        root_ = pattern;
        std::filesystem::create_directories(root_ / "var/mobile/Library/Preferences");
        base::FileSystemRoot::set(root_);
        base::Value::Dictionary entries;
        for (int i = 0; i < 50; ++i) {
            std::string key = "Key" + std::to_string(i);
            switch (i % 4) {
                case 0:
                    entries[key] = base::Value(i % 8 == 0);
                    break;
                case 1:
                    entries[key] = base::Value(i * 1000);
                    break;
                case 2:
                    entries[key] = base::Value("Text value number " + std::to_string(i));
                    break;
                default:
                    entries[key] =
                        base::Value(base::Value::Array{"com.apple.mobilesafari", "com.apple.camera"});
            }
        }
        if (!base::PropertyList::writeFile(entries, file()).ok()) std::abort();
    }
    ~PrefsFixture() {
        base::FileSystemRoot::set("/");
        std::filesystem::remove_all(root_);
    }
    std::filesystem::path file() const {
        return root_ / "var/mobile/Library/Preferences" / (std::string(kID) + ".plist");
    }

private:
    std::filesystem::path root_;
};

void Getter(benchmark::State& state) {
    PrefsFixture fixture;
    VLPrefsManager prefs;
    for (auto _ : state) benchmark::DoNotOptimize(prefs.integerForKey("Key21", 5, kID));
}
BENCHMARK(Getter);

void Setter(benchmark::State& state) {
    PrefsFixture fixture;
    VLPrefsManager prefs;
    std::int64_t value = 0;
    for (auto _ : state) prefs.setInteger(++value, "Key21", kID);
}
BENCHMARK(Setter);

// What every getter would cost without the cache: read and parse the whole file.
void ReadAndParse(benchmark::State& state) {
    PrefsFixture fixture;
    for (auto _ : state) benchmark::DoNotOptimize(base::PropertyList::readFile(fixture.file()));
}
BENCHMARK(ReadAndParse);

}  // namespace

BENCHMARK_MAIN();
