#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/Color.h"
#include "home/VLChangelogRelease.h"
#include "ui/CollectionView.h"
#include "ui/CollectionViewDataSource.h"
#include "ui/CollectionViewDelegate.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/TableView.h"
#include "ui/ViewController.h"

// The changelog sheet: the tweak's icon and name over a strip of date chips, one per release,
// and the list of the selected release's entries. The first release is selected when the sheet
// opens; choosing a chip selects its release. Short histories (up to four releases) sit in a
// strip just wide enough for their chips, centred; longer ones scroll across the full width.
class VLChangelogViewController : public ui::ViewController,
                                  public ui::CollectionViewDataSource,
                                  public ui::CollectionViewDelegate,
                                  public ui::TableViewDataSource,
                                  public ui::TableViewDelegate {
public:
    static constexpr double kHeaderHeight = 230;
    static constexpr gfx::Size kChipSize{70, 110};
    static constexpr double kStripHeight = 115;
    static constexpr double kStripInset = 20;
    static constexpr const char* kCellIdentifier = "Cell";

    // `changelogArray` holds at least one release (the home screen opens the sheet only then).
    static std::shared_ptr<VLChangelogViewController> create(std::string tweakName,
                                                             std::vector<VLChangelogRelease> changelogArray);

    const std::string& tweakName() const { return tweakName_; }
    const std::vector<VLChangelogRelease>& changelogArray() const { return changelogArray_; }
    std::int64_t changelogIndex() const { return changelogIndex_; }
    const gfx::Color& accentColour() const { return accentColour_; }
    // Null until the view is loaded.
    const std::shared_ptr<ui::View>& headerView() const { return headerView_; }
    const std::shared_ptr<ui::ImageView>& iconImage() const { return iconImage_; }
    const std::shared_ptr<ui::Label>& tweakLabel() const { return tweakLabel_; }
    const std::shared_ptr<ui::Label>& changelogLabel() const { return changelogLabel_; }
    const std::shared_ptr<ui::CollectionView>& collectionView() const { return collectionView_; }
    const std::shared_ptr<ui::TableView>& tableView() const { return tableView_; }

    void layoutHeaderView();
    void layoutCollectionView();
    void layoutTableView();

    // Date strip.
    int numberOfItemsInSection(ui::CollectionView&, int section) override;
    std::shared_ptr<ui::CollectionViewCell> cellForItemAtIndexPath(ui::CollectionView& strip,
                                                                   ui::IndexPath indexPath) override;
    std::optional<ui::EdgeInsets> insetForSectionAtIndex(ui::CollectionView&,
                                                         const ui::CollectionViewFlowLayout&, int) override;
    void didSelectItemAtIndexPath(ui::CollectionView& strip, ui::IndexPath indexPath) override;
    void didHighlightItemAtIndexPath(ui::CollectionView& strip, ui::IndexPath indexPath) override;
    void didUnhighlightItemAtIndexPath(ui::CollectionView& strip, ui::IndexPath indexPath) override;

    // Entry list.
    int numberOfRowsInSection(ui::TableView&, int section) override;
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView& table,
                                                             ui::IndexPath indexPath) override;

    // The strip's width for `releases` chips: just wide enough up to four, else `fullWidth`.
    static double stripWidth(std::size_t releases, double fullWidth);

protected:
    VLChangelogViewController(std::string tweakName, std::vector<VLChangelogRelease> changelogArray);
    void viewDidLoad() override;

private:
    const VLChangelogRelease* selectedRelease() const;

    std::string tweakName_;
    std::vector<VLChangelogRelease> changelogArray_;
    std::int64_t changelogIndex_ = 0;
    gfx::Color accentColour_;
    std::shared_ptr<ui::View> headerView_;
    std::shared_ptr<ui::ImageView> iconImage_;
    std::shared_ptr<ui::Label> tweakLabel_;
    std::shared_ptr<ui::Label> changelogLabel_;
    std::shared_ptr<ui::CollectionView> collectionView_;
    std::shared_ptr<ui::TableView> tableView_;
};
