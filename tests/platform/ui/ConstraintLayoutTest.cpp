#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Log.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/LayoutConstraint.h"
#include "ui/LayoutEngine.h"
#include "ui/Window.h"

namespace {

using ui::LayoutConstraint;
using ui::View;

// A 390 x 844 window with a full-screen root view laid out by frame.
struct Screen {
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844}, 2);
    std::shared_ptr<View> root = View::create();
    Screen() {
        root->setFrame({0, 0, 390, 844});
        window->addSubview(root);
    }
    std::shared_ptr<View> constrained(const std::shared_ptr<View>& parent) {
        auto view = View::create();
        view->setTranslatesAutoresizingMaskIntoConstraints(false);
        parent->addSubview(view);
        return view;
    }
};

void activate(const std::vector<std::shared_ptr<LayoutConstraint>>& constraints) {
    LayoutConstraint::activate(constraints);
}

struct LogCapture {
    std::vector<std::string> lines;
    LogCapture() {
        base::Log::setSink([this](std::string_view line) { lines.emplace_back(line); });
    }
    ~LogCapture() { base::Log::resetSink(); }
};

TEST(ConstraintLayout, LabelPinnedByLeadingAndTopTakesItsIntrinsicSize) {
    Screen screen;
    auto label = ui::Label::create("Enabled");
    label->setTranslatesAutoresizingMaskIntoConstraints(false);
    screen.root->addSubview(label);
    activate({label->leadingAnchor().equalTo(screen.root->leadingAnchor(), 16),
              label->topAnchor().equalTo(screen.root->topAnchor(), 20)});
    screen.window->layoutIfNeeded();

    gfx::Size intrinsic = label->intrinsicContentSize();
    ASSERT_GT(intrinsic.width, 20);
    ASSERT_GT(intrinsic.height, 10);
    EXPECT_EQ(label->frame(), gfx::Rect(16, 20, intrinsic.width, intrinsic.height));

    // A longer text grows the label in place.
    label->setText("Enabled for every application");
    screen.window->layoutIfNeeded();
    EXPECT_EQ(label->frame().width, label->intrinsicContentSize().width);
    EXPECT_GT(label->frame().width, intrinsic.width);
}

TEST(ConstraintLayout, PinnedAndCentredViewsNestInWindowCoordinates) {
    Screen screen;
    auto card = screen.constrained(screen.root);
    auto inner = screen.constrained(card);
    auto badge = screen.constrained(screen.root);
    activate({card->leadingAnchor().equalTo(screen.root->leadingAnchor(), 16),
              card->trailingAnchor().equalTo(screen.root->trailingAnchor(), -16),
              card->topAnchor().equalTo(screen.root->topAnchor(), 100),
              card->heightAnchor().equalToConstant(50),
              inner->leadingAnchor().equalTo(card->leadingAnchor(), 10),
              inner->trailingAnchor().equalTo(card->trailingAnchor(), -10),
              inner->topAnchor().equalTo(card->topAnchor(), 5),
              inner->bottomAnchor().equalTo(card->bottomAnchor(), -5),
              badge->centerXAnchor().equalTo(screen.root->centerXAnchor()),
              badge->centerYAnchor().equalTo(screen.root->centerYAnchor()),
              badge->widthAnchor().equalToConstant(101),
              badge->heightAnchor().equalTo(badge->widthAnchor(), 0.5, 0)});
    screen.window->layoutIfNeeded();

    EXPECT_EQ(card->frame(), gfx::Rect(16, 100, 358, 50));
    EXPECT_EQ(inner->frame(), gfx::Rect(10, 5, 338, 40));  // in the card's coordinates
    EXPECT_EQ(inner->convertRect(inner->bounds(), nullptr), gfx::Rect(26, 105, 338, 40));
    // Edges snap to the 2x pixel grid: 396.75 and 447.25 round to 397 and 447.5.
    EXPECT_EQ(badge->frame(), gfx::Rect(144.5, 397, 101, 50.5));
}

