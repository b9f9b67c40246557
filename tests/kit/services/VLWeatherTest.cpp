#include <gtest/gtest.h>

#include <set>

#include "services/VLWeather.h"
#include "sys/WeatherProviderRegistry.h"

namespace {

using Operation = sys::WeatherProvider::Operation;

// A widget whose answers the test sets, recording the refresh calls it gets.
class TestWidget : public sys::WeatherProvider {
public:
    std::set<Operation> answers;
    std::optional<std::string> temperatureText = "21°";
    std::shared_ptr<const sys::ForecastModel> forecast;
    gfx::Image image;
    std::vector<std::string> refreshes;

    bool respondsTo(Operation operation) const override { return answers.contains(operation); }
    void updateWeather() override { refreshes.push_back("updateWeather"); }
    void updateTodayView() override { refreshes.push_back("updateTodayView"); }
    std::optional<std::string> temperature() const override { return temperatureText; }
    std::optional<std::string> conditionsLine() const override { return "Partly Cloudy"; }
    std::optional<std::string> locationName() const override { return "Lisbon"; }
    gfx::Image conditionsImage() const override { return image; }
    std::shared_ptr<const sys::ForecastModel> currentForecastModel() const override { return forecast; }
};

std::shared_ptr<sys::ForecastModel> forecastWithHigh(double celsius) {
    auto model = std::make_shared<sys::ForecastModel>();
    model->sunrise = base::Date(100);
    model->sunset = base::Date(200);
    model->dailyForecasts.push_back(
        {sys::Temperature::fromCelsius(celsius), sys::Temperature::fromCelsius(-3.4)});
    model->dailyForecasts.push_back({sys::Temperature::fromCelsius(40), sys::Temperature::fromCelsius(30)});
    return model;
}

class VLWeatherTest : public ::testing::Test {
protected:
    void SetUp() override {
        sys::WeatherProviderRegistry::registerProvider(VLWeather::kWidgetName, [this] {
            ++widgetsMade_;
            return widget_;
        });
    }
    void TearDown() override {
        sys::WeatherProviderRegistry::registerProvider(VLWeather::kWidgetName, nullptr);
    }

    std::shared_ptr<TestWidget> widget_ = std::make_shared<TestWidget>();
    int widgetsMade_ = 0;
    std::shared_ptr<VLWeather> weather_ = VLWeather::create();
};

TEST(VLWeatherWithoutWidgetTest, EveryValueIsAPlaceholder) {
    auto weather = VLWeather::create();
    EXPECT_FALSE(weather->weatherWidget());
    weather->refreshWeatherData();
    EXPECT_EQ(weather->currentTemperature(), "N/A");
    EXPECT_EQ(weather->currentConditions(), "N/A");
    EXPECT_EQ(weather->currentLocation(), "N/A");
    EXPECT_FALSE(weather->currentConditionsImage());
    EXPECT_EQ(weather->sunset(), std::nullopt);
    EXPECT_EQ(weather->highestTemperatureIn(0), std::nullopt);
    EXPECT_EQ(weather->lowestTemperatureIn(3), std::nullopt);
    EXPECT_EQ(weather->weatherData(),
              (base::Value::Dictionary{{"temperature", "N/A"}, {"conditions", "N/A"}, {"location", "N/A"}}));
}

TEST_F(VLWeatherTest, TheWidgetIsMadeOnceAndEachReadingAsksItFirst) {
    EXPECT_EQ(weather_->weatherWidget(), widget_);
    EXPECT_EQ(weather_->currentTemperature(), "N/A");
    widget_->answers.insert(Operation::Temperature);
    EXPECT_EQ(weather_->currentTemperature(), "21°");
    widget_->temperatureText.reset();  // answers, but with nothing
    EXPECT_EQ(weather_->currentTemperature(), "N/A");

    widget_->forecast = forecastWithHigh(21.6);
    EXPECT_EQ(weather_->sunrise(), std::nullopt);  // the model is there but not answered
    widget_->answers.insert(Operation::CurrentForecastModel);
    EXPECT_EQ(weather_->sunrise(), base::Date(100));
    EXPECT_EQ(weather_->sunset(), base::Date(200));
    EXPECT_EQ(widgetsMade_, 1);
}

TEST_F(VLWeatherTest, RefreshCallsWhatTheWidgetAnswersInOrder) {
    weather_->refreshWeatherData();
    EXPECT_TRUE(widget_->refreshes.empty());
    widget_->answers = {Operation::UpdateTodayView, Operation::UpdateWeather};
    weather_->refreshWeatherData();
    EXPECT_EQ(widget_->refreshes, (std::vector<std::string>{"updateWeather", "updateTodayView"}));
}

TEST_F(VLWeatherTest, TodaysHighAndLowAreRoundedWholeDegreesOrAbsentWithoutADay) {
    widget_->answers.insert(Operation::CurrentForecastModel);
    EXPECT_EQ(weather_->highestTemperatureIn(3), std::nullopt);  // answered, but no model
    widget_->forecast = std::make_shared<sys::ForecastModel>();  // no days
    EXPECT_EQ(weather_->highestTemperatureIn(0), std::nullopt);
    EXPECT_EQ(weather_->lowestTemperatureIn(3), std::nullopt);
    widget_->forecast = forecastWithHigh(21.6);
    EXPECT_EQ(weather_->highestTemperatureIn(VLWeather::Celsius), "22°");
    EXPECT_EQ(weather_->highestTemperatureIn(VLWeather::Fahrenheit), "71°");  // 70.88
    EXPECT_EQ(weather_->highestTemperatureIn(VLWeather::Kelvin), "295°");     // 294.75
    EXPECT_EQ(weather_->lowestTemperatureIn(VLWeather::Celsius), "-3°");
    EXPECT_EQ(weather_->highestTemperatureIn(3), "BAD TYPE");
    EXPECT_EQ(weather_->lowestTemperatureIn(-1), "BAD TYPE");
}

TEST_F(VLWeatherTest, WeatherDataHoldsTheKnownValues) {
    widget_->answers = {Operation::Temperature, Operation::ConditionsLine, Operation::LocationName};
    EXPECT_EQ(weather_->weatherData(),
              (base::Value::Dictionary{
                  {"temperature", "21°"}, {"conditions", "Partly Cloudy"}, {"location", "Lisbon"}}));

    widget_->answers.insert({Operation::CurrentForecastModel, Operation::ConditionsImage});
    widget_->forecast = forecastWithHigh(10);
    widget_->image = gfx::Image(2, 1, {0xFF0000FFu, 0xFFFF0000u});
    const auto data = weather_->weatherData();
    EXPECT_EQ(data.size(), 6u);
    EXPECT_EQ(data.at("sunrise"), base::Value(base::Date(100)));
    EXPECT_EQ(data.at("sunset"), base::Value(base::Date(200)));
    const base::Data* png = data.at("conditionsImage").asData();
    ASSERT_TRUE(png);
    const auto decoded = gfx::Image::decode(*png);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded.value().pixelAt(1, 0), (gfx::PremultipliedPixel{255, 0, 0, 255}));
}

}  // namespace
