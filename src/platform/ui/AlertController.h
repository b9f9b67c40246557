#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/AlertAction.h"
#include "ui/ViewController.h"

namespace ui {

class Button;
class Label;

// A small card with a title, a message and buttons, presented centred over a dimmed screen
// (present it like any controller). Tapping a button dismisses the alert and then runs the
// action's handler, once, even if the button is tapped again while the alert fades.
//
// Two actions sit side by side (a cancel action on the left); one, or more than two, are
// stacked, a cancel action last. Buttons take the view's tint colour, destructive ones red,
// cancel ones in bold.
class AlertController : public ViewController {
public:
    static constexpr double kWidth = 270;
    static constexpr double kButtonHeight = 44;

    static std::shared_ptr<AlertController> create(std::string title, std::string message);

    const std::string& message() const { return message_; }
    void addAction(AlertAction action);
    const std::vector<AlertAction>& actions() const { return actions_; }
    // The buttons in the order drawn (empty before the view is loaded).
    const std::vector<std::shared_ptr<Button>>& actionButtons() const { return buttons_; }

    gfx::Size preferredContentSize() const override;

protected:
    AlertController() = default;
    void loadView() override;
    bool presentsCentred() const override { return true; }

private:
    // The actions in drawing order, as indices into actions_.
    std::vector<std::size_t> drawingOrder() const;
    void build();
    double layoutText(double top);
    void actionChosen(std::size_t index);

    std::string message_;
    std::vector<AlertAction> actions_;
    std::shared_ptr<Label> titleLabel_;
    std::shared_ptr<Label> messageLabel_;
    std::vector<std::shared_ptr<Button>> buttons_;
    double height_ = 0;
    bool chosen_ = false;
};

}  // namespace ui
