#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/View.h"

namespace ui {

class Window;

// The on-screen keyboard: a drawn key panel at the bottom of the window, in the window's
// overlay stack. Text inputs call `show` as they become first responder and `hide` as they
// resign; the keyboard slides in or out over kKeyboardAnimationDuration and posts the
// keyboard notifications (ui/KeyboardNotifications.h) with its begin and end frames.
//
// Its height follows the screen: 336 points on screens at least 812 points high (the
// home-indicator strip below the keys included; 336 on a 390 x 844 screen), 291 on shorter
// ones. The panel has one lower-case layout (three letter rows, then space and return, with
// delete after the last letter row); a tap on a key types into the window's first responder
// when that is a KeyInput.
//
// Moving focus from one input to another hides and shows again at once: observers hear
// will-hide then will-show, and the second slide replaces the first.
class Keyboard : public View {
public:
    static constexpr double kTallHeight = 336;
    static constexpr double kShortHeight = 291;
    static constexpr double kTallScreenMinimumHeight = 812;

    enum class KeyKind { Character, Delete, Space, Return };
    struct Key {
        KeyKind kind = KeyKind::Character;
        std::string text;  // what a character key types; the label of the others
        gfx::Rect rect;    // in the keyboard's bounds
    };

    static double heightForScreen(gfx::Size screen);
    // Where the keyboard stands when shown, and when hidden (just below the screen).
    static gfx::Rect shownFrame(gfx::Size screen);
    static gfx::Rect hiddenFrame(gfx::Size screen);

    // The window's keyboard while it is shown or sliding out; null otherwise.
    static std::shared_ptr<Keyboard> of(const Window& window);
    // Slides the keyboard in (adding it to the overlays) unless it is already shown.
    static void show(Window& window);
    // Slides it out and takes it out of the window once it is off screen.
    static void hide(Window& window);
    // What an input that stops editing calls: hides the keyboard unless another text input
    // (not `leaving`) has already become the window's first responder.
    static void hideUnlessTyping(Window& window, const Responder& leaving);

    const char* className() const override { return "Keyboard"; }
    bool isShown() const { return shown_; }
    std::vector<Key> keys() const;

    bool hasContent() const override { return true; }
    void draw(gfx::Painter& painter, const gfx::Rect& rect) override;
    void touchesBegan(const Touches& touches) override;
    void touchesEnded(const Touches& touches) override;
    void touchesCancelled(const Touches& touches) override;

private:
    Keyboard() = default;
    void slide(const gfx::Rect& to, const char* willName, const char* didName);
    const Key* keyAt(gfx::Point point, const std::vector<Key>& keys) const;
    void type(const Key& key);

    bool shown_ = false;
    int pressedKey_ = -1;
};

}  // namespace ui
