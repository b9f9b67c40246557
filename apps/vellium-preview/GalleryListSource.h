#pragma once

#include "ui/CollectionViewDataSource.h"
#include "ui/TableViewDataSource.h"
#include "ui/TableViewDelegate.h"

// Numbered rows for the gallery's table and coloured tiles for its collection.
class GalleryListSource : public ui::TableViewDataSource,
                          public ui::TableViewDelegate,
                          public ui::CollectionViewDataSource {
public:
    explicit GalleryListSource(int count) : count_(count) {}

    int numberOfRowsInSection(ui::TableView&, int) override { return count_; }
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView& table,
                                                             ui::IndexPath indexPath) override;
    void didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;

    int numberOfItemsInSection(ui::CollectionView&, int) override { return count_; }
    std::shared_ptr<ui::CollectionViewCell> cellForItemAtIndexPath(ui::CollectionView& collection,
                                                                   ui::IndexPath indexPath) override;

private:
    int count_;
};
