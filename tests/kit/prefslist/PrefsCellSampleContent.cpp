#include "PrefsCellSampleContent.h"

#include <array>
#include <vector>

#include "base/DateFormatter.h"
#include "gfx/ImageContext.h"
#include "gfx/SymbolImage.h"
#include "prefslist/cells/VLPrefsAppListCell.h"
#include "prefslist/cells/VLPrefsAvatarPickerCell.h"
#include "prefslist/cells/VLPrefsColourPickerCell.h"
#include "prefslist/cells/VLPrefsDatePickerCell.h"
#include "prefslist/cells/VLPrefsFontPickerCell.h"
#include "prefslist/cells/VLPrefsImagePickerCell.h"
#include "prefslist/cells/VLPrefsSegmentCell.h"
#include "prefslist/cells/VLPrefsSingleSelectionCell.h"
#include "prefslist/cells/VLPrefsSliderCell.h"
#include "prefslist/cells/VLPrefsStepperCell.h"
#include "prefslist/cells/VLPrefsSwitchCell.h"
#include "prefslist/cells/VLPrefsTextFieldCell.h"
#include "prefslist/cells/VLPrefsTintedButtonCell.h"
#include "ui/SegmentedControl.h"
#include "uikit/VLPrefsAppearance.h"

namespace testsupport {

namespace {

// What a row of one class shows besides its control: the list's texts, symbol and accent.
struct SampleRow {
    std::string className;
    std::string title;
    std::string subtitle;
    std::string symbol;
    gfx::Color accent;
};

const SampleRow& sampleRowFor(const std::string& className) {
    static const std::vector<SampleRow> rows{
        {"VLPrefsButtonCell", "Respring", "Apply changes now", "apps.iphone", gfx::Color::systemBlue()},
        {"VLPrefsAppListCell", "Hidden Apps", "Four chosen", "apps.iphone", gfx::Color::systemIndigo()},
        {"VLPrefsTintedButtonCell", "Reset Settings", "", "", gfx::Color::systemRed()},
        {"VLPrefsSingleSelectionCell", "Quality", "", "list.bullet.below.rectangle",
         gfx::Color::systemOrange()},
        {"VLPrefsImagePickerCell", "Wallpaper", "Shown behind the dock", "photo.on.rectangle.angled",
         gfx::Color::systemGreen()},
        {"VLPrefsSliderCell", "Blur Radius", "How soft the backdrop is",
         "slider.horizontal.below.square.fill.and.square", gfx::Color::systemTeal()},
        {"VLPrefsSwitchCell", "Enabled", "Turns the tweak on", "switch.2", gfx::Color::systemGreen()},
        {"VLPrefsStepperCell", "Columns", "Icons per row", "plusminus.circle.fill",
         gfx::Color::systemPurple()},
        {"VLPrefsTextFieldCell", "Greeting", "", "note.text", gfx::Color::systemYellow()},
        {"VLPrefsColourPickerCell", "Tint", "Colour of the badges", "paintpalette.fill",
         gfx::Color::systemPink()},
        {"VLPrefsAppLinkCell", "Open Settings", "Jumps to the app", "apps.iphone", gfx::Color::systemBlue()},
        {"VLPrefsSegmentCell", "Style", "Choose one", "rectangle.grid.1x2.fill", gfx::Color::systemOrange()},
        {"VLPrefsAvatarPickerCell", "Avatar", "Shown in the header", "face.smiling.fill",
         gfx::Color::systemPink()},
        {"VLPrefsDatePickerCell", "Reminder", "When to remind you", "plusminus.circle.fill",
         gfx::Color::systemRed()},
        {"VLPrefsFontPickerCell", "Font", "Used for labels", "textformat", gfx::Color::gray()},
        {"VLPrefsHyperlinkCell", "Source Code", "Opens the repository", "link", gfx::Color::systemTeal()},
    };
    static const SampleRow unknown{"", "Row", "", "apps.iphone", gfx::Color::gray()};
    for (const auto& row : rows) {
        if (row.className == className) return row;
    }
    return unknown;
}

// A small picture: a vertical gradient with a disc, standing in for a photo or an app icon.
gfx::Image makeSampleImage(gfx::Size size, const gfx::Color& top, const gfx::Color& bottom,
                           const gfx::Color& disc) {
    gfx::ImageContext context(size, 2.0);
    context.painter().fillLinearGradient({0, 0, size.width, size.height},
                                         {{0, 0}, {0, size.height}, {{0, top}, {1, bottom}}});
    double d = size.width * 0.45;
    context.painter().fillEllipse({size.width * 0.5, size.height * 0.2, d, d}, disc);
    return context.image();
}

void fillIconCard(VLPrefsIconCardCell& cell, const SampleRow& row) {
    cell.iconView()->setBackgroundColor(row.accent.withAlphaComponent(0.4));
    cell.icon()->setTintColor(row.accent);
    cell.icon()->setImage(gfx::SymbolImage::named(row.symbol, 30, 2.0), row.symbol);
}

void fillControls(ui::TableViewCell& cell, const SampleRow& row) {
    gfx::Color screenAccent = VLPrefsAppearance::velliumAccentColour();
    if (auto* c = dynamic_cast<VLPrefsSwitchCell*>(&cell)) {
        c->toggleSwitch()->setOnTintColor(row.accent);
        c->toggleSwitch()->setOn(true, false);
    } else if (auto* c = dynamic_cast<VLPrefsSliderCell*>(&cell)) {
        c->slider()->setMinimumValue(0);
        c->slider()->setMaximumValue(10);
        c->slider()->setValue(6);
        c->slider()->setTintColor(screenAccent);
        c->valueLabel()->setText("6");
    } else if (auto* c = dynamic_cast<VLPrefsStepperCell*>(&cell)) {
        c->stepper()->setMinimumValue(0);
        c->stepper()->setMaximumValue(10);
        c->stepper()->setStepValue(2);
        c->stepper()->setValue(4);
        c->valueLabel()->setText("4");
    } else if (auto* c = dynamic_cast<VLPrefsSegmentCell*>(&cell)) {
        c->setSegments({"Compact", "Regular", "Large"});
        c->segment()->setSelectedSegmentTintColor(screenAccent);
        ui::SegmentedControl::appearance().setTitleTextAttributes(
            ui::TextAttributes{std::nullopt, gfx::Color::whiteColor()}, ui::ControlStateSelected);
        c->segment()->setSelectedSegmentIndex(1);
    } else if (auto* c = dynamic_cast<VLPrefsDatePickerCell*>(&cell)) {
        base::DateFormatter formatter("E, d MMM HH:mm", base::Locale("en_GB"), base::TimeZone::utc());
        c->datePicker()->setLocale(base::Locale("en_GB"));
        c->datePicker()->setTimeZone(base::TimeZone::utc());
        c->datePicker()->setTintColor(screenAccent);
        c->datePicker()->setDate(kSampleDate, false);
        c->valueLabel()->setText(formatter.stringFromDate(kSampleDate));
    }
}

void fillValues(ui::TableViewCell& cell, const SampleRow& row) {
    if (auto* c = dynamic_cast<VLPrefsTintedButtonCell*>(&cell)) {
        c->baseView()->setBackgroundColor(row.accent.withAlphaComponent(0.4));
        c->titleLabel()->setTextColor(row.accent);
    } else if (auto* c = dynamic_cast<VLPrefsColourPickerCell*>(&cell)) {
        c->colourView()->setBackgroundColor(gfx::Color(0.2, 0.45, 0.95));
    } else if (auto* c = dynamic_cast<VLPrefsFontPickerCell*>(&cell)) {
        c->fontLabel()->setFont(gfx::Font::system(12));
    } else if (auto* c = dynamic_cast<VLPrefsTextFieldCell*>(&cell)) {
        c->textFieldLabel()->setText("Good morning");
    } else if (auto* c = dynamic_cast<VLPrefsSingleSelectionCell*>(&cell)) {
        c->valueLabel()->setText("Medium");
    } else if (auto* c = dynamic_cast<VLPrefsAvatarPickerCell*>(&cell)) {
        c->preview()->setImage(makeSampleImage({45, 45}, gfx::Color(1, 0.8, 0.55),
                                               gfx::Color(0.95, 0.5, 0.35), gfx::Color(0.45, 0.25, 0.15)));
    } else if (auto* c = dynamic_cast<VLPrefsImagePickerCell*>(&cell)) {
        c->preview()->setImage(makeSampleImage({45, 45}, gfx::Color(0.35, 0.6, 0.95),
                                               gfx::Color(0.2, 0.55, 0.3), gfx::Color(1, 0.85, 0.3)));
    } else if (auto* c = dynamic_cast<VLPrefsAppListCell*>(&cell)) {
        static const std::array<std::array<gfx::Color, 3>, 4> icons{{
            {gfx::Color(0.3, 0.8, 0.4), gfx::Color(0.1, 0.5, 0.2), gfx::Color::whiteColor()},
            {gfx::Color(0.4, 0.7, 1), gfx::Color(0.1, 0.3, 0.9), gfx::Color::whiteColor()},
            {gfx::Color(1, 0.6, 0.3), gfx::Color(0.9, 0.25, 0.2), gfx::Color(1, 0.95, 0.6)},
            {gfx::Color(0.7, 0.5, 1), gfx::Color(0.4, 0.2, 0.7), gfx::Color(0.95, 0.9, 1)},
        }};
        std::array previews{c->preview1(), c->preview2(), c->preview3(), c->preview4()};
        for (std::size_t i = 0; i < previews.size(); ++i) {
            previews[i]->setImage(makeSampleImage({20, 20}, icons[i][0], icons[i][1], icons[i][2]));
        }
        c->appView()->setAlpha(1);
    }
}

}  // namespace

void fillWithSampleContent(ui::TableViewCell& cell, const std::string& title) {
    const SampleRow& row = sampleRowFor(cell.className());
    cell.setBackgroundColor(gfx::Color::clear());
    cell.setSelectionStyle(ui::TableViewCellSelectionStyle::None);
    if (auto* card = dynamic_cast<VLPrefsCardCell*>(&cell))
        card->titleLabel()->setText(title.empty() ? row.title : title);
    if (auto* iconCard = dynamic_cast<VLPrefsIconCardCell*>(&cell)) fillIconCard(*iconCard, row);
    if (auto* subtitled = dynamic_cast<VLPrefsSubtitleCardCell*>(&cell))
        subtitled->subtitleLabel()->setText(row.subtitle);
    fillValues(cell, row);
    fillControls(cell, row);
}

}  // namespace testsupport
