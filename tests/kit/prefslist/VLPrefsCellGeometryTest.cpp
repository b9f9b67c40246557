#include <gtest/gtest.h>

#include "PrefsCellWindow.h"
#include "prefslist/cells/VLPrefsAppListCell.h"
#include "prefslist/cells/VLPrefsAvatarPickerCell.h"
#include "prefslist/cells/VLPrefsColourPickerCell.h"
#include "prefslist/cells/VLPrefsDatePickerCell.h"
#include "prefslist/cells/VLPrefsFontPickerCell.h"
#include "prefslist/cells/VLPrefsImagePickerCell.h"
#include "prefslist/cells/VLPrefsSliderCell.h"
#include "prefslist/cells/VLPrefsStepperCell.h"
#include "prefslist/cells/VLPrefsTintedButtonCell.h"

namespace {

using testsupport::CellInWindow;

// Geometry relative to the card, whose frame in the cell is (20, 5, 350, height - 10).
gfx::Rect onCard(const CellInWindow& f, const ui::View& view) { return f.inCell(view).offsetBy(-20, -5); }

TEST(VLPrefsCellGeometry, TallRowsPlaceTheSeparatorAndTheirControlUnderTheTile) {
    CellInWindow slider(VLPrefsSliderCell::create(), 115);
    auto& s = static_cast<VLPrefsSliderCell&>(*slider.cell);
    EXPECT_EQ(onCard(slider, *s.lineView()), gfx::Rect(15, 65, 320, 1));
    EXPECT_EQ(onCard(slider, *s.slider()).y, 71);
    EXPECT_EQ(onCard(slider, *s.slider()).width, 320);
    // The value's trailing edge is 10 inside the card; the titles end 10 inside that.
    EXPECT_EQ(onCard(slider, *s.valueLabel()).maxX(), 340);
    EXPECT_EQ(onCard(slider, *s.titleLabel()).maxX(), 330);
    EXPECT_EQ(onCard(slider, *s.subtitleLabel()).maxX(), 330);

    CellInWindow stepper(VLPrefsStepperCell::create(), 115);
    auto& st = static_cast<VLPrefsStepperCell&>(*stepper.cell);
    gfx::Rect control = onCard(stepper, *st.stepper());
    EXPECT_EQ(control.y, 69);
    EXPECT_EQ(control.maxX(), 335);
    EXPECT_EQ(onCard(stepper, *st.valueLabel()).midY(), control.midY());

    CellInWindow date(VLPrefsDatePickerCell::create(), 115);
    auto& d = static_cast<VLPrefsDatePickerCell&>(*date.cell);
    EXPECT_EQ(onCard(date, *d.datePicker()), gfx::Rect(150, 68, 188, 35));
    EXPECT_EQ(onCard(date, *d.valueLabel()).x, 15);
    EXPECT_EQ(onCard(date, *d.valueLabel()).maxX(), 140);
}

TEST(VLPrefsCellGeometry, TheApplicationPreviewsFormACentredGridOverTheirBackdrop) {
    CellInWindow f(VLPrefsAppListCell::create(), 75);
    auto& cell = static_cast<VLPrefsAppListCell&>(*f.cell);
    gfx::Rect backdrop = onCard(f, *cell.appView());
    gfx::Rect topLeft = onCard(f, *cell.preview1()), bottomRight = onCard(f, *cell.preview4());
    gfx::Rect grid{topLeft.x, topLeft.y, bottomRight.maxX() - topLeft.x, bottomRight.maxY() - topLeft.y};
    EXPECT_EQ(grid, gfx::Rect(350 - 55, 32.5 - 22.5, 45, 45));
    EXPECT_EQ(backdrop, gfx::Rect(350 - 57.5, 7.5, 50, 50));
    EXPECT_EQ(onCard(f, *cell.preview2()).y, topLeft.y);
    EXPECT_EQ(onCard(f, *cell.preview3()).x, topLeft.x);
    EXPECT_EQ(onCard(f, *cell.titleLabel()).maxX(), topLeft.maxX() - 10);
}

TEST(VLPrefsCellGeometry, PreviewsWheelAndSampleSitAtTheTrailingSide) {
    CellInWindow avatar(VLPrefsAvatarPickerCell::create(), 75);
    auto& a = static_cast<VLPrefsAvatarPickerCell&>(*avatar.cell);
    EXPECT_EQ(onCard(avatar, *a.preview()), gfx::Rect(295, 10, 45, 45));
    EXPECT_EQ(a.preview()->layer().cornerRadius(), 22.5);
    EXPECT_EQ(a.preview()->layer().cornerCurve(), gfx::CornerCurve::Circular);

    CellInWindow image(VLPrefsImagePickerCell::create(), 75);
    auto& i = static_cast<VLPrefsImagePickerCell&>(*image.cell);
    EXPECT_EQ(i.preview()->layer().cornerRadius(), 13);
    EXPECT_TRUE(i.preview()->clipsToBounds());

    CellInWindow colour(VLPrefsColourPickerCell::create(), 75);
    auto& c = static_cast<VLPrefsColourPickerCell&>(*colour.cell);
    EXPECT_EQ(onCard(colour, *c.wheel()), gfx::Rect(305, 15, 35, 35));
    EXPECT_EQ(onCard(colour, *c.colourView()), gfx::Rect(307.5, 17.5, 30, 30));
    EXPECT_FALSE(c.wheel()->image().isNull());
    EXPECT_EQ(onCard(colour, *c.titleLabel()).maxX(), 295);

    CellInWindow font(VLPrefsFontPickerCell::create(), 75);
    auto& sample = *static_cast<VLPrefsFontPickerCell&>(*font.cell).fontLabel();
    EXPECT_EQ(sample.text(), "Font");
    EXPECT_EQ(sample.textAlignment(), gfx::TextAlignment::Right);
    EXPECT_EQ(sample.font().pointSize(), 12);
    EXPECT_EQ(onCard(font, sample).maxX(), 340);
    EXPECT_EQ(onCard(font, sample).midY(), 32.5);
}

TEST(VLPrefsCellGeometry, TheTintedButtonCentresItsTitleOnAnUncolouredCard) {
    CellInWindow f(VLPrefsTintedButtonCell::create(), 75);
    auto& cell = static_cast<VLPrefsTintedButtonCell&>(*f.cell);
    EXPECT_EQ(cell.baseView()->backgroundColor().alpha(), 0);
    EXPECT_EQ(onCard(f, *cell.titleLabel()).x, 10);
    EXPECT_EQ(onCard(f, *cell.titleLabel()).midY(), 32.5);
    EXPECT_EQ(cell.titleLabel()->font().pointSize(), 20);
}

}  // namespace