TEST(ConstraintLayout, ChangingAConstantMovesTheViewInPlace) {
    Screen screen;
    auto view = screen.constrained(screen.root);
    auto top = view->topAnchor().equalTo(screen.root->topAnchor(), 10);
    activate({top, view->leadingAnchor().equalTo(screen.root->leadingAnchor(), 0),
              view->widthAnchor().equalToConstant(40), view->heightAnchor().equalToConstant(40)});
    screen.window->layoutIfNeeded();
    ASSERT_EQ(view->frame().y, 10);
    std::size_t count = screen.window->layoutEngine().solverConstraintCount();

    top->setConstant(75);
    EXPECT_EQ(view->frame().y, 10) << "frames change on the next layout pass";
    screen.window->layoutIfNeeded();
    EXPECT_EQ(view->frame().y, 75);
    EXPECT_EQ(screen.window->layoutEngine().solverConstraintCount(), count);
    EXPECT_TRUE(top->isInstalled());

    // Deactivating takes it out of the solver and out of the views' lists.
    top->setActive(false);
    EXPECT_FALSE(top->isInstalled());
    EXPECT_EQ(screen.window->layoutEngine().solverConstraintCount(), count - 1);
    EXPECT_EQ(view->constraints().size(), 3u);
}

TEST(ConstraintLayout, UnsatisfiableRequiredConstraintIsLoggedAndLeftOut) {
    Screen screen;
    LogCapture log;
    auto view = screen.constrained(screen.root);
    auto conflicting = view->widthAnchor().equalToConstant(200);
    activate({view->leadingAnchor().equalTo(screen.root->leadingAnchor(), 30),
              view->topAnchor().equalTo(screen.root->topAnchor(), 40),
              view->widthAnchor().equalToConstant(100), view->heightAnchor().equalToConstant(20),
              conflicting});
    screen.window->layoutIfNeeded();

    EXPECT_EQ(view->frame(), gfx::Rect(30, 40, 100, 20));
    EXPECT_TRUE(conflicting->isActive());
    EXPECT_FALSE(conflicting->isInstalled());
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_NE(log.lines[0].find("width == 200"), std::string::npos) << log.lines[0];

    // A constant edited into conflict is left out too; the rest still lays out.
    auto top = view->topAnchor().lessThanOrEqualTo(screen.root->topAnchor(), 100);
    top->setActive(true);
    top->setConstant(10);
    screen.window->layoutIfNeeded();
    EXPECT_FALSE(top->isInstalled());
    EXPECT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(view->frame(), gfx::Rect(30, 40, 100, 20));
}

TEST(ConstraintLayout, ConstraintsMadeOutsideAWindowEnterItWithTheirViews) {
    auto container = View::create();
    container->setFrame({0, 0, 300, 300});
    auto child = View::create();
    child->setTranslatesAutoresizingMaskIntoConstraints(false);
    container->addSubview(child);
    activate({child->leftAnchor().equalTo(container->leftAnchor(), 12),
              child->topAnchor().equalTo(container->topAnchor(), 34),
              child->widthAnchor().equalToConstant(56), child->heightAnchor().equalToConstant(78)});
    container->layoutIfNeeded();  // no window: nothing to solve yet
    EXPECT_EQ(child->frame(), gfx::Rect());

    auto window = ui::Window::create({320, 480});
    window->addSubview(container);
    window->layoutIfNeeded();
    EXPECT_EQ(child->frame(), gfx::Rect(12, 34, 56, 78));

    // Leaving the window takes them out of its solver but keeps them active.
    container->removeFromSuperview();
    EXPECT_EQ(window->layoutEngine().solverConstraintCount(), 4u);  // the window's own frame
    EXPECT_TRUE(child->constraints()[0]->isActive());
    EXPECT_FALSE(child->constraints()[0]->isInstalled());
}

