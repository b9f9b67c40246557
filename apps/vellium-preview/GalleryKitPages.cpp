#include "GalleryKitPages.h"

#include "GalleryScreen.h"
#include "GalleryStackView.h"
#include "pickers/contacts/VLContactPickerViewController.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "uikit/VLMarqueeLabel.h"

namespace {

constexpr double kMarqueeHeight = 24;

// Writes the picked contact into the page's label, which it holds weakly (the page owns it).
class ContactResult : public VLContactPickerDelegate {
public:
    explicit ContactResult(std::shared_ptr<ui::Label> label) : label_(label) {}
    void didPickAContact(const VLContact& contact) override {
        if (auto label = label_.lock()) {
            label->setText(contact.fullName + "\n" + contact.phoneNumber.value_or("no number") + "\n" +
                           contact.emailAddress.value_or("no e-mail"));
        }
    }
    void didCancelPickAContact() override {
        if (auto label = label_.lock()) label->setText("Cancelled");
    }

private:
    std::weak_ptr<ui::Label> label_;
};

}  // namespace

void buildContactPicker(GalleryScreen& screen, GalleryStackView& stack) {
    auto picked = ui::Label::create("None");
    picked->setNumberOfLines(0);
    picked->setTextColor(gfx::Color::secondaryLabel());
    auto result = std::make_shared<ContactResult>(picked);
    screen.retain(result);
    auto button = ui::Button::create();
    button->setTitle("Choose a contact");
    button->setTitleColor(gfx::Color::systemBlue());
    std::weak_ptr<ui::ViewController> weak = screen.sharedController();
    button->addAction(ui::ControlEventTouchUpInside, [weak, result] {
        auto self = weak.lock();
        if (!self) return;
        auto picker = VLContactPickerViewController::create("Contacts", gfx::Color::systemIndigo());
        picker->setDelegate(result);
        self->present(picker, true);
    });
    stack.addFullWidthRow(button);
    stack.addFullWidthRow(picked, 70);
}

void buildMarquees(GalleryScreen&, GalleryStackView& stack) {
    struct Sample {
        const char* caption;
        const char* text;
        float speed;
        std::int64_t direction;
    } samples[] = {
        {"Fits", "Short text", 30, 1},
        {"Speed 30", "Now playing: a song title far too long for the space it has been given", 30, 1},
        {"Speed 60", "Breaking: marquee labels scroll at constant speed whatever their length", 60, 1},
        {"Rightwards", "This one moves towards the right and fades no edge while it rests", 30, 0},
    };
    for (const auto& sample : samples) {
        auto marquee = VLMarqueeLabel::create({0, 0, 200, kMarqueeHeight});
        marquee->setText(sample.text);
        marquee->setScrollSpeed(sample.speed);
        marquee->setScrollDirection(sample.direction);
        marquee->observeApplicationNotifications();
        stack.addRow(sample.caption, marquee);
    }
}
