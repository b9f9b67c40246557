#pragma once

#include <memory>
#include <string>
#include <vector>

#include "prefslist/cells/VLPrefsSubtitleCardCell.h"
#include "ui/SegmentedControl.h"

// A tall row with a segmented control across the card under a separator. The segments
// persist until the next `setSegments`.
class VLPrefsSegmentCell : public VLPrefsSubtitleCardCell {
public:
    static std::shared_ptr<VLPrefsSegmentCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Default, std::string reuseIdentifier = {});
    const char* className() const override { return "VLPrefsSegmentCell"; }

    const std::shared_ptr<ui::View>& lineView() const { return lineView_; }
    void setLineView(std::shared_ptr<ui::View> view) { lineView_ = std::move(view); }
    const std::shared_ptr<ui::SegmentedControl>& segment() const { return segment_; }
    void setSegment(std::shared_ptr<ui::SegmentedControl> view) { segment_ = std::move(view); }

    // Replaces every segment with one per title, in order, without animation.
    void setSegments(const std::vector<std::string>& titles);

protected:
    using VLPrefsSubtitleCardCell::VLPrefsSubtitleCardCell;

private:
    std::shared_ptr<ui::View> lineView_;
    std::shared_ptr<ui::SegmentedControl> segment_;
};