TEST(ConstraintLayout, HuggingAndCompressionDecideWhichLabelStretches) {
    Screen screen;
    auto title = ui::Label::create("Title");
    auto detail = ui::Label::create("Detail");
    for (const auto& label : {title, detail}) {
        label->setTranslatesAutoresizingMaskIntoConstraints(false);
        screen.root->addSubview(label);
    }
    detail->setContentHuggingPriority(200, ui::LayoutAxis::Horizontal);
    activate({title->leadingAnchor().equalTo(screen.root->leadingAnchor(), 16),
              detail->leadingAnchor().equalTo(title->trailingAnchor(), 8),
              detail->trailingAnchor().equalTo(screen.root->trailingAnchor(), -16),
              title->topAnchor().equalTo(screen.root->topAnchor()),
              detail->topAnchor().equalTo(screen.root->topAnchor())});
    screen.window->layoutIfNeeded();
    EXPECT_EQ(title->frame().width, title->intrinsicContentSize().width);
    EXPECT_EQ(detail->frame().maxX(), 374);

    // Now the title hugs less: it takes the slack and the detail keeps its text width.
    detail->setContentHuggingPriority(300, ui::LayoutAxis::Horizontal);
    screen.window->layoutIfNeeded();
    EXPECT_EQ(detail->frame().width, detail->intrinsicContentSize().width);
    EXPECT_EQ(detail->frame().maxX(), 374);
}

TEST(ConstraintLayout, LeadingAndTrailingMirrorRightToLeft) {
    Screen screen;
    auto view = screen.constrained(screen.root);
    auto centred = screen.constrained(screen.root);
    auto centring = centred->centerXAnchor().equalTo(view->centerXAnchor());
    centring->setPriority(500);  // pulls it against the >= 8
    activate({view->leadingAnchor().equalTo(screen.root->leadingAnchor(), 20),
              view->topAnchor().equalTo(screen.root->topAnchor()), view->widthAnchor().equalToConstant(100),
              view->heightAnchor().equalToConstant(10),
              centred->leadingAnchor().greaterThanOrEqualTo(view->trailingAnchor(), 8), centring,
              centred->topAnchor().equalTo(screen.root->topAnchor()),
              centred->widthAnchor().equalToConstant(50), centred->heightAnchor().equalToConstant(10)});
    screen.window->layoutIfNeeded();
    EXPECT_EQ(view->frame().x, 20);
    EXPECT_EQ(centred->frame().x, 128);

    screen.window->setLayoutDirection(ui::LayoutDirection::RightToLeft);
    screen.window->layoutIfNeeded();
    EXPECT_EQ(view->frame().x, 390 - 20 - 100);
    EXPECT_EQ(centred->frame().maxX(), 270 - 8);

    screen.window->setLayoutDirection(ui::LayoutDirection::LeftToRight);
    screen.window->layoutIfNeeded();
    EXPECT_EQ(view->frame().x, 20);
}

TEST(ConstraintLayout, FrameLaidOutViewsTakePartAtTheirFrames) {
    Screen screen;
    auto panel = View::create();  // laid out by frame
    panel->setFrame({50, 60, 200, 100});
    screen.root->addSubview(panel);
    auto child = screen.constrained(panel);
    activate({child->topAnchor().equalTo(panel->topAnchor(), 10),
              child->trailingAnchor().equalTo(panel->trailingAnchor(), -10),
              child->widthAnchor().equalTo(panel->widthAnchor(), 0.5, 0),
              child->heightAnchor().equalToConstant(20)});
    screen.window->layoutIfNeeded();
    EXPECT_EQ(child->frame(), gfx::Rect(90, 10, 100, 20));

    // Moving or resizing the frame-laid-out panel updates its pins in place.
    panel->setFrame({0, 0, 300, 100});
    screen.window->layoutIfNeeded();
    EXPECT_EQ(child->frame(), gfx::Rect(140, 10, 150, 20));
    EXPECT_EQ(child->convertPoint({0, 0}, nullptr), gfx::Point(140, 10));
}

