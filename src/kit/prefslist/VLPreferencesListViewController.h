#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Notification.h"
#include "base/Observation.h"
#include "base/Value.h"
#include "gfx/Color.h"
#include "gfx/Image.h"
#include "home/VLPrefsConfig.h"
#include "pickers/applist/VLAppListPickerProtocol.h"
#include "pickers/avatar/VLAvatarPickerProtocol.h"
#include "pickers/singleselection/VLPrefsSingleSelectionDelegate.h"
#include "prefslist/VLPrefsRowType.h"
#include "prefslist/VLPrefsSectionDataModel.h"
#include "store/VLPrefsManager.h"
#include "ui/Button.h"
#include "ui/ColorPickerViewControllerDelegate.h"
#include "ui/DatePicker.h"
#include "ui/FontPickerViewControllerDelegate.h"
#include "ui/GestureRecognizerDelegate.h"
#include "ui/ImagePickerControllerDelegate.h"
#include "ui/Label.h"
#include "ui/SegmentedControl.h"
#include "ui/Slider.h"
#include "ui/Stepper.h"
#include "ui/Switch.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "ui/ViewController.h"
#include "uikit/VLDynamicBlurView.h"

namespace sys {
class ImpactFeedbackGenerator;
}

// A tweak's settings screen, built from a preference document: the rows of
// "/var/QZN/Vellium/Preferences/TWEAKPrefs.bundle/DOCUMENT.plist" cut into sections at every
// section-header row, each row shown by its "CellType" and bound to one preference.
//
// Every change is written to the preference store at once and, except for text and date
// rows, announced as "BID/PrefsChanged" on the distributed notification centre. Button rows
// call an action of this screen by name; a tweak's subclass registers its own actions
// (`registerAction`) besides `beginHapticFeedback`, which the screen registers itself.
//
// Create it with std::make_shared (or a subclass of it), push it, then configure it with
// `updateWithPrefsConfig`.
class VLPreferencesListViewController : public ui::ViewController,
                                        public ui::TableViewDataSource,
                                        public ui::TableViewDelegate,
                                        public ui::GestureRecognizerDelegate,
                                        public ui::ColorPickerViewControllerDelegate,
                                        public ui::FontPickerViewControllerDelegate,
                                        public ui::ImagePickerControllerDelegate,
                                        public VLPrefsSingleSelectionDelegate,
                                        public VLAppListPickerProtocol,
                                        public VLAvatarPickerProtocol {
public:
    using RowArray = std::vector<base::Value>;

    static constexpr double kHeaderHeight = 90;
    static constexpr double kTableTopInset = 100;
    static constexpr double kTextFieldViewHeight = 65;
    static constexpr double kSectionHeaderHeight = 40;
    // The header's blur shows once the content has scrolled past this offset.
    static constexpr double kBlurOffset = -90;
    static constexpr const char* kDateFormat = "E, d MMM HH:mm";
    static constexpr int kFontSampleSize = 12;

    VLPreferencesListViewController();
    ~VLPreferencesListViewController() override;

    // Configuration.
    void updateWithPrefsConfig(const std::shared_ptr<VLPrefsConfig>& config);
    // Rebuilds the sections from the document.
    void setupData();

    // The document.
    const std::string& tweakNameString() const { return tweakNameString_; }
    void setTweakNameString(std::string name) { tweakNameString_ = std::move(name); }
    // Empty: no document.
    const std::string& plistString() const { return plistString_; }
    void setPlistString(std::string name) { plistString_ = std::move(name); }
    const base::Value& settings() const { return settings_; }
    const std::vector<std::shared_ptr<VLPrefsSectionDataModel>>& settingsTableSections() const {
        return settingsTableSections_;
    }
    const std::vector<RowArray>& settingsTableData() const { return settingsTableData_; }
    // The row dictionary at a position; absent outside the sections.
    const base::Value& rowAt(ui::IndexPath indexPath) const;

    // The views (null until the view is loaded).
    const std::shared_ptr<ui::TableView>& tableView() const { return tableView_; }
    const std::shared_ptr<ui::View>& headerView() const { return headerView_; }
    const std::shared_ptr<ui::Label>& navTitle() const { return navTitle_; }
    const std::shared_ptr<VLDynamicBlurView>& navBlurView() const { return navBlurView_; }
    const std::shared_ptr<ui::View>& textFieldView() const { return textFieldView_; }
    const std::shared_ptr<ui::TextField>& textField() const { return textField_; }
    const std::shared_ptr<ui::Button>& textFieldDismissButton() const { return textFieldDismissButton_; }

    const gfx::Color& accentColour() const { return accentColour_; }
    void setAccentColour(gfx::Color colour) { accentColour_ = std::move(colour); }

    // The row of the last selection.
    const std::string& textFieldDefaultText() const { return textFieldDefaultText_; }
    std::int64_t prefsIndexPathSection() const { return prefsIndexPathSection_; }
    std::int64_t prefsIndexPathRow() const { return prefsIndexPathRow_; }
    const std::string& prefsKey() const { return prefsKey_; }
    const std::string& prefsBundleID() const { return prefsBundleID_; }

    const std::shared_ptr<sys::ImpactFeedbackGenerator>& haptic() const { return haptic_; }
    // The installed applications' records, for the application picker; filled on the first
    // pass of the main queue after the view loads.
    const base::Value::Array& appsListArray() const { return appsListArray_; }

    // Chrome.
    void layoutHeaderView();
    void layoutTableView();
    void layoutTextFieldView();
    void backToMain();
    void presentTextFieldWithPlaceholder(const std::string& placeholder, const std::string& text);
    void finishWithTextField();
    void presentKB();
    void dismissKB();
    void keyboardWillShow(const base::Notification& notification);
    void keyboardWillHide(const base::Notification& notification);

    // Table.
    int numberOfSections(ui::TableView&) override;
    int numberOfRowsInSection(ui::TableView&, int section) override;
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView& table,
                                                             ui::IndexPath indexPath) override;
    std::optional<double> heightForRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;
    std::shared_ptr<ui::View> viewForHeaderInSection(ui::TableView& table, int section) override;
    std::optional<double> heightForHeaderInSection(ui::TableView&, int) override;
    void didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;
    void didHighlightRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;
    void didUnhighlightRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;
    void scrollViewDidScroll(ui::ScrollView& scrollView) override;

    // Picker results, for the remembered row.
    void colorPickerViewControllerDidSelectColor(ui::ColorPickerViewController& picker) override;
    void colorPickerViewControllerDidFinish(ui::ColorPickerViewController& picker) override;
    void fontPickerViewControllerDidPickFont(ui::FontPickerViewController& picker) override;
    void imagePickerControllerDidFinishPickingMediaWithInfo(ui::ImagePickerController& picker,
                                                            const ui::ImagePickerInfo& info) override;
    void imagePickerControllerDidCancel(ui::ImagePickerController& picker) override;
    void didCreatedAvatar(const gfx::Image& image) override;
    void didDismissedAvatarPicker() override;
    void appPickerDidSelectedApps() override;
    void singleSelectionDidSelectedOptions(std::int64_t index) override;

    // Control handlers: each finds its row from the control.
    virtual void switchChangedState(ui::Switch& sender);
    virtual void sliderValueChangedAction(ui::Slider& sender, std::optional<ui::TouchPhase> phase);
    virtual void segmentControlChanged(ui::SegmentedControl& sender);
    virtual void stepperValueChanged(ui::Stepper& sender);
    virtual void datePickerChanged(ui::DatePicker& sender);

    // Posts "ID/PrefsChanged"; an empty identifier posts nothing.
    void preferencesDidChangedNotification(const std::string& bundleID);
    void beginHapticFeedback();

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

