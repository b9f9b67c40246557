#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "ui/TableViewCell.h"

// The row types of a preference document, one entry each: the "CellType" that names it, the
// reuse identifier of its cells, how to make one, the symbol shown when the row names none
// and its height. A document's "CellType" is tested against the entries in order; the
// first match wins. Anything else is the plain row.
struct VLPrefsRowType {
    enum class Kind {
        ColourPicker,
        Switch,
        TintedButton,
        FontPicker,
        TextField,
        Hyperlink,
        AppLink,
        Button,
        ImagePicker,
        AvatarPicker,
        Slider,
        Segment,
        Stepper,
        DatePicker,
        AppList,
        SingleSelection,
        Plain,
    };
    using CellFactory = std::shared_ptr<ui::TableViewCell> (*)(std::string reuseIdentifier);

    Kind kind;
    std::string_view cellType;
    std::string_view reuseIdentifier;
    CellFactory makeCell;
    // Empty: the cell has no icon.
    std::string_view defaultSymbol;
    double height;

    static constexpr std::string_view kSectionHeader = "VLPrefsSectionHeaderCell";
    static constexpr double kRowHeight = 75;
    // Rows with a control under a separator line.
    static constexpr double kTallRowHeight = 115;

    // The sixteen types, in matching order.
    static std::span<const VLPrefsRowType> all();
    // The type of a "CellType" value; the plain row for anything unknown.
    static const VLPrefsRowType& forCellType(std::string_view cellType);
    static const VLPrefsRowType& plain();
};
