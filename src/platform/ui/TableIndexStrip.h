#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/Font.h"
#include "ui/View.h"

namespace ui {

// The column of section index titles a table floats along its trailing edge.
//
// The titles are drawn one under the other in small semibold type, the column centred
// vertically in the strip. A finger that comes down on the strip, or drags along it, picks the
// title level with it (above the column the first, below it the last) and `onPick` hears its
// index once each time the picked title changes; lifting the finger ends the pick. The strip
// keeps its touches: an enclosing pan or tap never takes them over, so dragging along the
// strip does not scroll the table underneath.
class TableIndexStrip : public View {
public:
    static constexpr double kWidth = 16;
    static constexpr double kFontSize = 11;
    static constexpr double kLineHeight = 14;

    static std::shared_ptr<TableIndexStrip> create();
    const char* className() const override { return "TableIndexStrip"; }

    const std::vector<std::string>& titles() const { return titles_; }
    void setTitles(std::vector<std::string> titles);
    // Empty: the tint colour.
    const std::optional<gfx::Color>& textColor() const { return textColor_; }
    void setTextColor(std::optional<gfx::Color> color);
    // Called with the index of the title the finger moved onto.
    void setOnPick(std::function<void(int)> onPick) { onPick_ = std::move(onPick); }

    // The height given to one title: the natural line height, squeezed when the strip is too
    // short for all of them.
    double lineHeight() const;
    // The index of the title level with `y` (the strip's coordinates); -1 without titles.
    int titleIndexAt(double y) const;
    // Where a title is drawn, in the strip's coordinates.
    gfx::Rect rectForTitle(int index) const;

    void draw(gfx::Painter& painter, const gfx::Rect& rect) override;
    bool hasContent() const override { return !titles_.empty(); }
    bool gestureRecognizerShouldBegin(GestureRecognizer& recognizer) override;

protected:
    TableIndexStrip();
    void touchesBegan(const Touches& touches) override;
    void touchesMoved(const Touches& touches) override;
    void touchesEnded(const Touches& touches) override;
    void touchesCancelled(const Touches& touches) override;

private:
    void pickAt(const Touches& touches);
    double columnTop() const;

    std::vector<std::string> titles_;
    std::optional<gfx::Color> textColor_;
    std::function<void(int)> onPick_;
    gfx::Font font_;
    int picked_ = -1;  // the title under the finger while a touch lasts
};

}  // namespace ui