private:
    void configureCell(ui::TableViewCell& cell, const base::Value& row, const VLPrefsRowType& type);
    void attachControl(ui::TableViewCell& cell, ui::Control& control, const std::string& action);
    void rememberRow(const base::Value& row, ui::IndexPath indexPath);
    void sendRowAction(const base::Value& row);
    void presentColourPicker(const base::Value& row);
    void presentFontPicker();
    void presentImagePicker();
    void presentApplicationPicker(const base::Value& row);
    void presentAvatarPicker();
    void presentSingleSelection(const base::Value& row);
    void storeColour(const gfx::Color& colour);
    void storeImage(const gfx::Image& image);
    // The cell shown at the remembered position, if any.
    std::shared_ptr<ui::TableViewCell> rememberedCell() const;
    // The row that holds a control, found through its enclosing cell.
    const base::Value& rowOfControl(const ui::View& control) const;
    void animateTable(double alpha, double duration, bool interactive);
    void moveTextFieldView(double y);
    void parkTextFieldView();

    std::string tweakNameString_;
    std::string plistString_;
    base::Value settings_;
    // Which file the last parse came from, to tell an unchanged document from a new one.
    struct DocumentIdentity {
        std::string path;
        std::uint64_t device, inode;
        std::int64_t size, modifiedSeconds, modifiedNanoseconds;
        bool operator==(const DocumentIdentity&) const = default;
        static std::optional<DocumentIdentity> of(const std::filesystem::path& path);
    };
    std::optional<DocumentIdentity> documentIdentity_;  // of the file `settings_` was parsed from
    std::vector<std::shared_ptr<VLPrefsSectionDataModel>> settingsTableSections_;
    std::vector<RowArray> settingsTableData_;

    std::shared_ptr<ui::TableView> tableView_;
    std::shared_ptr<ui::View> headerView_;
    std::shared_ptr<ui::Label> navTitle_;
    std::shared_ptr<VLDynamicBlurView> navBlurView_;
    std::shared_ptr<ui::View> textFieldView_;
    std::shared_ptr<ui::TextField> textField_;
    std::shared_ptr<ui::Button> textFieldDismissButton_;
    gfx::Color accentColour_;

    std::string textFieldDefaultText_;
    std::int64_t prefsIndexPathSection_ = 0;
    std::int64_t prefsIndexPathRow_ = 0;
    std::string prefsKey_;
    std::string prefsBundleID_;
    std::shared_ptr<sys::ImpactFeedbackGenerator> haptic_;
    base::Value::Array appsListArray_;

    bool textFieldLifted_ = false;
    base::Observation keyboardShowObservation_;
    base::Observation keyboardHideObservation_;
};
