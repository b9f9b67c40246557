#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PrefsCellCatalogue.h"
#include "PrefsCellSampleContent.h"
#include "base/Log.h"
#include "host/HeadlessHost.h"
#include "support/GoldenImage.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/SegmentedControl.h"
#include "ui/Window.h"
#include "uikit/VLPrefsAppearance.h"

namespace {

using gfx::UserInterfaceStyle;
using testsupport::allPrefsCells;
using testsupport::PrefsCellCase;

constexpr double kRowWidth = 390;
constexpr double kScale = 2;

const char* appearanceName(UserInterfaceStyle style) {
    return style == UserInterfaceStyle::Dark ? "dark" : "light";
}

// One filled cell as a row of the list: a 390-point window in the given appearance, the
// list's background behind the (clear) cell, drawn at scale 2.
gfx::Image renderRow(const PrefsCellCase& entry, UserInterfaceStyle style) {
    auto window = ui::Window::create({kRowWidth, entry.rowHeight}, kScale);
    window->setTraitCollection({style});
    auto background = ui::View::create();
    background->setFrame({0, 0, kRowWidth, entry.rowHeight});
    background->setBackgroundColor(VLPrefsAppearance::primaryColour());
    window->addSubview(background);
    auto cell = entry.make();
    testsupport::fillWithSampleContent(*cell);
    cell->setFrame({0, 0, kRowWidth, entry.rowHeight});
    window->addSubview(cell);
    gfx::Image image = host::HeadlessHost::render(*window, kScale);
    // The segment row sets the process-wide selected title colour; other tests expect none.
    ui::SegmentedControl::appearance().reset();
    return image;
}

::testing::AssertionResult matchesGolden(const gfx::Image& image, const std::string& name) {
    return GoldenImage::matches(image, std::filesystem::path(VK_GOLDEN_DIR) / (name + ".png"),
                                VK_GOLDEN_ACTUAL_DIR);
}

class VLPrefsCellGolden : public ::testing::TestWithParam<UserInterfaceStyle> {};

TEST_P(VLPrefsCellGolden, EveryClassFilledWithSampleContent) {
    std::vector<std::string> logLines;
    base::Log::setSink([&](std::string_view line) { logLines.emplace_back(line); });
    for (const auto& entry : allPrefsCells()) {
        std::string className = entry.make()->className();
        SCOPED_TRACE(className);
        EXPECT_TRUE(
            matchesGolden(renderRow(entry, GetParam()), className + "-" + appearanceName(GetParam())));
        // Filled cells still lay out without a constraint left unsatisfied.
        EXPECT_TRUE(logLines.empty()) << logLines.front();
        logLines.clear();
    }
    base::Log::resetSink();
}

INSTANTIATE_TEST_SUITE_P(Appearances, VLPrefsCellGolden,
                         ::testing::Values(UserInterfaceStyle::Light, UserInterfaceStyle::Dark),
                         [](const auto& info) { return std::string(appearanceName(info.param)); });

// The review sheet: every class in a light and a dark column under its class name, composed
// from the same renders as the goldens and kept current the same way.
class ContactSheet {
public:
    static constexpr double kMargin = 16;
    static constexpr double kCaptionHeight = 22;
    static constexpr double kRowGap = 10;

    gfx::Image render() {
        double height = kMargin + kCaptionHeight;
        for (const auto& entry : allPrefsCells()) height += kCaptionHeight + entry.rowHeight + kRowGap;
        double width = 3 * kMargin + 2 * kRowWidth;
        window_ = ui::Window::create({width, height}, kScale);
        window_->setTraitCollection({UserInterfaceStyle::Light});
        addPanel({0, 0, kMargin * 1.5 + kRowWidth, height}, gfx::Color(0.95, 0.95, 0.97));
        addPanel({kMargin * 1.5 + kRowWidth, 0, width - kMargin * 1.5 - kRowWidth, height},
                 gfx::Color::blackColor());
        double y = kMargin;
        addCaption("Light", {kMargin, y}, gfx::Color::blackColor());
        addCaption("Dark", {2 * kMargin + kRowWidth, y}, gfx::Color::whiteColor());
        y += kCaptionHeight;
        for (const auto& entry : allPrefsCells()) {
            std::string className = entry.make()->className();
            addCaption(className, {kMargin, y}, gfx::Color::white(0.35));
            addCaption(className, {2 * kMargin + kRowWidth, y}, gfx::Color::white(0.7));
            y += kCaptionHeight;
            addRow(renderRow(entry, UserInterfaceStyle::Light), {kMargin, y});
            addRow(renderRow(entry, UserInterfaceStyle::Dark), {2 * kMargin + kRowWidth, y});
            y += entry.rowHeight + kRowGap;
        }
        return host::HeadlessHost::render(*window_, kScale);
    }

private:
    void addPanel(const gfx::Rect& frame, const gfx::Color& colour) {
        auto panel = ui::View::create();
        panel->setFrame(frame);
        panel->setBackgroundColor(colour);
        window_->addSubview(panel);
    }
    void addCaption(const std::string& text, gfx::Point origin, const gfx::Color& colour) {
        auto label = ui::Label::create();
        label->setText(text);
        label->setFont(gfx::Font::system(13, gfx::FontWeight::Semibold));
        label->setTextColor(colour);
        label->setFrame({origin.x, origin.y, kRowWidth, kCaptionHeight - 4});
        window_->addSubview(label);
    }
    void addRow(const gfx::Image& image, gfx::Point origin) {
        auto view = ui::ImageView::create(image);
        view->setFrame({origin.x, origin.y, image.size().width, image.size().height});
        window_->addSubview(view);
    }

    std::shared_ptr<ui::Window> window_;
};

TEST(VLPrefsCellContactSheet, MatchesTheCommittedSheet) {
    EXPECT_TRUE(GoldenImage::matches(ContactSheet().render(), VK_CONTACT_SHEET, VK_GOLDEN_ACTUAL_DIR));
}

}  // namespace
