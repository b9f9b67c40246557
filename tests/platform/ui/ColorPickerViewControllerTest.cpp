#include <string>
#include <vector>

#include "ControllerTesting.h"
#include "ui/Button.h"
#include "ui/ColorPickerViewController.h"
#include "ui/ColorPickerViewControllerDelegate.h"
#include "ui/PresentationController.h"
#include "ui/Slider.h"
#include "ui/TextField.h"
#include "ui/View.h"

namespace {

using ui::ColorPickerViewController;

// Writes "select HEX" (with " moving" while a slider still moves) and "finish".
class RecordingDelegate : public ui::ColorPickerViewControllerDelegate {
public:
    void colorPickerViewControllerDidSelectColorContinuously(ColorPickerViewController& picker,
                                                             const gfx::Color& color,
                                                             bool continuously) override {
        EXPECT_EQ(color, picker.selectedColor());
        calls.push_back("select " + ColorPickerViewController::hexString(color) +
                        (continuously ? " moving" : ""));
    }
    void colorPickerViewControllerDidFinish(ColorPickerViewController&) override {
        calls.push_back("finish");
    }
    std::vector<std::string> calls;
};

class ColorPickerTest : public testsupport::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        window->setRootViewController(screen);
        picker->setDelegate(delegate);
        picker->setSelectedColor(gfx::Color(1, 0, 0));
    }
    void show() {
        screen->present(picker, true);
        settle();
    }
    static gfx::Point centreOf(const ui::View& view, gfx::Rect rect) {
        gfx::Rect inWindow = view.convertRect(rect, nullptr);
        return {inWindow.x + inWindow.width / 2, inWindow.y + inWindow.height / 2};
    }
    gfx::Point swatchCentre(int row, int column) {
        const auto& swatch = picker->swatchGrid()->subviews().at(
            static_cast<std::size_t>(row * ColorPickerViewController::kHueColumns + column));
        return centreOf(*swatch, swatch->bounds());
    }
    std::shared_ptr<testsupport::RecordingController> screen =
        testsupport::RecordingController::create("screen", calls);
    std::shared_ptr<ColorPickerViewController> picker = ColorPickerViewController::create();
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
};

TEST_F(ColorPickerTest, HexTextRoundsComponentsAndRefusesAnythingButSixDigits) {
    EXPECT_EQ(ColorPickerViewController::hexString(gfx::Color(1, 0.5, 0, 0.5)), "FF8000");
    EXPECT_EQ(ColorPickerViewController::hexString(gfx::Color(2, -1, NAN)), "FF0000");
    auto parsed = ColorPickerViewController::colorFromHexString("ff8000");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(ColorPickerViewController::hexString(*parsed), "FF8000");
    for (const char* bad : {"", "FF800", "FF80000", "FF800G", "#FF800", " FF800"}) {
        EXPECT_FALSE(ColorPickerViewController::colorFromHexString(bad)) << bad;
    }
}

TEST_F(ColorPickerTest, SwatchTapSliderDragAndHexEntryEachReportEveryChangeOnce) {
    show();
    // A swatch: one report, and the controls follow.
    tapAt(swatchCentre(2, 4));
    const std::string swatch =
        ColorPickerViewController::hexString(ColorPickerViewController::swatchColor(2, 4));
    EXPECT_EQ(delegate->calls, (std::vector<std::string>{"select " + swatch}));
    EXPECT_EQ(picker->hexField()->text(), swatch);
    EXPECT_EQ(picker->previewSwatch()->backgroundColor(), picker->selectedColor());
    tapAt(swatchCentre(2, 4));
    EXPECT_EQ(delegate->calls.size(), 1u) << "the same colour again is no change";

    // A slider drag inside the sheet moves the thumb, not the sheet.
    delegate->calls.clear();
    const auto& brightness = picker->brightnessSlider();
    const double sheetTop = picker->presentationController()->containerView()->frame().y;
    gfx::Point thumb = centreOf(*brightness, brightness->thumbRect());
    drag(thumb, {thumb.x - 150, thumb.y}, 5);
    EXPECT_EQ(picker->presentationController()->containerView()->frame().y, sheetTop);
    EXPECT_LT(brightness->value(), 0.9f);
    ASSERT_GE(delegate->calls.size(), 5u) << "a report for each step of the drag";
    for (std::size_t i = 1; i < delegate->calls.size(); ++i) {
        EXPECT_NE(delegate->calls[i], delegate->calls[i - 1]) << "a report without a change";
    }
    EXPECT_EQ(delegate->calls.back(),
              "select " + ColorPickerViewController::hexString(picker->selectedColor()) + " moving");

    // Hex entry: applied only once six digits stand; bad text is not applied and is undone.
    delegate->calls.clear();
    auto field = picker->hexField();
    tapAt(centreOf(*field, field->bounds()));
    ASSERT_TRUE(field->isEditing());
    for (int i = 0; i < 6; ++i) field->deleteBackward();
    for (char c : std::string("00ff80")) field->insertText(std::string(1, c));
    EXPECT_EQ(delegate->calls, (std::vector<std::string>{"select 00FF80"}));
    field->insertText("Z");
    field->deleteBackward();
    field->deleteBackward();
    field->insertText("G");
    EXPECT_EQ(delegate->calls.size(), 1u);
    field->resignFirstResponder();
    EXPECT_EQ(field->text(), "00FF80");
    EXPECT_EQ(calls, (testsupport::Calls{"screen.didLoad", "screen.willAppear", "screen.didAppear"}));
}

TEST_F(ColorPickerTest, WithoutAlphaTheOpacityRowIsHiddenAndColoursAreOpaque) {
    picker->setSupportsAlpha(false);
    picker->setSelectedColor(gfx::Color(1, 0.5, 0, 0.5));
    show();
    EXPECT_EQ(picker->selectedColor().alpha(), 1.0);
    EXPECT_TRUE(picker->opacitySlider()->isHidden());
    EXPECT_FALSE(picker->brightnessSlider()->isHidden());
    tapAt(swatchCentre(0, 0));
    EXPECT_EQ(picker->selectedColor().alpha(), 1.0);
}

TEST_F(ColorPickerTest, CloseButtonAndSwipeEachTellFinishOnce) {
    show();
    const auto& close = picker->closeButton();
    tapAt(centreOf(*close, close->bounds()));
    settle();
    EXPECT_EQ(delegate->calls, (std::vector<std::string>{"finish"}));
    EXPECT_FALSE(screen->presentedViewController());

    delegate->calls.clear();
    show();
    gfx::Rect sheet = picker->presentationController()->containerView()->frame();
    drag({sheet.x + 60, sheet.y + 30}, {sheet.x + 60, sheet.y + 600}, 8);
    settle();
    EXPECT_EQ(delegate->calls, (std::vector<std::string>{"finish"}));
    EXPECT_FALSE(screen->presentedViewController());
}

}  // namespace
