#include "GalleryPages.h"

#include <cstdio>

#include "GalleryIndexedListSource.h"
#include "GalleryKitPages.h"
#include "GalleryListSource.h"
#include "GalleryPickerPages.h"
#include "GalleryStackView.h"
#include "ui/AlertController.h"
#include "ui/Button.h"
#include "ui/CollectionView.h"
#include "ui/CollectionViewFlowLayout.h"
#include "ui/DatePicker.h"
#include "ui/Label.h"
#include "ui/SegmentedControl.h"
#include "ui/Slider.h"
#include "ui/Stepper.h"
#include "ui/Switch.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "ui/TextView.h"
#include "ui/VisualEffectView.h"

namespace {

std::shared_ptr<ui::Label> valueLabel(const std::string& text) {
    auto label = ui::Label::create(text);
    label->setTextColor(gfx::Color::secondaryLabel());
    return label;
}

std::shared_ptr<ui::Button> actionButton(const std::string& title, std::function<void()> handler) {
    auto button = ui::Button::create();
    button->setTitle(title);
    button->setTitleColor(gfx::Color::systemBlue());
    button->addAction(ui::ControlEventTouchUpInside, std::move(handler));
    return button;
}

void buildControls(GalleryScreen&, GalleryStackView& stack) {
    auto toggle = ui::Switch::create();
    toggle->setOn(true);
    stack.addRow("Switch", toggle);

    auto slider = ui::Slider::create();
    slider->setValue(0.4f);
    auto sliderValue = valueLabel("40 %");
    // Handlers live on their control: they hold it and its label weakly.
    slider->addAction(ui::ControlEventValueChanged,
                      [control = std::weak_ptr(slider), weak = std::weak_ptr(sliderValue)] {
                          auto slider = control.lock();
                          if (auto label = weak.lock(); slider && label)
                              label->setText(std::to_string(std::lround(slider->value() * 100)) + " %");
                      });
    stack.addRow("Slider", sliderValue);
    stack.addFullWidthRow(slider);

    auto stepper = ui::Stepper::create();
    stepper->setValue(3);
    auto stepperValue = valueLabel("3");
    stepper->addAction(ui::ControlEventValueChanged,
                       [control = std::weak_ptr(stepper), weak = std::weak_ptr(stepperValue)] {
                           auto stepper = control.lock();
                           if (auto label = weak.lock(); stepper && label)
                               label->setText(std::to_string(std::lround(stepper->value())));
                       });
    stack.addRow("Stepper", stepper);
    stack.addRow("Stepper value", stepperValue);

    auto segments = ui::SegmentedControl::create();
    for (const char* title : {"Daily", "Weekly", "Monthly"}) segments->insertSegmentWithTitle(title, 99);
    segments->setSelectedSegmentIndex(0);
    stack.addFullWidthRow(segments);

    auto date = ui::DatePicker::create();
    date->setDatePickerMode(ui::DatePickerMode::DateAndTime);
    stack.addRow("Date", date);
}

void buildTextInput(GalleryScreen&, GalleryStackView& stack) {
    auto field = ui::TextField::create();
    field->setPlaceholder("Type here");
    field->setBackgroundColor(gfx::Color::secondarySystemBackground());
    field->layer().setCornerRadius(8);
    stack.addFullWidthRow(field, 40);

    auto text = ui::TextView::create();
    text->setText("A text view wraps its text across lines. Tap it to edit.");
    text->setBackgroundColor(gfx::Color::secondarySystemBackground());
    text->layer().setCornerRadius(8);
    stack.addFullWidthRow(text, 120);
}

void buildLists(GalleryScreen& screen, GalleryStackView& stack) {
    auto source = std::make_shared<GalleryListSource>(50);
    screen.retain(source);
    auto table = ui::TableView::create(ui::TableView::Style::InsetGrouped);
    table->setDataSource(source);
    table->setDelegate(source);
    table->setBackgroundColor(gfx::Color::secondarySystemBackground());
    stack.addFullWidthRow(table, 320);

    // A plain table: separators, headers that stick while their names pass, the letter index.
    auto names = std::make_shared<GalleryIndexedListSource>();
    screen.retain(names);
    auto indexed = ui::TableView::create(ui::TableView::Style::Plain);
    indexed->setDataSource(names);
    indexed->setDelegate(names);
    indexed->setBackgroundColor(gfx::Color::systemBackground());
    stack.addFullWidthRow(indexed, 320);

    auto layout = ui::CollectionViewFlowLayout::create();
    layout->setItemSize({64, 64});
    auto collection = ui::CollectionView::create(layout);
    collection->setDataSource(source);
    stack.addFullWidthRow(collection, 230);
}

std::shared_ptr<GalleryScreen> sheet(bool modal) {
    auto page = GalleryScreen::create(modal ? "Modal sheet" : "Sheet", [modal](GalleryScreen& screen,
                                                                               GalleryStackView& stack) {
        stack.addRow(modal ? "Only Close dismisses this sheet" : "Swipe down or press Close", valueLabel(""));
        std::weak_ptr<GalleryScreen> weak =
            std::static_pointer_cast<GalleryScreen>(screen.sharedController());
        stack.addFullWidthRow(actionButton("Close", [weak] {
            if (auto self = weak.lock()) self->dismiss(true);
        }));
    });
    page->setModalInPresentation(modal);
    return page;
}

void buildSheets(GalleryScreen& screen, GalleryStackView& stack) {
    auto result = valueLabel("No alert answered yet");
    std::weak_ptr<GalleryScreen> weak = std::static_pointer_cast<GalleryScreen>(screen.sharedController());
    stack.addFullWidthRow(actionButton("Present a sheet", [weak] {
        if (auto self = weak.lock()) self->present(sheet(false), true);
    }));
    stack.addFullWidthRow(actionButton("Present a modal sheet", [weak] {
        if (auto self = weak.lock()) self->present(sheet(true), true);
    }));
    stack.addFullWidthRow(actionButton("Show an alert", [weak, label = std::weak_ptr(result)] {
        auto self = weak.lock();
        if (!self) return;
        auto alert =
            ui::AlertController::create("Reset settings?", "Every preference goes back to its default.");
        auto answer = [label](const ui::AlertAction& action) {
            if (auto shown = label.lock()) shown->setText("Answered: " + action.title);
        };
        alert->addAction({"Cancel", ui::AlertAction::Style::Cancel, answer});
        alert->addAction({"Reset", ui::AlertAction::Style::Destructive, answer});
        self->present(alert, true);
    }));
    stack.addFullWidthRow(result);
}

void buildColours(GalleryScreen&, GalleryStackView& stack) {
    // Stripes of the system colours with frosted glass over their lower half.
    auto backdrop = ui::View::create();
    const gfx::Color colors[] = {
        gfx::Color::systemRed(),    gfx::Color::systemOrange(), gfx::Color::systemYellow(),
        gfx::Color::systemGreen(),  gfx::Color::systemTeal(),   gfx::Color::systemBlue(),
        gfx::Color::systemIndigo(), gfx::Color::systemPurple(), gfx::Color::systemPink()};
    double x = 0;
    for (const gfx::Color& color : colors) {
        auto stripe = ui::View::create();
        stripe->setBackgroundColor(color);
        stripe->setFrame({x, 0, 40, 260});
        backdrop->addSubview(stripe);
        x += 40;
    }
    backdrop->setClipsToBounds(true);
    for (auto style :
         {ui::BlurEffectStyle::Light, ui::BlurEffectStyle::Dark, ui::BlurEffectStyle::SystemMaterial}) {
        auto glass = ui::VisualEffectView::create(ui::BlurEffect::effectWithStyle(style));
        double index = static_cast<double>(style);
        glass->setFrame({16 + index * 110, 140, 100, 100});
        glass->layer().setCornerRadius(12);
        glass->setClipsToBounds(true);
        backdrop->addSubview(glass);
    }
    stack.addFullWidthRow(backdrop, 260);
}

}  // namespace

std::vector<GalleryPage> galleryPages() {
    return {{"Controls", buildControls},
            {"Text input", buildTextInput},
            {"Lists", buildLists},
            {"Sheets and alerts", buildSheets},
            {"Colours and blur", buildColours},
            {"Colour picker", buildColourPicker},
            {"Font picker", buildFontPicker},
            {"Photo picker", buildPhotoPicker},
            {"Application picker", buildAppPicker},
            {"Avatar picker", buildAvatarPicker},
            {"Emoji picker", buildEmojiPicker},
            {"Contact picker", buildContactPicker},
            {"Marquee labels", buildMarquees}};
}
