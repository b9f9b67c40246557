#pragma once

#include <memory>

#include "ui/CollectionReusableView.h"

namespace ui {

// An item of a collection view: a content view that fills it, and the selected and
// highlighted states the collection view sets from touches.
class CollectionViewCell : public CollectionReusableView {
public:
    static std::shared_ptr<CollectionViewCell> create();
    const char* className() const override { return "CollectionViewCell"; }

    // Fills the cell, below everything else it holds.
    const std::shared_ptr<View>& contentView();
    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected) { selected_ = selected; }
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted) { highlighted_ = highlighted; }

protected:
    CollectionViewCell();

private:
    std::shared_ptr<View> contentView_;
    bool selected_ = false;
    bool highlighted_ = false;
};

}  // namespace ui
