#pragma once

#include <memory>
#include <string>

#include "ui/View.h"

namespace ui {

// A row of a table: a content view that fills it (subclasses and data sources put their views
// there), a reuse identifier, and the selected and highlighted states.
class TableViewCell : public View {
public:
    enum class Style { Default, Value1, Value2, Subtitle };
    enum class SelectionStyle { None, Blue, Gray, Default };

    static std::shared_ptr<TableViewCell> create(Style style, const std::string& reuseIdentifier);
    const char* className() const override { return "TableViewCell"; }

    const std::string& reuseIdentifier() const { return reuseIdentifier_; }
    // Fills the cell, below everything else the cell holds.
    const std::shared_ptr<View>& contentView();
    // Called before the table hands the cell out again; subclasses clear their content.
    virtual void prepareForReuse() {}

    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected, bool animated);
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted, bool animated);
    SelectionStyle selectionStyle() const { return selectionStyle_; }
    void setSelectionStyle(SelectionStyle style) { selectionStyle_ = style; }

protected:
    TableViewCell(Style style, std::string reuseIdentifier);

private:
    Style style_;
    std::string reuseIdentifier_;
    std::shared_ptr<View> contentView_;
    bool selected_ = false;
    bool highlighted_ = false;
    SelectionStyle selectionStyle_ = SelectionStyle::Default;
};

}  // namespace ui
