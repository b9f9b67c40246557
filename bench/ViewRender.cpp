// Rendering a screen of views against drawing the same picture straight through the painter.
//
// The screen is a 390 x 844 point window at scale 2 holding 20 cards (rounded, continuous
// corners) of 6 items each: a symbol image, a title and a detail label, and a button with a
// title: 501 views held by 2,000 constraints. It is laid out once, outside the timing.
//   BM_ViewTreeRender: ViewRenderer through the headless host, into an image.
//   BM_DirectPainterRender: the same shapes, images and texts drawn by one loop over a list
//     made beforehand from the laid-out tree: frames already in window coordinates and text
//     layouts already shaped (what a hand-written drawing routine would keep), into an image.
// Compare the two medians: the view tree is meant to stay within 1.5 times the direct loop.
#include <benchmark/benchmark.h>

#include <memory>
#include <variant>
#include <vector>

#include "gfx/Painter.h"
#include "gfx/SymbolImage.h"
#include "gfx/TextLayout.h"
#include "host/HeadlessHost.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/LayoutConstraint.h"
#include "ui/LayoutEngine.h"
#include "ui/Window.h"

namespace {

constexpr int kCards = 20;
constexpr int kItemsPerCard = 6;
constexpr double kScale = 2;

using Constraints = std::vector<std::shared_ptr<ui::LayoutConstraint>>;

template <typename V>
std::shared_ptr<V> constrained(ui::View& parent, std::shared_ptr<V> view) {
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    parent.addSubview(view);
    return view;
}

// One item: icon, title and detail stacked beside it, a button under the title. Each view
// gets four constraints.
void addItem(ui::View& card, int index, Constraints& out) {
    double x = 4 + index * 59;
    const char* symbols[] = {"checkmark", "xmark", "link", "play.fill", "magnifyingglass", "textformat"};
    auto icon =
        constrained(card, ui::ImageView::create(gfx::SymbolImage::named(symbols[index]), symbols[index]));
    auto title = constrained(card, ui::Label::create("Item " + std::to_string(index + 1)));
    title->setFont(gfx::Font::system(9, gfx::FontWeight::Semibold));
    auto detail = constrained(card, ui::Label::create("Detail text"));
    detail->setFont(gfx::Font::system(7));
    detail->setTextColor(gfx::Color::secondaryLabel());
    auto button = constrained(card, ui::Button::create());
    button->setTitle("Go");
    button->setTitleFont(gfx::Font::system(8));
    out.insert(
        out.end(),
        {icon->leadingAnchor().equalTo(card.leadingAnchor(), x),
         icon->centerYAnchor().equalTo(card.centerYAnchor()), icon->widthAnchor().equalToConstant(12),
         icon->heightAnchor().equalToConstant(12), title->leadingAnchor().equalTo(icon->trailingAnchor(), 2),
         title->topAnchor().equalTo(card.topAnchor(), 3), title->widthAnchor().equalToConstant(42),
         title->heightAnchor().equalToConstant(12), detail->leadingAnchor().equalTo(title->leadingAnchor()),
         detail->topAnchor().equalTo(title->bottomAnchor()),
         detail->widthAnchor().equalTo(title->widthAnchor()), detail->heightAnchor().equalToConstant(9),
         button->leadingAnchor().equalTo(title->leadingAnchor()),
         button->topAnchor().equalTo(detail->bottomAnchor()), button->widthAnchor().equalToConstant(24),
         button->heightAnchor().equalToConstant(10)});
}

std::shared_ptr<ui::Window> makeScreen() {
    auto window = ui::Window::create({390, 844}, kScale);
    window->setBackgroundColor(gfx::Color::secondarySystemBackground());
    Constraints constraints;
    std::shared_ptr<ui::View> previous;
    for (int c = 0; c < kCards; ++c) {
        auto card = constrained(*window, ui::View::create());
        card->setBackgroundColor(gfx::Color::systemBackground());
        card->layer().setCornerRadius(10);
        card->layer().setCornerCurve(gfx::CornerCurve::Continuous);
        constraints.insert(constraints.end(),
                           {previous ? card->topAnchor().equalTo(previous->bottomAnchor(), 4)
                                     : card->topAnchor().equalTo(window->topAnchor(), 4),
                            card->leadingAnchor().equalTo(window->leadingAnchor(), 16),
                            card->trailingAnchor().equalTo(window->trailingAnchor(), -16),
                            card->heightAnchor().equalToConstant(38)});
        for (int i = 0; i < kItemsPerCard; ++i) addItem(*card, i, constraints);
        previous = card;
    }
    ui::LayoutConstraint::activate(constraints);
    window->layoutIfNeeded();
    return window;
}

// ---- The same picture as a prepared list of drawing operations ----

struct FillOp {
    gfx::Rect rect;
    gfx::Color color;
    gfx::CornerStyle corners;
};
struct ImageOp {
    gfx::Rect rect;
    gfx::Image image;
    gfx::Color tint;
};
struct TextOp {
    gfx::Point origin;
    std::shared_ptr<gfx::TextLayout> layout;
    gfx::Color color;
};
using Op = std::variant<FillOp, ImageOp, TextOp>;

std::shared_ptr<gfx::TextLayout> shaped(const std::string& text, const gfx::Font& font, double width) {
    auto layout = std::make_shared<gfx::TextLayout>(text, font);
    layout->setWidth(width);
    layout->setMaximumLines(1);
    layout->size();  // shape now, not while drawing
    return layout;
}

void collect(ui::View& view, std::vector<Op>& ops) {
    gfx::Rect r = view.superview() ? view.superview()->convertRect(view.frame(), nullptr) : view.frame();
    if (view.backgroundColor().alpha() > 0)
        ops.push_back(FillOp{r, view.backgroundColor(), view.layer().cornerStyle()});
    if (auto label = dynamic_cast<ui::Label*>(&view)) {
        auto layout = shaped(label->text(), label->font(), r.width);
        ops.push_back(
            TextOp{{r.x, r.y + (r.height - layout->size().height) / 2}, layout, label->textColor()});
    } else if (auto image = dynamic_cast<ui::ImageView*>(&view)) {
        ops.push_back(ImageOp{r, image->image(), image->tintColor()});
    } else if (auto button = dynamic_cast<ui::Button*>(&view)) {
        auto layout = shaped(*button->currentTitle(), button->titleFont(), 0);
        layout->setWidth(std::nullopt);
        gfx::Size size = layout->size();
        ops.push_back(
            TextOp{{r.x + (r.width - std::ceil(size.width)) / 2, r.y + (r.height - size.height) / 2},
                   layout,
                   button->titleColor(button->state())});
    }
    for (const auto& subview : view.subviews()) collect(*subview, ops);
}

void drawDirect(const std::vector<Op>& ops, gfx::Painter& painter) {
    for (const Op& op : ops) {
        if (auto fill = std::get_if<FillOp>(&op)) {
            if (fill->corners.radius > 0) {
                painter.fillRoundedRect(fill->rect, fill->corners, fill->color);
            } else {
                painter.fillRect(fill->rect, fill->color);
            }
        } else if (auto image = std::get_if<ImageOp>(&op)) {
            painter.drawImage(image->image, image->rect, gfx::ContentMode::ScaleToFill, image->tint);
        } else if (auto text = std::get_if<TextOp>(&op)) {
            painter.drawText(*text->layout, text->origin, text->color);
        }
    }
}

std::size_t viewCount(const ui::View& view) {
    std::size_t count = 1;
    for (const auto& subview : view.subviews()) count += viewCount(*subview);
    return count;
}

void BM_ViewTreeRender(benchmark::State& state) {
    auto window = makeScreen();
    for (auto _ : state) {
        gfx::Image image = host::HeadlessHost::render(*window, kScale);
        benchmark::DoNotOptimize(image);
    }
    state.counters["views"] = double(viewCount(*window) - 1);
    // The 2,000 anchor constraints plus the intrinsic-size ones of labels, images and buttons.
    state.counters["solverConstraints"] = double(window->layoutEngine().solverConstraintCount());
}
BENCHMARK(BM_ViewTreeRender)->Unit(benchmark::kMillisecond);

void BM_DirectPainterRender(benchmark::State& state) {
    auto window = makeScreen();
    std::vector<Op> ops;
    collect(*window, ops);
    for (auto _ : state) {
        gfx::Painter painter({390, 844}, kScale);
        painter.setTraitCollection(window->traitCollection());
        drawDirect(ops, painter);
        gfx::Image image = painter.makeImage();
        benchmark::DoNotOptimize(image);
    }
    state.counters["operations"] = double(ops.size());
}
BENCHMARK(BM_DirectPainterRender)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
