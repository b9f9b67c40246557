#include "ui/TableIndexStrip.h"

#include <algorithm>
#include <cmath>

#include "gfx/Painter.h"
#include "gfx/TextLayout.h"
#include "ui/GestureRecognizer.h"
#include "ui/Touch.h"

namespace ui {

std::shared_ptr<TableIndexStrip> TableIndexStrip::create() {
    return std::shared_ptr<TableIndexStrip>(new TableIndexStrip());
}

TableIndexStrip::TableIndexStrip() : font_(gfx::Font::system(kFontSize, gfx::FontWeight::Semibold)) {}

void TableIndexStrip::setTitles(std::vector<std::string> titles) {
    titles_ = std::move(titles);
    picked_ = -1;
}

void TableIndexStrip::setTextColor(std::optional<gfx::Color> color) { textColor_ = std::move(color); }

double TableIndexStrip::lineHeight() const {
    if (titles_.empty()) return 0;
    double available = bounds().height / static_cast<double>(titles_.size());
    return std::max(0.0, std::min(kLineHeight, available));
}

double TableIndexStrip::columnTop() const {
    double column = lineHeight() * static_cast<double>(titles_.size());
    return bounds().y + (bounds().height - column) / 2;
}

int TableIndexStrip::titleIndexAt(double y) const {
    if (titles_.empty()) return -1;
    int last = static_cast<int>(titles_.size()) - 1;
    double line = lineHeight();
    if (line <= 0 || !std::isfinite(y)) return y > bounds().midY() ? last : 0;
    double index = std::floor((y - columnTop()) / line);
    return static_cast<int>(std::clamp(index, 0.0, static_cast<double>(last)));
}

gfx::Rect TableIndexStrip::rectForTitle(int index) const {
    if (index < 0 || index >= static_cast<int>(titles_.size())) return {};
    double line = lineHeight();
    return {bounds().x, columnTop() + line * index, bounds().width, line};
}

void TableIndexStrip::draw(gfx::Painter& painter, const gfx::Rect&) {
    gfx::Color color = textColor_.value_or(tintColor());
    for (int index = 0; index < static_cast<int>(titles_.size()); ++index) {
        gfx::Rect line = rectForTitle(index);
        gfx::TextLayout layout(titles_[static_cast<std::size_t>(index)], font_);
        layout.setWidth(line.width);
        layout.setMaximumLines(1);
        layout.setAlignment(gfx::TextAlignment::Center);
        double height = layout.size().height;
        painter.drawText(layout, {line.x, line.y + (line.height - height) / 2}, color);
    }
}

// The strip keeps its touches: the table's pan must not turn a drag along it into a scroll.
bool TableIndexStrip::gestureRecognizerShouldBegin(GestureRecognizer& recognizer) {
    return recognizer.view().get() == this;
}

void TableIndexStrip::touchesBegan(const Touches& touches) {
    picked_ = -1;
    pickAt(touches);
}

void TableIndexStrip::touchesMoved(const Touches& touches) { pickAt(touches); }

void TableIndexStrip::touchesEnded(const Touches&) { picked_ = -1; }

void TableIndexStrip::touchesCancelled(const Touches&) { picked_ = -1; }

void TableIndexStrip::pickAt(const Touches& touches) {
    if (touches.empty()) return;
    int index = titleIndexAt(touches.front().locationInView(this).y);
    if (index < 0 || index == picked_) return;
    picked_ = index;
    // The callback may drop the table and with it this strip: keep both alive while it runs.
    auto self = shared_from_this();
    auto pick = onPick_;
    if (pick) pick(index);
}

}  // namespace ui
