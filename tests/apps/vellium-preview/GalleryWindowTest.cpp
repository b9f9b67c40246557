#include <gtest/gtest.h>

#include <algorithm>

#include "GalleryIndex.h"
#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "gfx/Image.h"
#include "host/HeadlessHost.h"
#include "host/WindowHost.h"
#include "support/ScopedEnvironment.h"
#include "support/TemporaryDirectory.h"
#include "ui/Button.h"
#include "ui/CollectionView.h"
#include "ui/CollectionViewCell.h"
#include "ui/ColorPickerViewController.h"
#include "ui/FontPickerViewController.h"
#include "ui/ImagePickerController.h"
#include "ui/NavigationController.h"
#include "ui/Switch.h"
#include "ui/TableView.h"
#include "ui/Window.h"

// End to end: the gallery in a real host window (xvfb), driven only by mouse and key events
// pushed through the host's event queue, observed through the view tree.
namespace {

template <typename T>
std::shared_ptr<T> findView(const std::shared_ptr<ui::View>& view,
                            const std::function<bool(T&)>& matches = {}) {
    if (auto found = std::dynamic_pointer_cast<T>(view); found && (!matches || matches(*found))) return found;
    for (const auto& subview : view->subviews()) {
        if (auto found = findView<T>(subview, matches)) return found;
    }
    return nullptr;
}

class GalleryWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        base::Clock::setCurrent(clock);
        window->setRootViewController(navigation);
        host::WindowHostOptions options;
        options.visible = false;
        options.screenshotDirectory = directory.path();
        auto opened = host::WindowHost::open(window, options);
        ASSERT_TRUE(opened.ok()) << opened.error().description;
        host = std::move(opened.value());
        settle();
    }
    void TearDown() override {
        host.reset();
        base::Clock::setCurrent(base::Clock::system());
    }

    // Lets transitions finish on the manual clock, then draws as the host would.
    void settle() {
        base::RunLoop::main().runFor(std::chrono::seconds(1));
        host->drawIfNeeded();
    }
    // Clicks the centre of `rect` (in `view`'s coordinates) in window pixels.
    void click(ui::View& view, gfx::Rect rect) {
        gfx::Point point = view.convertPoint({rect.x + rect.width / 2, rect.y + rect.height / 2}, nullptr);
        gfx::Point pixel{point.x * window->scale(), point.y * window->scale()};
        host->injectMouseButton(pixel, true);
        host->injectMouseButton(pixel, false);
        host->processEvents();
        settle();
    }
    void click(ui::View& view) { click(view, view.bounds()); }
    void openPage(int row) {
        auto table = findView<ui::TableView>(navigation->topViewController()->view());
        ASSERT_NE(table, nullptr);
        click(*table, table->rectForRowAtIndexPath({0, row}));
    }
    void pressEscape() {
        host->injectKey(host::WindowHost::Key::Escape);
        host->processEvents();
        settle();
    }
    // Opens the page in `row` of the list and presses its button that presents a picker.
    template <typename Picker>
    std::shared_ptr<Picker> presentPicker(int row, const std::string& buttonTitle) {
        openPage(row);
        if (auto found = button(buttonTitle)) click(*found);
        return std::dynamic_pointer_cast<Picker>(navigation->presentedViewController());
    }
    bool dumpHas(const std::string& field, const std::string& value) {
        std::string text = "\"" + field + "\": \"" + value + "\"";
        return host::HeadlessHost::dumpJson(*window).find(text) != std::string::npos;
    }
    std::shared_ptr<ui::Button> button(const std::string& title) {
        std::function<bool(ui::Button&)> titled = [&](ui::Button& b) {
            return b.title(ui::ControlStateNormal) == title;
        };
        auto found = findView<ui::Button>(navigation->topViewController()->view(), titled);
        EXPECT_NE(found, nullptr) << title;
        return found;
    }

    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    testsupport::TemporaryDirectory directory;
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844}, 2);
    std::shared_ptr<ui::NavigationController> navigation = GalleryIndex::makeGallery();
    std::unique_ptr<host::WindowHost> host;
};

