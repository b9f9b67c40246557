#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/Color.h"
#include "pickers/singleselection/VLPrefsSingleSelectionDelegate.h"
#include "ui/TableView.h"
#include "ui/ViewController.h"
#include "uikit/VLHeaderView.h"

// A sheet that lists option titles and lets the user choose exactly one of them for an
// integer preference; the stored value is the zero-based index of the chosen title.
//
// The marked row starts at the stored index (the default index when nothing, or 0, is
// stored). A tap on any row, the marked one included, marks it and counts as a change: the
// confirm button appears and the sheet can no longer be swiped away. Confirming stores the
// index under `key` in the `bundleID` preference file, begins the dismissal and then tells the
// delegate; cancelling, or swiping the sheet away before any change, stores nothing and tells
// nobody. A stored index outside the options marks no row and stays until the user picks one.
class VLPrefsSingleSelectionViewController : public ui::ViewController,
                                             public ui::TableViewDataSource,
                                             public ui::TableViewDelegate {
public:
    static constexpr double kHeaderHeight = 65;
    static constexpr double kRowHeight = 65;
    // The rows start this far below the top, clear of the header.
    static constexpr double kTableTopInset = 85;
    static constexpr const char* kCellIdentifier = "Cell";

    static std::shared_ptr<VLPrefsSingleSelectionViewController> create(std::string key, std::string bundleID,
                                                                        std::vector<std::string> listArray,
                                                                        std::int64_t defaultValue,
                                                                        std::string navTitle);

    const std::string& key() const { return key_; }
    const std::string& bundleID() const { return bundleID_; }
    const std::vector<std::string>& listArray() const { return listArray_; }
    std::int64_t selectedIndex() const { return selectedIndex_; }
    const std::string& headerTitle() const { return headerTitle_; }
    bool didMakeChanges() const { return didMakeChanges_; }
    const gfx::Color& accentColour() const { return accentColour_; }
    std::shared_ptr<VLPrefsSingleSelectionDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<VLPrefsSingleSelectionDelegate>& delegate) { delegate_ = delegate; }
    // Null until the view is loaded.
    const std::shared_ptr<VLHeaderView>& headerView() const { return headerView_; }
    const std::shared_ptr<ui::TableView>& tableView() const { return tableView_; }

    // The header's buttons: cancel, and store and report.
    void dismissVC();
    void applyChanges();
    // Shows the confirm button and makes the sheet modal once the user has made a change.
    void checkIfDidMakeChanges();
    void layoutHeaderView();
    void layoutTableView();

    // Table.
    int numberOfRowsInSection(ui::TableView&, int section) override;
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView& table,
                                                             ui::IndexPath indexPath) override;
    void didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;

protected:
    VLPrefsSingleSelectionViewController(std::string key, std::string bundleID,
                                         std::vector<std::string> listArray, std::string navTitle);
    void viewDidLoad() override;

private:
    bool isValidRow(std::int64_t row) const;

    std::string key_;
    std::string bundleID_;
    std::vector<std::string> listArray_;
    std::int64_t selectedIndex_ = 0;
    std::string headerTitle_;
    bool didMakeChanges_ = false;
    gfx::Color accentColour_;
    std::weak_ptr<VLPrefsSingleSelectionDelegate> delegate_;
    std::shared_ptr<VLHeaderView> headerView_;
    std::shared_ptr<ui::TableView> tableView_;
};
