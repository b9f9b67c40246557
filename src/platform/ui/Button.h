#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/Font.h"
#include "gfx/Image.h"
#include "gfx/TextLayout.h"
#include "ui/Control.h"
#include "ui/EdgeInsets.h"
#include "ui/Menu.h"

namespace ui {

// A control showing a title and an image, each chosen by the control's state. A state
// without its own title, title colour or image uses the normal state's. The content (image,
// then title) is drawn centred in the bounds; template images, and titles without a colour of
// their own, take the tint colour. The intrinsic size is the content's plus the insets.
class Button : public Control {
public:
    static std::shared_ptr<Button> create();
    const char* className() const override { return "Button"; }

    void setTitle(std::optional<std::string> title, unsigned state = ControlStateNormal);
    std::optional<std::string> title(unsigned state) const;
    void setTitleColor(std::optional<gfx::Color> color, unsigned state = ControlStateNormal);
    gfx::Color titleColor(unsigned state) const;
    // An image, or a null image to clear it; `name` is what tree dumps show.
    void setImage(gfx::Image image, unsigned state = ControlStateNormal, std::string name = {});
    // A system symbol by name, drawn in the tint colour.
    void setSymbolImage(const std::string& symbolName, unsigned state = ControlStateNormal);
    gfx::Image image(unsigned state) const;
    std::string imageName(unsigned state) const;

    // The states given a title, title colour or image of their own, in ascending order.
    std::vector<unsigned> configuredStates() const;

    std::optional<std::string> currentTitle() const { return title(state()); }
    gfx::Image currentImage() const { return image(state()); }

    const gfx::Font& titleFont() const { return font_; }
    void setTitleFont(gfx::Font font);
    const EdgeInsets& contentEdgeInsets() const { return insets_; }
    void setContentEdgeInsets(const EdgeInsets& insets);

    // A menu the button offers; with `showsMenuAsPrimaryAction` a tap opens it as a popover
    // card anchored to the button instead of only sending the button's actions.
    const std::optional<Menu>& menu() const { return menu_; }
    void setMenu(std::optional<Menu> menu) { menu_ = std::move(menu); }
    bool showsMenuAsPrimaryAction() const { return showsMenuAsPrimaryAction_; }
    void setShowsMenuAsPrimaryAction(bool shows) { showsMenuAsPrimaryAction_ = shows; }
    void touchesEnded(const Touches& touches) override;

    gfx::Size intrinsicContentSize() const override;
    gfx::Size sizeThatFits(gfx::Size size) const override;
    void draw(gfx::Painter& painter, const gfx::Rect& rect) override;
    bool hasContent() const override;

protected:
    Button();
    void stateDidChange() override;

private:
    struct StateImage {
        gfx::Image image;
        std::string name;
    };
    template <typename T>
    static const T* forState(const std::map<unsigned, T>& table, unsigned state);
    gfx::Size contentSize() const;
    gfx::Size titleSize() const;
    void contentChanged();

    std::map<unsigned, std::optional<std::string>> titles_;
    std::map<unsigned, gfx::Color> titleColors_;
    std::map<unsigned, StateImage> images_;
    gfx::Font font_ = gfx::Font::system(17);
    EdgeInsets insets_;
    gfx::TextLayout titleLayout_{"", font_};
    std::optional<Menu> menu_;
    bool showsMenuAsPrimaryAction_ = false;
};

}  // namespace ui
