#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "kit/store/PrefsTestRoot.h"
#include "prefslist/VLPreferencesListViewController.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/Window.h"

// A list screen pushed onto a navigation controller in a phone-sized window on a manual clock,
// reading the document "DemoPrefs.bundle/Demo.plist" under a fresh filesystem root.
class PrefsListScreen : public PrefsTestRoot {
protected:
    static constexpr const char* kID = "com.example.demo";

    void SetUp() override {
        PrefsTestRoot::SetUp();
        base::Clock::setCurrent(clock);
        window->setRootViewController(navigation);
    }
    void TearDown() override {
        base::RunLoop::main().runFor(std::chrono::seconds(5));
        base::Clock::setCurrent(nullptr);
        PrefsTestRoot::TearDown();
    }

    void writeDocument(const base::Value::Array& rows, const std::string& name = "Demo") {
        auto dir = root_ / "var/QZN/Vellium/Preferences/DemoPrefs.bundle";
        std::filesystem::create_directories(dir);
        base::Value document;
        document.set("Preferences", rows);
        ASSERT_TRUE(base::PropertyList::writeFile(document, dir / (name + ".plist")).ok());
    }
    // Pushes the screen and configures it with the document.
    void open(const std::string& document = "Demo") {
        navigation->pushViewController(screen, false);
        settle();
        configure(document);
    }
    void configure(const std::string& document) {
        auto config = std::make_shared<VLPrefsConfig>();
        config->tweakName = "Demo";
        config->titleString = "Demo Settings";
        config->plistName = document;
        screen->updateWithPrefsConfig(config);
        settle();
    }
    void settle() {
        base::RunLoop::main().runFor(std::chrono::milliseconds(600));
        window->layoutIfNeeded();
    }

    gfx::Point centreOf(const ui::View& view) {
        window->layoutIfNeeded();
        return view.convertPoint({view.bounds().width / 2, view.bounds().height / 2}, nullptr);
    }
    void touch(ui::TouchPhase phase, gfx::Point at) { window->sendTouch(ui::Touch(1, phase, at)); }
    void tapAt(gfx::Point at) {
        touch(ui::TouchPhase::Began, at);
        touch(ui::TouchPhase::Ended, at);
        settle();
    }
    void tap(const ui::View& view) { tapAt(centreOf(view)); }
    // The visible label showing `text`, searched front to back.
    std::shared_ptr<ui::Label> labelShowing(const std::string& text) { return find(*window, text); }
    void tapText(const std::string& text) {
        auto label = labelShowing(text);
        ASSERT_TRUE(label) << "no label shows " << text;
        tap(*label);
    }

    base::Value row(std::initializer_list<std::pair<const char*, base::Value>> entries) {
        base::Value value;
        for (const auto& [key, entry] : entries) value.set(key, entry);
        return value;
    }

    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844});
    std::shared_ptr<ui::ViewController> home = ui::ViewController::create();
    std::shared_ptr<ui::NavigationController> navigation = ui::NavigationController::create(home);
    std::shared_ptr<VLPreferencesListViewController> screen =
        std::make_shared<VLPreferencesListViewController>();

private:
    static std::shared_ptr<ui::Label> find(ui::View& view, const std::string& text) {
        if (view.isHidden() || view.alpha() == 0) return nullptr;
        const auto& children = view.subviews();
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            if (auto found = find(**it, text)) return found;
        }
        auto* label = dynamic_cast<ui::Label*>(&view);
        if (label && label->text() == text)
            return std::static_pointer_cast<ui::Label>(label->shared_from_this());
        return nullptr;
    }
};
