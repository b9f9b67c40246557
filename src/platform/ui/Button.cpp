#include "ui/Button.h"

#include <algorithm>
#include <cmath>

#include "gfx/Painter.h"
#include "gfx/SymbolImage.h"
#include "gfx/TextLayout.h"
#include "ui/MenuPopover.h"
#include "ui/Touch.h"

namespace ui {

std::shared_ptr<Button> Button::create() { return std::shared_ptr<Button>(new Button()); }

Button::Button() {
    setContentHuggingPriority(LayoutPriority::kDefaultLow + 1, LayoutAxis::Horizontal);
    setContentHuggingPriority(LayoutPriority::kDefaultLow + 1, LayoutAxis::Vertical);
}

template <typename T>
const T* Button::forState(const std::map<unsigned, T>& table, unsigned state) {
    if (auto found = table.find(state); found != table.end()) return &found->second;
    if (auto normal = table.find(ControlStateNormal); normal != table.end()) return &normal->second;
    return nullptr;
}

void Button::setTitle(std::optional<std::string> title, unsigned state) {
    if (title || state == ControlStateNormal) {
        titles_[state] = std::move(title);
    } else {
        titles_.erase(state);
    }
    contentChanged();
}

std::optional<std::string> Button::title(unsigned state) const {
    const auto* title = forState(titles_, state);
    return title ? *title : std::nullopt;
}

void Button::setTitleColor(std::optional<gfx::Color> color, unsigned state) {
    if (color) {
        titleColors_[state] = *color;
    } else {
        titleColors_.erase(state);
    }
}

gfx::Color Button::titleColor(unsigned state) const {
    const auto* color = forState(titleColors_, state);
    return color ? *color : tintColor();
}

void Button::setImage(gfx::Image image, unsigned state, std::string name) {
    if (image.isNull()) {
        images_.erase(state);
    } else {
        images_[state] = {std::move(image), std::move(name)};
    }
    contentChanged();
}

void Button::setSymbolImage(const std::string& symbolName, unsigned state) {
    setImage(gfx::SymbolImage::named(symbolName).withTemplate(true), state, symbolName);
}

gfx::Image Button::image(unsigned state) const {
    const auto* image = forState(images_, state);
    return image ? image->image : gfx::Image();
}

std::string Button::imageName(unsigned state) const {
    const auto* image = forState(images_, state);
    return image ? image->name : std::string();
}

std::vector<unsigned> Button::configuredStates() const {
    std::vector<unsigned> states;
    for (const auto& [state, title] : titles_) states.push_back(state);
    for (const auto& [state, color] : titleColors_) states.push_back(state);
    for (const auto& [state, image] : images_) states.push_back(state);
    std::sort(states.begin(), states.end());
    states.erase(std::unique(states.begin(), states.end()), states.end());
    return states;
}

void Button::setTitleFont(gfx::Font font) {
    font_ = std::move(font);
    contentChanged();
}

void Button::setContentEdgeInsets(const EdgeInsets& insets) {
    insets_ = insets;
    contentChanged();
}

void Button::contentChanged() { invalidateIntrinsicContentSize(); }

void Button::stateDidChange() {
    // Another state may show other content.
    contentChanged();
}

gfx::Size Button::titleSize() const {
    auto title = currentTitle();
    if (!title || title->empty()) return {0, 0};
    gfx::Size size = gfx::TextLayout::measure(*title, font_, std::nullopt, 1);
    return {std::ceil(size.width), std::ceil(size.height)};
}

gfx::Size Button::contentSize() const {
    gfx::Size title = titleSize();
    gfx::Image image = currentImage();
    gfx::Size imageSize = image.isNull() ? gfx::Size{0, 0} : image.size();
    return {title.width + imageSize.width, std::max(title.height, imageSize.height)};
}

gfx::Size Button::intrinsicContentSize() const {
    gfx::Size content = contentSize();
    return {content.width + insets_.left + insets_.right, content.height + insets_.top + insets_.bottom};
}

gfx::Size Button::sizeThatFits(gfx::Size) const { return intrinsicContentSize(); }

bool Button::hasContent() const {
    auto title = currentTitle();
    return (title && !title->empty()) || !currentImage().isNull();
}

void Button::draw(gfx::Painter& painter, const gfx::Rect& rect) {
    gfx::Rect inner{rect.x + insets_.left, rect.y + insets_.top, rect.width - insets_.left - insets_.right,
                    rect.height - insets_.top - insets_.bottom};
    gfx::Size content = contentSize();
    double x = inner.x + (inner.width - content.width) / 2;
    double middleY = inner.y + inner.height / 2;

    gfx::Image image = currentImage();
    if (!image.isNull()) {
        gfx::Size size = image.size();
        std::optional<gfx::Color> tint;
        if (image.isTemplate()) tint = tintColor();
        painter.drawImage(image, {x, middleY - size.height / 2, size.width, size.height},
                          gfx::ContentMode::ScaleToFill, tint);
        x += size.width;
    }
    auto title = currentTitle();
    if (title && !title->empty()) {
        // Shaped again only when the title or font changed since the last drawing.
        titleLayout_.setText(*title);
        titleLayout_.setFont(font_);
        titleLayout_.setMaximumLines(1);
        double height = titleLayout_.size().height;
        painter.drawText(titleLayout_, {x, middleY - height / 2}, titleColor(state()));
    }
}

}  // namespace ui

namespace ui {

void Button::touchesEnded(const Touches& touches) {
    bool opensMenu = isTracking() && menu_ && showsMenuAsPrimaryAction_ && !touches.empty() &&
                     pointInside(touches.front().locationInView(this));
    Control::touchesEnded(touches);
    if (opensMenu) MenuPopover::show(*menu_, *this);
}

}  // namespace ui
