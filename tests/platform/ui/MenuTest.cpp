#include <gtest/gtest.h>

#include "ui/Button.h"
#include "ui/MenuPopover.h"
#include "ui/Touch.h"
#include "ui/Window.h"

namespace {

// A menu button near the top right of a phone-sized window; the handlers note their titles.
class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        button->setFrame({300, 100, 40, 40});
        ui::Menu menu;
        for (const char* title : {"First", "Second"})
            menu.children.push_back({title, "checkmark", [this, title] { picked.push_back(title); }});
        button->setMenu(menu);
        button->setShowsMenuAsPrimaryAction(true);
        window->addSubview(button);
        window->layoutIfNeeded();
    }
    void tapAt(gfx::Point at) {
        window->sendTouch(ui::Touch(1, ui::TouchPhase::Began, at));
        window->sendTouch(ui::Touch(1, ui::TouchPhase::Ended, at));
        window->layoutIfNeeded();
    }
    std::shared_ptr<ui::MenuPopover> popover() {
        for (const auto& overlay : window->overlays())
            if (auto menu = std::dynamic_pointer_cast<ui::MenuPopover>(overlay)) return menu;
        return nullptr;
    }
    gfx::Point centreOfItem(std::size_t index) {
        const auto& item = *popover()->card()->subviews().at(index);
        return item.convertPoint({item.bounds().width / 2, item.bounds().height / 2}, nullptr);
    }

    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844});
    std::shared_ptr<ui::Button> button = ui::Button::create();
    std::vector<std::string> picked;
};

TEST_F(MenuTest, ATapOpensACardBelowTheButtonAndAnItemRunsItsHandlerAndCloses) {
    tapAt({320, 120});
    ASSERT_TRUE(popover());
    const auto card = popover()->card()->frame();
    EXPECT_EQ(card.y, 148);  // 8 points below the button
    EXPECT_LE(card.x + card.width, 390);
    tapAt(centreOfItem(1));
    EXPECT_EQ(picked, std::vector<std::string>{"Second"});
    EXPECT_FALSE(popover());
}

TEST_F(MenuTest, ATapOutsideClosesWithoutPickingAndAPlainButtonOpensNothing) {
    tapAt({320, 120});
    tapAt({20, 700});
    EXPECT_FALSE(popover());
    EXPECT_TRUE(picked.empty());
    button->setShowsMenuAsPrimaryAction(false);
    tapAt({320, 120});
    EXPECT_FALSE(popover());
}

}  // namespace
