// A grid of captioned tiles (four 90-point tiles a row, sections of 100 items under 30-point
// headers) in a 390 x 844 window at scale 2, scrolled one screen height per iteration. A frame
// is: move the offset, refill the tiles and headers that came into view, lay the window out and
// draw it onto one reused painter surface. The argument is the item count; the counter shows
// that the live cells do not grow with it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

#include "gfx/Painter.h"
#include "ui/CollectionView.h"
#include "ui/Label.h"
#include "ui/ViewRenderer.h"
#include "ui/Window.h"

namespace {

constexpr int kItemsPerSection = 100;

class Tile : public ui::CollectionViewCell {
public:
    static std::shared_ptr<Tile> create() {
        std::shared_ptr<Tile> tile(new Tile());
        tile->contentView()->setBackgroundColor(gfx::Color::secondarySystemBackground());
        tile->caption = ui::Label::create();
        tile->caption->setFrame({6, 60, 78, 24});
        tile->contentView()->addSubview(tile->caption);
        return tile;
    }
    std::shared_ptr<ui::Label> caption;
};

class Header : public ui::CollectionReusableView {
public:
    static std::shared_ptr<Header> create() {
        std::shared_ptr<Header> header(new Header());
        header->title = ui::Label::create();
        header->title->setFrame({16, 4, 300, 22});
        header->addSubview(header->title);
        return header;
    }
    std::shared_ptr<ui::Label> title;
};

class Tiles : public ui::CollectionViewDataSource, public ui::CollectionViewDelegate {
public:
    explicit Tiles(int items) : items_(items) {}
    int numberOfSections(ui::CollectionView&) override {
        return (items_ + kItemsPerSection - 1) / kItemsPerSection;
    }
    int numberOfItemsInSection(ui::CollectionView&, int section) override {
        return std::min(kItemsPerSection, items_ - section * kItemsPerSection);
    }
    std::shared_ptr<ui::CollectionViewCell> cellForItemAtIndexPath(ui::CollectionView& view,
                                                                   ui::IndexPath ip) override {
        auto tile = std::static_pointer_cast<Tile>(view.dequeueReusableCell("tile", ip));
        tile->caption->setText("Item " + std::to_string(ip.section * kItemsPerSection + ip.item()));
        return tile;
    }
    std::shared_ptr<ui::CollectionReusableView> viewForSupplementaryElement(ui::CollectionView& view,
                                                                            const std::string& kind,
                                                                            ui::IndexPath ip) override {
        auto header =
            std::static_pointer_cast<Header>(view.dequeueReusableSupplementaryView(kind, "header", ip));
        header->title->setText("Section " + std::to_string(ip.section));
        return header;
    }

private:
    int items_;
};

void scrollOneScreenPerFrame(benchmark::State& state, bool draw) {
    const gfx::Size screen{390, 844};
    auto window = ui::Window::create(screen, 2);
    auto layout = ui::CollectionViewFlowLayout::create();
    layout->setItemSize({90, 90});
    layout->setMinimumInteritemSpacing(4);
    layout->setMinimumLineSpacing(4);
    layout->setSectionInset({4, 9, 4, 9});
    layout->setHeaderReferenceSize({0, 30});
    auto grid = ui::CollectionView::create(layout);
    grid->setFrame({0, 0, screen.width, screen.height});
    grid->registerCell("tile", [] { return Tile::create(); });
    grid->registerSupplementaryView(ui::CollectionView::kSectionHeader, "header",
                                    [] { return Header::create(); });
    auto tiles = std::make_shared<Tiles>(static_cast<int>(state.range(0)));
    window->addSubview(grid);
    grid->setDataSource(tiles);
    grid->setDelegate(tiles);
    window->layoutIfNeeded();
    gfx::Painter painter(screen, 2);
    painter.setTraitCollection(gfx::TraitCollection::light());

    double y = 0;
    std::size_t mostLiveCells = 0;
    for (auto _ : state) {
        y += screen.height;
        if (y + screen.height > grid->contentSize().height) y = 0;
        grid->setContentOffset({0, y});
        window->layoutIfNeeded();
        if (draw) {
            painter.clear(gfx::Color::white(0.95));
            ui::ViewRenderer::drawHierarchy(*window, painter);
        }
        mostLiveCells = std::max(mostLiveCells, grid->visibleCells().size() + grid->reusableCellCount());
    }
    state.counters["live_cells_max"] = static_cast<double>(mostLiveCells);
}

void BM_CollectionScrollOneScreen(benchmark::State& state) { scrollOneScreenPerFrame(state, true); }
BENCHMARK(BM_CollectionScrollOneScreen)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same frames without drawing: how much of a frame is refilling and layout.
void BM_CollectionScrollOneScreenWithoutDrawing(benchmark::State& state) {
    scrollOneScreenPerFrame(state, false);
}
BENCHMARK(BM_CollectionScrollOneScreenWithoutDrawing)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
