#include <gtest/gtest.h>

#include "host/ViewTreeJson.h"
#include "ui/Button.h"
#include "ui/Label.h"

namespace {

using host::ViewTreeJson;

TEST(ViewTreeJson, NumbersAreShortAndStable) {
    EXPECT_EQ(ViewTreeJson::number(12), "12");
    EXPECT_EQ(ViewTreeJson::number(0.5), "0.5");
    EXPECT_EQ(ViewTreeJson::number(-3.1254), "-3.125");
    EXPECT_EQ(ViewTreeJson::number(19.9999999), "20");
    EXPECT_EQ(ViewTreeJson::number(-0.0001), "0");
    EXPECT_EQ(ViewTreeJson::number(1.0 / 0.0), "null");
}

TEST(ViewTreeJson, StringsEscapeWhatJsonRequires) {
    EXPECT_EQ(ViewTreeJson::quoted("a\"b\\c\nd\x01"), "\"a\\\"b\\\\c\\nd\\u0001\"");
    EXPECT_EQ(ViewTreeJson::quoted("Grüße ✓"), "\"Grüße ✓\"");
}

TEST(ViewTreeJson, ButtonsShowEachConfiguredStateAndLabelsTheirLineSettings) {
    auto button = ui::Button::create();
    button->setFrame({0, 0, 120, 44});
    button->setTitle("Done");
    button->setTitleColor(gfx::Color(1, 0, 0));
    button->setSymbolImage("checkmark", ui::ControlStateHighlighted);
    auto label = ui::Label::create("Notes");
    label->setNumberOfLines(0);
    label->setLineBreakMode(ui::LineBreakMode::ByTruncatingMiddle);
    button->addSubview(label);

    EXPECT_EQ(ViewTreeJson::describe(*button), R"({
  "class": "Button",
  "frame": [0, 0, 120, 44],
  "alpha": 1,
  "hidden": false,
  "states": {
    "normal": {
      "title": "Done",
      "titleColor": "#FF0000FF"
    },
    "highlighted": {
      "title": "Done",
      "titleColor": "#FF0000FF",
      "image": "checkmark"
    }
  },
  "subviews": [
    {
      "class": "Label",
      "frame": [0, 0, 0, 0],
      "alpha": 1,
      "hidden": false,
      "text": "Notes",
      "textColor": "#000000FF",
      "numberOfLines": 0,
      "lineBreakMode": "truncatingMiddle"
    }
  ]
}
)");
}

}  // namespace
