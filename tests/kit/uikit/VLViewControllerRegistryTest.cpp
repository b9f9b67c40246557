#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Log.h"
#include "ui/ViewController.h"
#include "uikit/VLViewControllerRegistry.h"

namespace {

class RegisteredScreen : public ui::ViewController {};
class ReplacementScreen : public ui::ViewController {};

VL_REGISTER_VIEW_CONTROLLER(RegisteredScreen);

TEST(VLViewControllerRegistry, StaticRegistrationCreatesFreshInstancesAndUnknownNamesGiveNothing) {
    auto& registry = VLViewControllerRegistry::shared();
    auto first = registry.create("RegisteredScreen");
    auto second = registry.create("RegisteredScreen");
    EXPECT_NE(dynamic_cast<RegisteredScreen*>(first.get()), nullptr);
    EXPECT_NE(first, second);

    std::vector<std::string> log;
    base::Log::setSink([&](std::string_view line) { log.emplace_back(line); });
    EXPECT_EQ(registry.create("MissingScreen"), nullptr);
    base::Log::resetSink();
    EXPECT_EQ(log, std::vector<std::string>{"No view controller class named \"MissingScreen\""});

    // A bundle loaded again brings its own factory, which replaces the old one.
    registry.registerClass("RegisteredScreen", [] { return std::make_shared<ReplacementScreen>(); });
    EXPECT_NE(dynamic_cast<ReplacementScreen*>(registry.create("RegisteredScreen").get()), nullptr);
    registry.unregisterClass("RegisteredScreen");
    EXPECT_FALSE(registry.hasClass("RegisteredScreen"));
}

}  // namespace
