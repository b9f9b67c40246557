#pragma once

#include <memory>
#include <string>

#include "HomeTestScreen.h"
#include "gfx/ImageContext.h"
#include "home/VLFreePrefsHomeViewController.h"
#include "home/VLPackageRepository.h"
#include "uikit/VLViewControllerRegistry.h"

// A tweak's own home screen: counts the written tutorials it was asked for.
class DemoHomeScreen : public VLFreePrefsHomeViewController {
public:
    void presentTutorialVC() override { ++tutorialsShown; }
    int tutorialsShown = 0;
};

// A screen class that categories and the settings row open.
class DemoListScreen : public ui::ViewController {};

// The home screen of the tweak "Demo" pushed on the navigation controller. Its changelog comes
// from a port nothing listens on, unless a test names a repository of its own.
class HomeScreenFixture : public HomeTestScreen {
protected:
    void SetUp() override {
        HomeTestScreen::SetUp();
        VLPackageRepository::setBaseAddress("https://127.0.0.1:9");
        VLViewControllerRegistry::shared().registerClass("DemoListScreen",
                                                         [] { return std::make_shared<DemoListScreen>(); });
    }
    void TearDown() override {
        VLViewControllerRegistry::shared().unregisterClass("DemoListScreen");
        HomeTestScreen::TearDown();
        VLPackageRepository::setBaseAddress(VLPackageRepository::kDefaultBaseAddress);
    }

    static gfx::Image solid(double width, double height, gfx::Color colour) {
        gfx::ImageContext context({width, height});
        context.painter().fillRect({0, 0, width, height}, colour);
        return context.image();
    }

    std::shared_ptr<VLPrefsConfig> config(bool categories) {
        auto config = std::make_shared<VLPrefsConfig>();
        config->heroCover = solid(390, 400, {0.2, 0.4, 0.8});
        config->heroIcon = solid(70, 70, {0.9, 0.5, 0.1});
        config->tweakName = "Demo";
        config->tweakVersion = "v1.3";
        config->isCategoriesAvailable = categories;
        config->singlePrefsClassName = "DemoListScreen";
        config->categoriesArray = std::make_shared<VLFreePrefsHomeViewController::Categories>();
        if (categories) {
            config->categoriesArray->push_back(std::make_shared<VLPrefsCategoriesData>(
                "Display", solid(25, 25, {1, 1, 1}), std::nullopt, "DemoListScreen", false, ""));
            config->categoriesArray->push_back(std::make_shared<VLPrefsCategoriesData>(
                "Style", solid(25, 25, {1, 1, 1}), gfx::Color::systemPink(), "", true, "Styles"));
        }
        return config;
    }
    void open(bool categories = true) {
        navigation->pushViewController(home, false);
        settle();
        home->updateWithPrefsConfig(config(categories));
        settle();
    }
    void scrollTo(double y) {
        home->scrollView()->setContentOffset({0, y});
        settle();
    }

    std::shared_ptr<DemoHomeScreen> home = std::make_shared<DemoHomeScreen>();
};
