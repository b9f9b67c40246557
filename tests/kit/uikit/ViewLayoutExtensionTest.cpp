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
using Made = std::vector<std::pair<LayoutAttribute, double>>;

// The constraints made on `view` (as first item), in the order they were activated; each must
// be an active, required equality.
Made madeOn(const ui::View& view) {
    Made made;
    for (const auto& constraint : view.constraints()) {
        if (constraint->firstAnchor().view().get() != &view) continue;
        EXPECT_EQ(constraint->relation(), layout::Relation::Equal);
        EXPECT_EQ(constraint->priority(), 1000);
        EXPECT_TRUE(constraint->isActive());
        made.emplace_back(constraint->firstAnchor().attribute(), constraint->constant());
    }
    return made;
}

struct Scene {
    std::shared_ptr<ui::Window> window = ui::Window::create({300, 200}, 2);
    std::shared_ptr<ui::View> parent = ui::View::create();
    Scene() {
        parent->setFrame({10, 10, 200, 100});
        window->addSubview(parent);
    }
    std::shared_ptr<ui::View> child() {
        auto view = ui::View::create();
        parent->addSubview(view);
        return view;
    }
};

TEST(ViewLayoutExtension, SizeLeavesZeroDimensionsFreeButWidthAndHeightDoNot) {
    Scene s;
    auto heightOnly = s.child(), none = s.child(), zero = s.child();
    extension::size(*heightOnly, {0, 6});
    extension::size(*none, {0, 0});
    extension::width(*zero, 0);
    extension::height(*zero, 0);
    EXPECT_EQ(madeOn(*heightOnly), (Made{{LayoutAttribute::Height, 6}}));
    EXPECT_TRUE(none->constraints().empty());
    EXPECT_FALSE(none->translatesAutoresizingMaskIntoConstraints());
    EXPECT_EQ(madeOn(*zero), (Made{{LayoutAttribute::Width, 0}, {LayoutAttribute::Height, 0}}));
}

TEST(ViewLayoutExtension, EdgesSkipAbsentAnchorsAndAddConstantsUnchanged) {
    Scene s;
    auto view = s.child();
    extension::top(*view, s.parent->topAnchor(), std::nullopt, s.parent->bottomAnchor(), std::nullopt,
                   {1, 2, 3, 4});
    EXPECT_EQ(madeOn(*view), (Made{{LayoutAttribute::Top, 1}, {LayoutAttribute::Bottom, 3}}));

    auto inset = s.child();
    extension::trailing(*inset, s.parent->trailingAnchor(), -20);
    extension::bottom(*inset, s.parent->bottomAnchor(), -10);
    extension::size(*inset, {50, 30});
    extension::leading(*inset, std::nullopt, 5);
    s.window->layoutIfNeeded();
    EXPECT_EQ(inset->frame(), (gfx::Rect{130, 60, 50, 30}));  // 20 inside trailing, 10 above bottom
}

TEST(ViewLayoutExtension, FillPinsTopLeadingTrailingBottomAndIgnoresAViewWithoutSuperview) {
    Scene s;
    auto view = s.child();
    extension::fill(*view);
    EXPECT_EQ(madeOn(*view), (Made{{LayoutAttribute::Top, 0},
                                   {LayoutAttribute::Leading, 0},
                                   {LayoutAttribute::Trailing, 0},
                                   {LayoutAttribute::Bottom, 0}}));

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
