#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/FontDescriptor.h"
#include "ui/FontPickerViewControllerConfiguration.h"
#include "ui/TableViewDataSource.h"
#include "ui/TableViewDelegate.h"
#include "ui/ViewController.h"

namespace ui {

class Button;
class FontPickerViewControllerDelegate;
class Label;
class TableView;

// A sheet listing the installed font families (with their faces when the configuration asks),
// each name drawn in its own font unless the configuration says otherwise. A tap on a row
// sets `selectedFontDescriptor()` and tells the delegate; the delegate dismisses the picker.
// Cancel, or swiping the sheet away without a pick, tells the delegate it was cancelled.
class FontPickerViewController : public ViewController, public TableViewDataSource, public TableViewDelegate {
public:
    static constexpr double kRowHeight = 44;
    static constexpr double kFaceIndent = 32;
    static constexpr const char* kCellIdentifier = "FontPickerCell";

    // One listed row: a family, or one face of it.
    struct Row {
        std::string family;
        std::string face;  // empty for the family row
    };

    static std::shared_ptr<FontPickerViewController> create(
        FontPickerViewControllerConfiguration configuration = {});

    const FontPickerViewControllerConfiguration& configuration() const { return configuration_; }
    const std::optional<gfx::FontDescriptor>& selectedFontDescriptor() const { return selected_; }

    std::shared_ptr<FontPickerViewControllerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<FontPickerViewControllerDelegate>& delegate) {
        delegate_ = delegate;
    }

    const std::vector<Row>& rows() const { return rows_; }
    const std::shared_ptr<TableView>& tableView() const { return table_; }
    const std::shared_ptr<Button>& cancelButton() const { return cancelButton_; }

    int numberOfRowsInSection(TableView&, int section) override;
    std::shared_ptr<TableViewCell> cellForRowAtIndexPath(TableView& table, IndexPath indexPath) override;
    void didSelectRowAtIndexPath(TableView& table, IndexPath indexPath) override;

protected:
    explicit FontPickerViewController(FontPickerViewControllerConfiguration configuration)
        : configuration_(configuration) {}
    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;

private:
    void listFonts();
    gfx::Font fontForRow(const Row& row) const;

    FontPickerViewControllerConfiguration configuration_;
    std::weak_ptr<FontPickerViewControllerDelegate> delegate_;
    std::optional<gfx::FontDescriptor> selected_;
    std::vector<Row> rows_;
    bool picked_ = false;
    std::shared_ptr<Label> titleLabel_;
    std::shared_ptr<Button> cancelButton_;
    std::shared_ptr<TableView> table_;
};

}  // namespace ui
