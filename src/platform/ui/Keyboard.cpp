#include "ui/Keyboard.h"

#include <algorithm>

#include "base/NotificationCenter.h"
#include "gfx/Painter.h"
#include "gfx/TextLayout.h"
#include "ui/KeyInput.h"
#include "ui/KeyboardNotifications.h"
#include "ui/Touch.h"
#include "ui/Window.h"

namespace ui {
namespace {

constexpr double kSideMargin = 3;
constexpr double kKeySpacing = 6;
constexpr double kTopMargin = 8;
constexpr double kRowHeight = 42;
constexpr double kRowSpacing = 12;
const char* const kLetterRows[] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};

gfx::Color panelColor() { return gfx::Color::dynamic({0.82, 0.83, 0.86}, {0.17, 0.17, 0.18}); }
gfx::Color letterKeyColor() { return gfx::Color::dynamic({1, 1, 1}, {0.42, 0.42, 0.44}); }
gfx::Color functionKeyColor() { return gfx::Color::dynamic({0.67, 0.69, 0.73}, {0.27, 0.27, 0.29}); }

}  // namespace

double Keyboard::heightForScreen(gfx::Size screen) {
    return screen.height >= kTallScreenMinimumHeight ? kTallHeight : kShortHeight;
}

gfx::Rect Keyboard::shownFrame(gfx::Size screen) {
    double height = heightForScreen(screen);
    return {0, screen.height - height, screen.width, height};
}

gfx::Rect Keyboard::hiddenFrame(gfx::Size screen) {
    return {0, screen.height, screen.width, heightForScreen(screen)};
}

std::shared_ptr<Keyboard> Keyboard::of(const Window& window) {
    for (const auto& overlay : window.overlays()) {
        if (auto keyboard = std::dynamic_pointer_cast<Keyboard>(overlay)) return keyboard;
    }
    return nullptr;
}

void Keyboard::show(Window& window) {
    auto keyboard = of(window);
    if (!keyboard) {
        keyboard.reset(new Keyboard());
        keyboard->setFrame(hiddenFrame(window.screenSize()));
        window.pushOverlay(keyboard);
    }
    if (keyboard->shown_) return;
    keyboard->shown_ = true;
    keyboard->slide(shownFrame(window.screenSize()), kKeyboardWillShowNotification,
                    kKeyboardDidShowNotification);
}

void Keyboard::hide(Window& window) {
    auto keyboard = of(window);
    if (!keyboard || !keyboard->shown_) return;
    keyboard->shown_ = false;
    keyboard->slide(hiddenFrame(window.screenSize()), kKeyboardWillHideNotification,
                    kKeyboardDidHideNotification);
}

void Keyboard::hideUnlessTyping(Window& window, const Responder& leaving) {
    auto next = window.firstResponder();
    if (next && next.get() != &leaving && dynamic_cast<KeyInput*>(next.get())) return;
    hide(window);
}

void Keyboard::slide(const gfx::Rect& to, const char* willName, const char* didName) {
    base::Value::Dictionary info{{kKeyboardFrameBeginUserInfoKey, keyboardFrameValue(frame())},
                                 {kKeyboardFrameEndUserInfoKey, keyboardFrameValue(to)},
                                 {kKeyboardAnimationDurationUserInfoKey, kKeyboardAnimationDuration}};
    base::NotificationCenter::defaultCenter().post(willName, nullptr, info);

    std::weak_ptr<View> weak = weak_from_this();
    const bool showing = shown_;
    View::animate(
        kKeyboardAnimationDuration, 0, AnimationOptionCurveEaseInOut, [&] { setFrame(to); },
        [weak, showing, didName, info](bool finished) {
            auto keyboard = std::static_pointer_cast<Keyboard>(weak.lock());
            // A slide the other way replaced this one: that slide reports instead.
            if (!finished || !keyboard || keyboard->shown_ != showing) return;
            if (!showing) keyboard->removeFromSuperview();
            base::NotificationCenter::defaultCenter().post(didName, nullptr, info);
        });
}

