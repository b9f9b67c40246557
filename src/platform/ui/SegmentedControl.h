#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/Color.h"
#include "ui/Control.h"
#include "ui/SegmentedControlAppearance.h"
#include "ui/TextAttributes.h"

namespace ui {

// A row of equally wide titled segments, at most one of them selected (drawn on a raised
// plate in `selectedSegmentTintColor`). A tap on a segment selects it and sends value
// changed when the selection moved; setting the selection never sends. Segments run from the
// leading side, so they mirror in right-to-left windows.
//
// Title attributes are looked up per attribute, first match wins: this control's for the
// segment's state, the appearance's for that state, this control's for the normal state, the
// appearance's for the normal state, then the default (13-point label-coloured text, semibold
// when selected).
class SegmentedControl : public Control {
public:
    static constexpr int kNoSegment = -1;
    static constexpr double kHeight = 32;

    static std::shared_ptr<SegmentedControl> create();
    const char* className() const override { return "SegmentedControl"; }

    // The process-wide defaults for controls without a setting of their own.
    static SegmentedControlAppearance& appearance();

    int numberOfSegments() const { return static_cast<int>(titles_.size()); }
    void removeAllSegments();
    // Inserts at `index` clamped to [0, numberOfSegments()]; the selected segment stays
    // selected. `animated` is accepted for the platform's signature; the change is immediate.
    void insertSegmentWithTitle(const std::string& title, int index, bool animated = false);
    // The title, or nothing for an index out of range.
    std::optional<std::string> titleForSegmentAtIndex(int index) const;

    int selectedSegmentIndex() const { return selected_; }
    // An index out of range selects nothing (kNoSegment).
    void setSelectedSegmentIndex(int index);

    gfx::Color selectedSegmentTintColor() const;
    void setSelectedSegmentTintColor(std::optional<gfx::Color> color) { selectedTint_ = std::move(color); }

    // Sets (or, with nothing, removes) this control's own title attributes for a state.
    void setTitleTextAttributes(std::optional<TextAttributes> attributes, unsigned state);
    std::optional<TextAttributes> titleTextAttributes(unsigned state) const;
    // The attributes a title in `state` is drawn with, every field filled.
    TextAttributes effectiveTitleTextAttributes(unsigned state) const;

    // The segment under `point` in bounds coordinates, or kNoSegment.
    int segmentAtPoint(gfx::Point point) const;
    gfx::Rect segmentRect(int index) const;

    gfx::Size intrinsicContentSize() const override;
    gfx::Size sizeThatFits(gfx::Size size) const override;
    bool hasContent() const override { return true; }
    void draw(gfx::Painter& painter, const gfx::Rect& rect) override;

    void touchesBegan(const Touches& touches) override;
    void touchesEnded(const Touches& touches) override;
    void touchesCancelled(const Touches& touches) override;

protected:
    SegmentedControl();

private:
    int visualPosition(int index) const;
    unsigned segmentState(int index) const;
    void drawTitle(gfx::Painter& painter, int index);

    std::vector<std::string> titles_;
    int selected_ = kNoSegment;
    int pressed_ = kNoSegment;
    std::optional<gfx::Color> selectedTint_;
    std::map<unsigned, TextAttributes> titleAttributes_;
};

}  // namespace ui
