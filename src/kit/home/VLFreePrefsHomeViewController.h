#pragma once

#include <memory>
#include <string>
#include <vector>

#include "home/VLPrefsCategoriesData.h"
#include "home/VLPrefsHomeBaseViewController.h"
#include "home/VLPrefsSectionHeaderView.h"
#include "home/VLPrefsSectionListView.h"
#include "ui/CollectionView.h"
#include "ui/CollectionViewDataSource.h"
#include "ui/CollectionViewDelegate.h"

// A tweak's home screen: the shared hero and header (see VLPrefsHomeBaseViewController), then
// the toggle container and either a strip of categories or one settings row.
//
// Selecting a category pushes a new instance of the screen class it names, or, for a style
// picker, asks the host application (on the system-wide centre) to show the style document.
// The settings row pushes the configuration's single settings class. Class names are looked up
// in VLViewControllerRegistry; an unknown one is logged and nothing opens.
class VLFreePrefsHomeViewController : public VLPrefsHomeBaseViewController,
                                      public ui::CollectionViewDataSource,
                                      public ui::CollectionViewDelegate {
public:
    static constexpr const char* kStylePickerNotification = "com.vellium.vellium/presentStylePicker";
    static constexpr const char* kCellIdentifier = "Cell";
    using Categories = std::vector<std::shared_ptr<VLPrefsCategoriesData>>;

    VLFreePrefsHomeViewController();

    // Null in the other mode.
    const std::shared_ptr<ui::CollectionView>& collectionView() const { return collectionView_; }
    const std::shared_ptr<VLPrefsSectionListView>& prefsView() const { return prefsView_; }
    const std::shared_ptr<VLPrefsSectionHeaderView>& sectionHeaderView() const { return sectionHeaderView_; }
    // Shared with the configuration.
    const std::shared_ptr<Categories>& categoriesArray() const { return categoriesArray_; }
    const std::shared_ptr<VLPrefsCategoriesData>& categoriesData() const { return categoriesData_; }
    bool isCategoriesAvailable() const { return isCategoriesAvailable_; }
    const std::string& singlePrefsClassName() const { return singlePrefsClassName_; }

    void updateWithPrefsConfig(const std::shared_ptr<VLPrefsConfig>& config) override;
    void layoutSectionView();
    void pushPrefsVC();

    // Categories strip.
    int numberOfItemsInSection(ui::CollectionView&, int section) override;
    std::shared_ptr<ui::CollectionViewCell> cellForItemAtIndexPath(ui::CollectionView& strip,
                                                                   ui::IndexPath indexPath) override;
    std::optional<gfx::Size> sizeForItemAtIndexPath(ui::CollectionView&, const ui::CollectionViewFlowLayout&,
                                                    ui::IndexPath indexPath) override;
    std::optional<ui::EdgeInsets> insetForSectionAtIndex(ui::CollectionView&,
                                                         const ui::CollectionViewFlowLayout&, int) override;
    void didSelectItemAtIndexPath(ui::CollectionView& strip, ui::IndexPath indexPath) override;
    void didHighlightItemAtIndexPath(ui::CollectionView& strip, ui::IndexPath indexPath) override;
    void didUnhighlightItemAtIndexPath(ui::CollectionView& strip, ui::IndexPath indexPath) override;
    using VLPrefsHomeBaseViewController::scrollViewDidScroll;

protected:
    void viewDidLoad() override;

private:
    void layoutCategories(ui::View& heading);
    void layoutSettingsRow(ui::View& heading);
    std::shared_ptr<VLPrefsCategoriesData> category(ui::IndexPath indexPath) const;
    void pushScreen(const std::string& className);
    void requestStylePicker(const VLPrefsCategoriesData& category);

    std::shared_ptr<ui::CollectionView> collectionView_;
    std::shared_ptr<VLPrefsSectionListView> prefsView_;
    std::shared_ptr<VLPrefsSectionHeaderView> sectionHeaderView_;
    std::shared_ptr<Categories> categoriesArray_ = std::make_shared<Categories>();
    std::shared_ptr<VLPrefsCategoriesData> categoriesData_ = std::make_shared<VLPrefsCategoriesData>();
    bool isCategoriesAvailable_ = false;
    std::string singlePrefsClassName_;
};
