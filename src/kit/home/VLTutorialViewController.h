#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gfx/Color.h"
#include "home/VLTutorialData.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/TableView.h"
#include "ui/ViewController.h"
#include "uikit/VLDynamicBlurView.h"

// The written tutorial a tweak presents as a sheet: its icon, name and a two-line subtitle over
// the list of steps, with a grabber floating above whose blur fades in once the list has
// scrolled. The tweak builds the steps; the sheet only shows them.
class VLTutorialViewController : public ui::ViewController,
                                 public ui::TableViewDataSource,
                                 public ui::TableViewDelegate {
public:
    static constexpr double kListHeaderHeight = 225;
    static constexpr double kFloatingHeaderHeight = 30;
    // The list has scrolled far enough to blur what slides under the grabber.
    static constexpr double kBlurOffset = 5;
    static constexpr double kBlurFadeSeconds = 0.3;
    static constexpr const char* kCellIdentifier = "Cell";

    static std::shared_ptr<VLTutorialViewController> create(std::string tweakName, std::string subtitleString,
                                                            std::vector<VLTutorialData> tutorialArray);

    const std::string& tweakName() const { return tweakName_; }
    const std::string& subtitleString() const { return subtitleString_; }
    // Read whenever a row is drawn: reload the list after changing it.
    std::vector<VLTutorialData>& tutorialArray() { return tutorialArray_; }
    const gfx::Color& accentColour() const { return accentColour_; }
    // The step last filled into a row.
    const VLTutorialData& tutorialData() const { return tutorialData_; }
    // Null until the view is loaded.
    const std::shared_ptr<VLDynamicBlurView>& headerView() const { return headerView_; }
    const std::shared_ptr<ui::ImageView>& iconImage() const { return iconImage_; }
    const std::shared_ptr<ui::Label>& titleLabel() const { return titleLabel_; }
    const std::shared_ptr<ui::Label>& subtitleLabel() const { return subtitleLabel_; }
    const std::shared_ptr<ui::TableView>& tableView() const { return tableView_; }

    void layoutTableView();
    void layoutHeaderView();
    // Closes the sheet, animated; nothing on the sheet calls it, the tweak may.
    void dismissVC();

    int numberOfRowsInSection(ui::TableView&, int section) override;
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView& table,
                                                             ui::IndexPath indexPath) override;
    void scrollViewDidScroll(ui::ScrollView& scrollView) override;

protected:
    VLTutorialViewController(std::string tweakName, std::string subtitleString,
                             std::vector<VLTutorialData> tutorialArray);
    void viewDidLoad() override;

private:
    std::shared_ptr<ui::View> makeListHeader();

    std::string tweakName_;
    std::string subtitleString_;
    std::vector<VLTutorialData> tutorialArray_;
    gfx::Color accentColour_;
    VLTutorialData tutorialData_;
    std::shared_ptr<VLDynamicBlurView> headerView_;
    std::shared_ptr<ui::ImageView> iconImage_;
    std::shared_ptr<ui::Label> titleLabel_;
    std::shared_ptr<ui::Label> subtitleLabel_;
    std::shared_ptr<ui::TableView> tableView_;
};