TEST(ConstraintLayout, AutoresizingFollowsTheSuperviewsSize) {
    auto parent = View::create();
    parent->setFrame({0, 0, 100, 100});
    auto stretchy = View::create();
    stretchy->setFrame({10, 10, 80, 30});
    stretchy->setAutoresizingMask(ui::FlexibleWidth | ui::FlexibleHeight);
    auto fixed = View::create();
    fixed->setFrame({10, 50, 20, 20});
    parent->addSubview(stretchy);
    parent->addSubview(fixed);

    parent->setFrame({0, 0, 150, 120});
    EXPECT_EQ(stretchy->frame(), gfx::Rect(10, 10, 130, 50));
    EXPECT_EQ(fixed->frame(), gfx::Rect(10, 50, 20, 20));
}

TEST(ConstraintLayout, LayoutSubviewsRunsAfterTheFrameIsFinal) {
    struct Recorder : View {
        std::vector<gfx::Rect> seen;
        void layoutSubviews() override { seen.push_back(frame()); }
    };
    Screen screen;
    auto recorder = std::make_shared<Recorder>();
    recorder->setTranslatesAutoresizingMaskIntoConstraints(false);
    screen.root->addSubview(recorder);
    auto width = recorder->widthAnchor().equalToConstant(10);
    activate({recorder->leftAnchor().equalTo(screen.root->leftAnchor()),
              recorder->topAnchor().equalTo(screen.root->topAnchor()), width,
              recorder->heightAnchor().equalToConstant(10)});
    screen.window->layoutIfNeeded();
    width->setConstant(30);
    screen.window->layoutIfNeeded();
    screen.window->layoutIfNeeded();  // nothing changed: no further pass
    ASSERT_EQ(recorder->seen.size(), 2u);
    EXPECT_EQ(recorder->seen[0], gfx::Rect(0, 0, 10, 10));
    EXPECT_EQ(recorder->seen[1], gfx::Rect(0, 0, 30, 10));
}

TEST(ConstraintLayout, ConstraintsOutliveTheirWindowSafely) {
    auto child = View::create();
    child->setTranslatesAutoresizingMaskIntoConstraints(false);
    std::shared_ptr<LayoutConstraint> width;
    {
        Screen screen;
        screen.root->addSubview(child);
        width = child->widthAnchor().equalToConstant(10);
        width->setActive(true);
        ASSERT_TRUE(width->isInstalled());
    }
    // The window and its solver are gone; the constraint must not reach into them.
    EXPECT_FALSE(width->isInstalled());
    width->setConstant(20);
    width->setPriority(500);
    width->setActive(false);
    EXPECT_TRUE(child->constraints().empty());
}

TEST(ConstraintLayout, ImageViewsTakeTheirImageSize) {
    Screen screen;
    auto icon = ui::ImageView::create(gfx::Image(58, 40, std::vector<std::uint32_t>(58 * 40), 2), "icon");
    icon->setTranslatesAutoresizingMaskIntoConstraints(false);
    screen.root->addSubview(icon);
    activate({icon->trailingAnchor().equalTo(screen.root->trailingAnchor(), -10),
              icon->bottomAnchor().equalTo(screen.root->bottomAnchor(), -10)});
    screen.window->layoutIfNeeded();
    EXPECT_EQ(icon->frame(), gfx::Rect(351, 814, 29, 20));

    icon->setImage({});  // no image, no intrinsic size: a required width takes over
    icon->widthAnchor().equalToConstant(5)->setActive(true);
    screen.window->layoutIfNeeded();
    EXPECT_EQ(icon->frame().width, 5);
}

TEST(ConstraintLayout, MismatchedAnchorsAreRefused) {
    auto view = View::create();
    EXPECT_THROW(view->topAnchor().equalTo(view->leftAnchor()), std::invalid_argument);
    EXPECT_THROW(view->leadingAnchor().equalTo(view->rightAnchor()), std::invalid_argument);
    EXPECT_THROW(view->widthAnchor().equalTo(view->centerXAnchor()), std::invalid_argument);
    EXPECT_THROW(view->topAnchor().equalToConstant(3), std::invalid_argument);
}

}  // namespace