std::vector<Keyboard::Key> Keyboard::keys() const {
    std::vector<Key> keys;
    const double width = bounds().width;
    const double keyWidth = std::max(0.0, (width - 2 * kSideMargin - 9 * kKeySpacing) / 10);
    auto rowTop = [](int row) { return kTopMargin + row * (kRowHeight + kRowSpacing); };
    // Pass 1: the letter rows, each centred.
    for (int row = 0; row < 3; ++row) {
        const std::string letters = kLetterRows[row];
        double rowWidth = double(letters.size()) * keyWidth + double(letters.size() - 1) * kKeySpacing;
        double x = (width - rowWidth) / 2;
        for (char letter : letters) {
            keys.push_back(
                {KeyKind::Character, std::string(1, letter), {x, rowTop(row), keyWidth, kRowHeight}});
            x += keyWidth + kKeySpacing;
        }
    }
    // Pass 2: delete at the trailing end of the last letter row.
    double deleteWidth = keyWidth * 1.3;
    keys.push_back(
        {KeyKind::Delete, "⌫", {width - kSideMargin - deleteWidth, rowTop(2), deleteWidth, kRowHeight}});
    // Pass 3: space and return share the bottom row.
    double returnWidth = keyWidth * 2.5;
    double spaceWidth = width - 2 * kSideMargin - returnWidth - kKeySpacing;
    keys.push_back({KeyKind::Space, "space", {kSideMargin, rowTop(3), spaceWidth, kRowHeight}});
    keys.push_back(
        {KeyKind::Return, "return", {width - kSideMargin - returnWidth, rowTop(3), returnWidth, kRowHeight}});
    return keys;
}

void Keyboard::draw(gfx::Painter& painter, const gfx::Rect& rect) {
    painter.fillRect(rect, panelColor());
    const auto allKeys = keys();
    for (std::size_t i = 0; i < allKeys.size(); ++i) {
        const Key& key = allKeys[i];
        bool letter = key.kind == KeyKind::Character || key.kind == KeyKind::Space;
        gfx::Color fill = letter ? letterKeyColor() : functionKeyColor();
        if (int(i) == pressedKey_) fill = functionKeyColor();
        painter.fillRoundedRect(key.rect, gfx::CornerStyle::circular(5), fill);
        gfx::TextLayout label(key.text, gfx::Font::system(key.kind == KeyKind::Character ? 22 : 16));
        gfx::Size size = label.size();
        painter.drawText(label, {key.rect.midX() - size.width / 2, key.rect.midY() - size.height / 2},
                         gfx::Color::label());
    }
}

const Keyboard::Key* Keyboard::keyAt(gfx::Point point, const std::vector<Key>& keys) const {
    // The gaps between keys belong to the nearest key, so a slightly missed tap still types.
    const Key* nearest = nullptr;
    double best = kKeySpacing * kKeySpacing;
    for (const Key& key : keys) {
        double dx = std::max({key.rect.minX() - point.x, 0.0, point.x - key.rect.maxX()});
        double dy = std::max({key.rect.minY() - point.y, 0.0, point.y - key.rect.maxY()});
        double distance = dx * dx + dy * dy;
        if (distance < best) {
            best = distance;
            nearest = &key;
        }
    }
    return nearest;
}

void Keyboard::touchesBegan(const Touches& touches) {
    const auto allKeys = keys();
    const Key* key = keyAt(touches.front().locationInView(this), allKeys);
    pressedKey_ = key ? int(key - allKeys.data()) : -1;
}

void Keyboard::touchesEnded(const Touches& touches) {
    const auto allKeys = keys();
    const Key* key = keyAt(touches.front().locationInView(this), allKeys);
    int index = key ? int(key - allKeys.data()) : -1;
    bool typed = index >= 0 && index == pressedKey_;
    pressedKey_ = -1;
    if (typed) type(*key);
}

void Keyboard::touchesCancelled(const Touches&) { pressedKey_ = -1; }

void Keyboard::type(const Key& key) {
    auto window = this->window();
    auto responder = window ? window->firstResponder() : nullptr;
    auto* input = dynamic_cast<KeyInput*>(responder.get());
    if (!input) return;
    switch (key.kind) {
        case KeyKind::Character:
            input->insertText(key.text);
            break;
        case KeyKind::Delete:
            input->deleteBackward();
            break;
        case KeyKind::Space:
            input->insertText(" ");
            break;
        case KeyKind::Return:
            input->insertText("\n");
            break;
    }
}

}  // namespace ui