TEST_F(GalleryWindowTest, ClicksToggleASwitchPresentAndCloseASheetAndKeysSaveAScreenshot) {
    openPage(0);  // Controls
    ASSERT_EQ(navigation->viewControllers().size(), 2u);
    auto toggle = findView<ui::Switch>(navigation->topViewController()->view());
    ASSERT_NE(toggle, nullptr);
    auto switchState = [&] {
        std::string dump = host::HeadlessHost::dumpJson(*window);
        auto at = dump.find("\"class\": \"Switch\"");
        return at == std::string::npos ? std::string() : dump.substr(dump.find("\"on\": ", at), 11);
    };
    EXPECT_EQ(switchState(), "\"on\": true,");
    click(*toggle);
    EXPECT_EQ(switchState(), "\"on\": false");

    click(*button("‹ Back"));
    ASSERT_EQ(navigation->viewControllers().size(), 1u);
    openPage(3);  // Sheets and alerts
    click(*button("Present a sheet"));
    ASSERT_NE(navigation->presentedViewController(), nullptr);
    host->injectKey(host::WindowHost::Key::Escape);
    host->processEvents();
    settle();
    EXPECT_EQ(navigation->presentedViewController(), nullptr);
    EXPECT_FALSE(host->quitRequested());

    host->injectKey(host::WindowHost::Key::F12);
    host->processEvents();
    auto shot = gfx::Image::fromFile(host->lastScreenshot());
    ASSERT_TRUE(shot.ok());
    EXPECT_EQ(shot.value().pixelWidth(), 780);
    EXPECT_EQ(shot.value().pixelHeight(), 1688);
}

TEST_F(GalleryWindowTest, ATappedSwatchComesBackAsTheColourAndItsHex) {
    auto picker = presentPicker<ui::ColorPickerViewController>(5, "Choose a colour");
    ASSERT_NE(picker, nullptr);
    auto grid = picker->swatchGrid();
    gfx::Rect bounds = grid->bounds();
    double width = bounds.width / ui::ColorPickerViewController::kHueColumns;
    double height = bounds.height / ui::ColorPickerViewController::kSwatchRows;
    click(*grid, {2 * width, 1 * height, width, height});  // row 1, column 2
    pressEscape();
    EXPECT_EQ(navigation->presentedViewController(), nullptr);

    std::string hex =
        ui::ColorPickerViewController::hexString(ui::ColorPickerViewController::swatchColor(1, 2));
    EXPECT_TRUE(dumpHas("text", "#" + hex)) << hex;
    EXPECT_TRUE(dumpHas("backgroundColor", "#" + hex + "FF")) << hex;
}

TEST_F(GalleryWindowTest, APickedFamilyIsShownByNameInItsOwnFont) {
    auto picker = presentPicker<ui::FontPickerViewController>(6, "Choose a font");
    ASSERT_NE(picker, nullptr);
    // The first family other than the system font's, so the dump names it.
    const auto& rows = picker->rows();
    auto other = std::find_if(rows.begin(), rows.end(), [](const auto& row) {
        return row.face.empty() && row.family != gfx::Font::system(17).family();
    });
    ASSERT_TRUE(other != rows.end() && other - rows.begin() < 12) << "no second family on the first screen";
    const std::string family = other->family;
    const int chosen = static_cast<int>(other - rows.begin());
    auto table = picker->tableView();
    click(*table, table->rectForRowAtIndexPath({0, chosen}));
    EXPECT_EQ(navigation->presentedViewController(), nullptr) << "the page dismisses the picker on a pick";
    EXPECT_TRUE(dumpHas("text", family)) << family;
    EXPECT_TRUE(dumpHas("fontFamily", family)) << family;
}

TEST_F(GalleryWindowTest, APickedPhotoComesBackAsAThumbnailNamedAfterItsFile) {
    testsupport::TemporaryDirectory pictures;
    auto png = gfx::Image(64, 48, std::vector<std::uint32_t>(64 * 48, 0xFF0000FFu)).encodePng().value();
    for (const char* name : {"a-blue.png", "b-blue.png"})
        pictures.write(name, std::string(png.begin(), png.end()));
    pictures.write("c-broken.jpg", "not a picture");
    ScopedEnvironment environment{{"XDG_PICTURES_DIR", pictures.path().string()}};

    auto picker = presentPicker<ui::ImagePickerController>(7, "Choose a photo");
    ASSERT_NE(picker, nullptr);
    picker->waitUntilLibraryPosted();
    settle();
    ASSERT_EQ(picker->library().photos().size(), 2u);
    window->layoutIfNeeded();
    auto cell = picker->collectionView()->cellForItemAtIndexPath(ui::IndexPath::forItem(1, 0));
    ASSERT_NE(cell, nullptr);
    click(*cell);
    EXPECT_EQ(navigation->presentedViewController(), nullptr);
    EXPECT_TRUE(dumpHas("text", "b-blue.png"));
    EXPECT_TRUE(dumpHas("image", "b-blue.png"));
}

}  // namespace
