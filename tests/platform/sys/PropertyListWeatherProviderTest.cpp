#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/TemporaryDirectory.h"
#include "sys/PropertyListWeatherProvider.h"
#include "sys/WeatherProviderRegistry.h"

namespace {

using Operation = sys::WeatherProvider::Operation;
using sys::PropertyListWeatherProvider;
using testsupport::TemporaryDirectory;

std::string plist(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>" + body +
           "</dict></plist>\n";
}

PropertyListWeatherProvider::Contents parse(const std::string& text) {
    return PropertyListWeatherProvider::parse(
        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

TEST(PropertyListWeatherProviderTest, ReadsEveryValueOfTheFile) {
    TemporaryDirectory directory;
    const auto png = gfx::Image(1, 1, {0xFF00FF00u}).encodePng();
    ASSERT_TRUE(png);
    directory.write("icons/sun.png", std::string(png.value().begin(), png.value().end()));
    const auto file = directory.write(
        "weather.plist",
        plist(
            "<key>temperature</key><string>21°</string><key>conditions</key><string>Sunny</string>"
            "<key>location</key><string>Lisbon</string><key>conditionsImage</key><string>icons/sun.png</"
            "string>"
            "<key>sunrise</key><date>2026-12-06T07:30:00Z</date><key>sunset</key><date>2026-12-06T17:10:00Z</"
            "date>"
            "<key>daily</key><array><dict><key>high</key><real>21.6</real>"
            "<key>low</key><dict><key>fahrenheit</key><real>50</real><key>kelvin</key><real>283</real></dict>"
            "</dict></array>"));
    sys::PropertyListWeatherProvider::registerAs("weather-file", file);
    const auto provider = sys::WeatherProviderRegistry::create("weather-file");
    sys::WeatherProviderRegistry::registerProvider("weather-file", nullptr);
    ASSERT_TRUE(provider);

    for (auto operation :
         {Operation::UpdateWeather, Operation::Temperature, Operation::ConditionsLine,
          Operation::LocationName, Operation::ConditionsImage, Operation::CurrentForecastModel}) {
        EXPECT_TRUE(provider->respondsTo(operation));
    }
    EXPECT_FALSE(provider->respondsTo(Operation::UpdateTodayView));
    EXPECT_EQ(provider->temperature(), "21°");
    EXPECT_EQ(provider->conditionsLine(), "Sunny");
    EXPECT_EQ(provider->locationName(), "Lisbon");
    EXPECT_EQ(provider->conditionsImage().pixelAt(0, 0), (gfx::PremultipliedPixel{0, 255, 0, 255}));

    const auto forecast = provider->currentForecastModel();
    ASSERT_TRUE(forecast);
    EXPECT_EQ(forecast->sunrise, base::Date::fromUnixTime(1796542200));
    ASSERT_EQ(forecast->dailyForecasts.size(), 1u);
    const auto& today = forecast->dailyForecasts.front();
    EXPECT_DOUBLE_EQ(today.high.celsius, 21.6);
    EXPECT_DOUBLE_EQ(today.high.fahrenheit, 70.88);
    EXPECT_DOUBLE_EQ(today.high.kelvin, 294.75);
    // A unit given is kept as given; a missing one is converted from the first present.
    EXPECT_DOUBLE_EQ(today.low.celsius, 10);
    EXPECT_DOUBLE_EQ(today.low.fahrenheit, 50);
    EXPECT_DOUBLE_EQ(today.low.kelvin, 283);
}

TEST(PropertyListWeatherProviderTest, RefreshingReadsTheFileAgain) {
    TemporaryDirectory directory;
    const auto file = directory.path() / "weather.plist";
    auto provider = PropertyListWeatherProvider::create(file);
    EXPECT_TRUE(provider->respondsTo(Operation::UpdateWeather));
    EXPECT_FALSE(provider->respondsTo(Operation::Temperature));

    directory.write("weather.plist", plist("<key>temperature</key><string>3°</string>"));
    EXPECT_FALSE(provider->respondsTo(Operation::Temperature));  // not before a refresh
    provider->updateWeather();
    EXPECT_EQ(provider->temperature(), "3°");

    directory.write("weather.plist", "not a property list");
    provider->updateWeather();
    EXPECT_FALSE(provider->respondsTo(Operation::Temperature));
}

// Neither the weather file nor its image is read when it is a device or a FIFO.
TEST(PropertyListWeatherProviderTest, FilesThatAreNotRegularAreNotRead) {
    TemporaryDirectory directory;
    const auto fifo = directory.path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string path : {"/dev/zero", "fifo"}) {
        const auto file =
            directory.write("w.plist", plist("<key>conditionsImage</key><string>" + path + "</string>"));
        EXPECT_FALSE(PropertyListWeatherProvider::create(file)->conditionsImage()) << path;
        EXPECT_FALSE(PropertyListWeatherProvider::create(path == "fifo" ? fifo : std::filesystem::path(path))
                         ->respondsTo(Operation::Temperature));
    }
}

TEST(PropertyListWeatherProviderTest, ValuesOfTheWrongKindAreUnknown) {
    const auto contents =
        parse(plist("<key>temperature</key><integer>21</integer><key>location</key><array/>"
                    "<key>sunrise</key><string>morning</string><key>conditionsImage</key><string/>"));
    EXPECT_FALSE(contents.temperature);
    EXPECT_FALSE(contents.location);
    EXPECT_FALSE(contents.conditionsImage);
    EXPECT_FALSE(contents.forecast);

    EXPECT_FALSE(parse("<?xml version=\"1.0\"?><plist version=\"1.0\"><array/></plist>").temperature);
    EXPECT_FALSE(parse("").forecast);
}

TEST(PropertyListWeatherProviderTest, DaysStopAtTheFirstUnreadableOne) {
    const auto contents =
        parse(plist("<key>daily</key><array>"
                    "<dict><key>high</key><integer>20</integer><key>low</key><dict><key>kelvin</"
                    "key><real>280</real></dict></dict>"
                    "<dict><key>high</key><string>hot</string><key>low</key><real>1</real></dict>"
                    "<dict><key>high</key><real>30</real><key>low</key><real>20</real></dict></array>"));
    ASSERT_TRUE(contents.forecast);
    ASSERT_EQ(contents.forecast->dailyForecasts.size(), 1u);
    EXPECT_NEAR(contents.forecast->dailyForecasts[0].low.celsius, 6.85, 1e-9);

    const auto noToday =
        parse(plist("<key>daily</key><array><dict><key>high</key><real>1</real></dict></array>"));
    ASSERT_TRUE(noToday.forecast);
    EXPECT_TRUE(noToday.forecast->dailyForecasts.empty());
}

}  // namespace
