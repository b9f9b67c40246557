#include <gtest/gtest.h>

#include "ui/Window.h"

namespace {

using ui::View;

std::shared_ptr<View> viewAt(const gfx::Rect& frame, int tag) {
    auto view = View::create();
    view->setFrame(frame);
    view->setTag(tag);
    return view;
}

std::vector<int> tags(const View& view) {
    std::vector<int> out;
    for (const auto& subview : view.subviews()) out.push_back(subview->tag());
    return out;
}

TEST(ViewTree, SubviewsKeepTheirOrder) {
    auto parent = View::create();
    auto a = viewAt({}, 1), b = viewAt({}, 2), c = viewAt({}, 3);
    parent->addSubview(a);
    parent->addSubview(b);
    parent->insertSubview(c, 0);
    EXPECT_EQ(tags(*parent), (std::vector<int>{3, 1, 2}));
    parent->bringSubviewToFront(c);
    EXPECT_EQ(tags(*parent), (std::vector<int>{1, 2, 3}));
    parent->addSubview(a);  // re-adding moves it to the front
    EXPECT_EQ(tags(*parent), (std::vector<int>{2, 3, 1}));

    auto other = View::create();
    other->addSubview(b);  // moving to another superview
    EXPECT_EQ(tags(*parent), (std::vector<int>{3, 1}));
    EXPECT_EQ(b->superview(), other);
    b->removeFromSuperview();
    EXPECT_EQ(b->superview(), nullptr);
    EXPECT_TRUE(other->subviews().empty());

    EXPECT_THROW(a->addSubview(parent), std::invalid_argument);
    EXPECT_THROW(a->addSubview(a), std::invalid_argument);
    EXPECT_EQ(parent->viewWithTag(1), a);
}

TEST(ViewTree, SuperviewIsWeak) {
    auto child = View::create();
    {
        auto parent = View::create();
        parent->addSubview(child);
    }
    EXPECT_EQ(child->superview(), nullptr);
}

TEST(ViewTree, TintIsInheritedUntilAViewSetsItsOwn) {
    struct Watcher : View {
        int changes = 0;
        void tintColorDidChange() override { ++changes; }
    };
    auto root = View::create();
    auto middle = View::create();
    auto leaf = std::make_shared<Watcher>();
    root->addSubview(middle);
    middle->addSubview(leaf);
    EXPECT_TRUE(leaf->tintColor().isApproximately(gfx::Color::systemBlue()));

    root->setTintColor(gfx::Color::systemRed());
    EXPECT_TRUE(leaf->tintColor().isApproximately(gfx::Color::systemRed()));
    EXPECT_EQ(leaf->changes, 1);

    middle->setTintColor(gfx::Color::systemGreen());
    root->setTintColor(gfx::Color::systemPink());  // hidden by the middle view's own tint
    EXPECT_TRUE(leaf->tintColor().isApproximately(gfx::Color::systemGreen()));
    EXPECT_EQ(leaf->changes, 2);
}

TEST(ViewTree, TraitChangesReachTheWholeTree) {
    struct Watcher : View {
        std::vector<bool> previousWasDark;
        int windowMoves = 0;
        void traitCollectionDidChange(const gfx::TraitCollection& previous) override {
            previousWasDark.push_back(previous.isDark());
        }
        void didMoveToWindow() override { ++windowMoves; }
    };
    auto window = ui::Window::create({100, 100});
    auto outer = std::make_shared<Watcher>();
    auto inner = std::make_shared<Watcher>();
    outer->addSubview(inner);
    window->addSubview(outer);
    EXPECT_EQ(inner->window(), window);
    EXPECT_EQ(inner->windowMoves, 1);
    EXPECT_TRUE(inner->previousWasDark.empty());  // light outside and inside
    window->addSubview(outer);                    // reordering is not a move
    EXPECT_EQ(inner->windowMoves, 1);

    window->setTraitCollection(gfx::TraitCollection::dark());
    window->setTraitCollection(gfx::TraitCollection::dark());  // no change, no call
    EXPECT_EQ(outer->previousWasDark, std::vector<bool>{false});
    EXPECT_EQ(inner->previousWasDark, std::vector<bool>{false});
    EXPECT_TRUE(inner->traitCollection().isDark());

    // Leaving a dark window is a change back to light.
    outer->removeFromSuperview();
    EXPECT_EQ(inner->window(), nullptr);
    EXPECT_EQ(inner->windowMoves, 2);
    EXPECT_EQ(inner->previousWasDark, (std::vector<bool>{false, true}));
}

TEST(ViewTree, HitTestingFindsTheFrontmostInteractiveView) {
    auto window = ui::Window::create({300, 300});
    auto back = viewAt({0, 0, 200, 200}, 1);
    auto front = viewAt({50, 50, 100, 100}, 2);
    auto nested = viewAt({10, 10, 20, 20}, 3);
    window->addSubview(back);
    window->addSubview(front);
    front->addSubview(nested);

    EXPECT_EQ(window->hitTest({20, 20}), back);
    EXPECT_EQ(window->hitTest({70, 70}), nested);
    EXPECT_EQ(window->hitTest({100, 100}), front);
    EXPECT_EQ(window->hitTest({250, 250}), window);
    EXPECT_EQ(window->hitTest({-1, 5}), nullptr);

    // Subviews sticking out of their superview are not hit outside it.
    nested->setFrame({90, 90, 40, 40});
    EXPECT_EQ(window->hitTest({145, 145}), nested);
    EXPECT_EQ(window->hitTest({160, 160}), back);

    front->setHidden(true);
    EXPECT_EQ(window->hitTest({100, 100}), back);
    front->setHidden(false);
    front->setAlpha(0.005);
    EXPECT_EQ(window->hitTest({100, 100}), back);
    front->setAlpha(0.01);
    EXPECT_EQ(window->hitTest({100, 100}), front);
    front->setUserInteractionEnabled(false);
    EXPECT_EQ(window->hitTest({145, 145}), back);  // its subviews go with it
}

TEST(ViewTree, PointsConvertThroughBoundsOrigins) {
    auto root = viewAt({0, 0, 400, 400}, 0);
    auto scroller = viewAt({10, 20, 200, 200}, 0);
    scroller->setBounds({0, 100, 200, 200});  // scrolled down by 100
    auto row = viewAt({5, 150, 100, 44}, 0);
    root->addSubview(scroller);
    scroller->addSubview(row);

    EXPECT_EQ(row->convertPoint({1, 2}, nullptr), gfx::Point(16, 72));
    EXPECT_EQ(row->convertPoint({1, 2}, scroller.get()), gfx::Point(6, 152));
    EXPECT_EQ(root->convertPoint({16, 72}, row.get()), gfx::Point(1, 2));
    EXPECT_EQ(row->convertPointFrom({16, 72}, root.get()), gfx::Point(1, 2));
    EXPECT_EQ(root->hitTest({16, 72}), row);
}

TEST(ViewTree, SizeToFitUsesSizeThatFits) {
    struct Fixed : View {
        gfx::Size sizeThatFits(gfx::Size) const override { return {42, 17}; }
    };
    auto view = std::make_shared<Fixed>();
    view->setFrame({3, 4, 0, 0});
    view->sizeToFit();
    EXPECT_EQ(view->frame(), gfx::Rect(3, 4, 42, 17));
}

}  // namespace
