#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/Log.h"
#include "ui/LayoutConstraint.h"
#include "ui/Window.h"
#include "uikit/ViewLayoutExtension.h"

namespace {

using ui::LayoutAttribute;

// The constraints made on `view` (as first item), in the order they were activated.
std::vector<std::pair<LayoutAttribute, double>> madeOn(const ui::View& view) {
    std::vector<std::pair<LayoutAttribute, double>> made;
    for (const auto& constraint : view.constraints()) {
        if (constraint->firstAnchor().view().get() != &view) continue;
        EXPECT_EQ(constraint->relation(), layout::Relation::Equal);
        EXPECT_EQ(constraint->priority(), 1000);
        EXPECT_TRUE(constraint->isActive());
        made.emplace_back(constraint->firstAnchor().attribute(), constraint->constant());
    }
    return made;
}

using Made = std::vector<std::pair<LayoutAttribute, double>>;

struct Scene {
    std::shared_ptr<ui::Window> window = ui::Window::create({300, 200}, 2);
    std::shared_ptr<ui::View> parent = ui::View::create();
    std::shared_ptr<ui::View> view = ui::View::create();
    Scene() {
        parent->setFrame({10, 10, 200, 100});
        window->addSubview(parent);
        parent->addSubview(view);
    }
};

TEST(ViewLayoutExtension, SizeLeavesZeroDimensionsFreeButWidthAndHeightDoNot) {
    Scene s;
    extension::size(*s.view, {0, 6});
    EXPECT_FALSE(s.view->translatesAutoresizingMaskIntoConstraints());
    EXPECT_EQ(madeOn(*s.view), (Made{{LayoutAttribute::Height, 6}}));

    auto empty = ui::View::create();
    extension::size(*empty, {0, 0});
    EXPECT_FALSE(empty->translatesAutoresizingMaskIntoConstraints());
    EXPECT_TRUE(empty->constraints().empty());

    auto zero = ui::View::create();
    extension::width(*zero, 0);
    extension::height(*zero, 0);
    EXPECT_EQ(madeOn(*zero), (Made{{LayoutAttribute::Width, 0}, {LayoutAttribute::Height, 0}}));
}

TEST(ViewLayoutExtension, EdgesFollowTheFixedOrderAndSkipAbsentAnchors) {
    Scene s;
    ui::EdgeInsets padding{1, 2, 3, 4};
    extension::top(*s.view, s.parent->topAnchor(), std::nullopt, s.parent->bottomAnchor(), std::nullopt,
                   padding);
    EXPECT_EQ(madeOn(*s.view), (Made{{LayoutAttribute::Top, 1}, {LayoutAttribute::Bottom, 3}}));

    auto all = ui::View::create();
    s.parent->addSubview(all);
    extension::top(*all, s.parent->topAnchor(), s.parent->leadingAnchor(), s.parent->bottomAnchor(),
                   s.parent->trailingAnchor(), padding);
    EXPECT_EQ(madeOn(*all), (Made{{LayoutAttribute::Top, 1},
                                  {LayoutAttribute::Leading, 2},
                                  {LayoutAttribute::Trailing, 4},
                                  {LayoutAttribute::Bottom, 3}}));

    auto none = ui::View::create();
    extension::leading(*none, std::nullopt, 5);
    EXPECT_FALSE(none->translatesAutoresizingMaskIntoConstraints());
    EXPECT_TRUE(none->constraints().empty());
}

TEST(ViewLayoutExtension, ConstantsAreAddedUnchanged) {
    Scene s;
    extension::trailing(*s.view, s.parent->trailingAnchor(), -20);
    extension::bottom(*s.view, s.parent->bottomAnchor(), -10);
    extension::size(*s.view, {50, 30});
    auto centred = ui::View::create();
    s.parent->addSubview(centred);
    extension::size(*centred, {20, 20});
    extension::x(*centred, s.parent->centerXAnchor(), 15);
    extension::y(*centred, s.parent->centerYAnchor(), -5);
    s.window->layoutIfNeeded();

    // 20 inside the trailing edge, 10 above the bottom.
    EXPECT_EQ(s.view->frame(), (gfx::Rect{130, 60, 50, 30}));
    EXPECT_EQ(centred->center(), (gfx::Point{115, 45}));
}

TEST(ViewLayoutExtension, FillPinsTheFourEdgesAndIgnoresAViewWithoutSuperview) {
    Scene s;
    extension::fill(*s.view);
    EXPECT_EQ(madeOn(*s.view), (Made{{LayoutAttribute::Top, 0},
                                     {LayoutAttribute::Leading, 0},
                                     {LayoutAttribute::Trailing, 0},
                                     {LayoutAttribute::Bottom, 0}}));
    s.window->layoutIfNeeded();
    EXPECT_EQ(s.view->frame(), s.parent->bounds());

    std::vector<std::string> lines;
    base::Log::setSink([&](std::string_view line) { lines.emplace_back(line); });
    auto orphan = ui::View::create();
    extension::fill(*orphan);
    base::Log::resetSink();
    EXPECT_FALSE(orphan->translatesAutoresizingMaskIntoConstraints());
    EXPECT_TRUE(orphan->constraints().empty());
    EXPECT_EQ(lines.size(), 1u);
}

}  // namespace
