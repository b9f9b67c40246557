#include "ui/AlertController.h"

#include <limits>

#include "gfx/Font.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/View.h"

namespace ui {

namespace {
constexpr double kTextInset = 16;
constexpr double kTextTop = 20;
constexpr double kMessageGap = 4;
constexpr double kTextBottom = 20;
constexpr double kSeparator = 0.5;
}  // namespace

std::shared_ptr<AlertController> AlertController::create(std::string title, std::string message) {
    auto alert = std::shared_ptr<AlertController>(new AlertController());
    alert->setTitle(std::move(title));
    alert->message_ = std::move(message);
    return alert;
}

void AlertController::addAction(AlertAction action) {
    actions_.push_back(std::move(action));
    if (isViewLoaded()) build();
}

gfx::Size AlertController::preferredContentSize() const { return {kWidth, height_}; }

void AlertController::loadView() {
    setView(View::create());
    build();
}

std::vector<std::size_t> AlertController::drawingOrder() const {
    std::vector<std::size_t> order, cancels;
    for (std::size_t i = 0; i < actions_.size(); ++i) {
        (actions_[i].style == AlertAction::Style::Cancel ? cancels : order).push_back(i);
    }
    // Side by side the cancel button leads; stacked it comes last.
    if (actions_.size() == 2) {
        cancels.insert(cancels.end(), order.begin(), order.end());
        return cancels;
    }
    order.insert(order.end(), cancels.begin(), cancels.end());
    return order;
}

double AlertController::layoutText(double top) {
    const double width = kWidth - 2 * kTextInset;
    const gfx::Size unbounded{width, std::numeric_limits<double>::max()};
    for (const auto& label : {titleLabel_, messageLabel_}) {
        if (label->text().empty()) continue;
        double height = label->sizeThatFits(unbounded).height;
        label->setFrame({kTextInset, top, width, height});
        top += height + kMessageGap;
    }
    return top - kMessageGap + kTextBottom;
}

void AlertController::build() {
    auto root = viewIfLoaded();
    for (const auto& subview : std::vector(root->subviews())) subview->removeFromSuperview();
    buttons_.clear();

    // 1. Title and message, centred, wrapping at the card's width.
    titleLabel_ = Label::create(title());
    titleLabel_->setFont(gfx::Font::system(17, gfx::FontWeight::Semibold));
    messageLabel_ = Label::create(message_);
    messageLabel_->setFont(gfx::Font::system(13));
    for (const auto& label : {titleLabel_, messageLabel_}) {
        label->setNumberOfLines(0);
        label->setTextAlignment(gfx::TextAlignment::Center);
        root->addSubview(label);
    }
    double top = layoutText(kTextTop);

    // 2. Buttons below a hairline: a row for two, a column otherwise.
    auto order = drawingOrder();
    bool sideBySide = order.size() == 2;
    for (std::size_t slot = 0; slot < order.size(); ++slot) {
        const AlertAction& action = actions_[order[slot]];
        auto button = Button::create();
        button->setTitle(action.title);
        if (action.style == AlertAction::Style::Destructive) button->setTitleColor(gfx::Color::systemRed());
        auto weight =
            action.style == AlertAction::Style::Cancel ? gfx::FontWeight::Semibold : gfx::FontWeight::Regular;
        button->setTitleFont(gfx::Font::system(17, weight));
        double y =
            top + kSeparator + (sideBySide ? 0 : static_cast<double>(slot) * (kButtonHeight + kSeparator));
        double width = sideBySide ? (kWidth - kSeparator) / 2 : kWidth;
        double x = sideBySide ? static_cast<double>(slot) * (width + kSeparator) : 0;
        button->setFrame({x, y, width, kButtonHeight});
        std::weak_ptr<AlertController> weak = std::static_pointer_cast<AlertController>(sharedController());
        button->addAction(ControlEventTouchUpInside, [weak, index = order[slot]] {
            if (auto self = weak.lock()) self->actionChosen(index);
        });
        root->addSubview(button);
        buttons_.push_back(button);
    }
    std::size_t rows = order.empty() ? 0 : (sideBySide ? 1 : order.size());
    height_ = top + static_cast<double>(rows) * (kButtonHeight + kSeparator);
    root->setBackgroundColor(gfx::Color::secondarySystemBackground());
}

void AlertController::actionChosen(std::size_t index) {
    if (chosen_ || index >= actions_.size() || !presentingViewController()) return;
    if (isBeingPresented() || isBeingDismissed()) return;
    chosen_ = true;
    auto keep = std::static_pointer_cast<AlertController>(sharedController());
    dismiss(true, [keep, index] {
        keep->chosen_ = false;
        const AlertAction& action = keep->actions_[index];
        if (action.handler) action.handler(action);
    });
}

}  // namespace ui
