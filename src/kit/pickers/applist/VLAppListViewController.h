#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/NotificationCenter.h"
#include "base/Value.h"
#include "gfx/Color.h"
#include "pickers/applist/VLAppListPickerProtocol.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Menu.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "ui/ViewController.h"
#include "uikit/VLDynamicBlurView.h"
#include "uikit/VLHeaderView.h"

// A sheet that lists installed applications (records with "bundleID" and "name") and lets
// the user choose a set of them for one preference; the stored value is the array of chosen
// bundle identifiers in the order they were chosen.
//
// The opener sets `appsArray` and the delegate before presenting. A tap on a row toggles it;
// with a limit, a tap that would pass it leaves the selection alone and shows an alert. A
// floating tool bar holds a search field (matching names only, ignoring case) and a menu to
// select every listed application or none; it rises above the keyboard while one is shown.
// Any tap on a row or menu item counts as a change: the confirm button appears and the sheet
// can no longer be swiped away. Confirming stores the selection under `key` in the
// `bundleID` preference file, begins the dismissal and then tells the delegate. Stored
// identifiers of applications that are not listed stay selected until "Select All" or
// "Deselect All" replaces the selection.
class VLAppListViewController : public ui::ViewController,
                                public ui::TableViewDataSource,
                                public ui::TableViewDelegate,
                                public ui::TextFieldDelegate {
public:
    static constexpr double kHeaderHeight = 65;
    static constexpr double kRowHeight = 70;
    static constexpr double kTableInset = 85;
    static constexpr double kToolWidth = 300;
    static constexpr double kToolHeight = 55;
    // The resting tool bar's top is this far above the bottom of the view.
    static constexpr double kToolBottomOffset = 75;
    // With the keyboard up, the tool bar's top is this far above the keyboard.
    static constexpr double kToolKeyboardOffset = 65;
    static constexpr double kRoundButtonSide = 35;
    static constexpr double kKeyboardSlideSeconds = 0.3;
    static constexpr double kButtonFadeSeconds = 0.2;
    static constexpr double kToolBuildDelaySeconds = 0.3;
    static constexpr const char* kCellIdentifier = "Cell";

    static std::shared_ptr<VLAppListViewController> initWithKey(std::string key, std::string bundleID,
                                                                bool isLimit, std::int64_t limitApps);
    ~VLAppListViewController() override;

    const std::string& key() const { return key_; }
    const std::string& bundleID() const { return bundleID_; }
    bool isLimitApps() const { return isLimitApps_; }
    std::int64_t numberOfLimitApps() const { return numberOfLimitApps_; }
    // The rows shown: the whole list, or the search result.
    const base::Value::Array& appsArray() const { return appsArray_; }
    void setAppsArray(base::Value::Array apps) { appsArray_ = std::move(apps); }
    // The whole list, fixed when the view loads.
    const base::Value::Array& searchArray() const { return searchArray_; }
    const std::vector<std::string>& selectedAppsArray() const { return selectedAppsArray_; }
    bool didMakeChanges() const { return didMakeChanges_; }
    const gfx::Color& accentColour() const { return accentColour_; }
    std::shared_ptr<VLAppListPickerProtocol> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<VLAppListPickerProtocol>& delegate) { delegate_ = delegate; }

    // Null until the view is loaded (the tool bar until shortly after).
    const std::shared_ptr<VLHeaderView>& headerView() const { return headerView_; }
    const std::shared_ptr<ui::TableView>& tableView() const { return tableView_; }
    const std::shared_ptr<VLDynamicBlurView>& toolView() const { return toolView_; }
    const std::shared_ptr<ui::Button>& moreButton() const { return moreButton_; }
    const std::shared_ptr<ui::Button>& dismissKeyboardButton() const { return dismissKeyboardButton_; }
    const std::shared_ptr<ui::ImageView>& searchIcon() const { return searchIcon_; }
    const std::shared_ptr<ui::TextField>& searchTextField() const { return searchTextField_; }

    void dismissVC();
    void applyChanges();
    void dismissKeyboard();
    void selectAll();
    void unselectAll();
    void updateSearchResultWithString(const std::string& text);
    void showLimitAlert();
    void checkIfDidMakeChanges();
    // Cross-fades the round buttons: the keyboard button while the keyboard is shown.
    void updateToolView(bool keyboardShown);
    ui::Menu optionsManager();
    void layoutHeaderView();
    void layoutTableView();
    void layoutToolView();

    // Table.
    int numberOfRowsInSection(ui::TableView&, int section) override;
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView& table,
                                                             ui::IndexPath indexPath) override;
    void didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;
    void scrollViewDidScroll(ui::ScrollView& scrollView) override;
    // Search field.
    bool textFieldShouldReturn(ui::TextField& field) override;

protected:
    VLAppListViewController(std::string key, std::string bundleID, bool isLimit, std::int64_t limitApps);
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

private:
    void loadStoredSelection();
    void toggle(const std::string& bundleIdentifier);
    void keyboardWillShow(double keyboardHeight);
    void keyboardWillHide();
    void placeRoundButtons();
    void setTableInsets(double bottom);
    gfx::Rect restingToolFrame();
    void menuChoice(void (VLAppListViewController::*operation)());
    bool isSelected(const std::string& bundleIdentifier) const;

    std::string key_;
    std::string bundleID_;
    bool isLimitApps_;
    std::int64_t numberOfLimitApps_;
    base::Value::Array appsArray_;
    base::Value::Array searchArray_;
    // The lower-cased names of `searchArray_`, in its order, so a keystroke only compares.
    std::vector<std::string> searchNames_;
    std::vector<std::string> selectedAppsArray_;
    bool didMakeChanges_ = false;
    gfx::Color accentColour_;
    std::weak_ptr<VLAppListPickerProtocol> delegate_;
    std::shared_ptr<VLHeaderView> headerView_;
    std::shared_ptr<ui::TableView> tableView_;
    std::shared_ptr<VLDynamicBlurView> toolView_;
    std::shared_ptr<ui::Button> moreButton_;
    std::shared_ptr<ui::Button> dismissKeyboardButton_;
    std::shared_ptr<ui::ImageView> searchIcon_;
    std::shared_ptr<ui::TextField> searchTextField_;
    std::vector<base::Observation> keyboardObservations_;
    std::uint64_t toolViewTask_ = 0;
};
