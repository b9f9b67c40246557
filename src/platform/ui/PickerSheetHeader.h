#pragma once

#include <memory>
#include <string>

#include "ui/Button.h"
#include "ui/Label.h"

namespace ui {

class Responder;

// The top strip the list-like platform pickers share (fonts, photos): a sheet-sized root view
// in the system background colour, a centred semibold title and a leading "Cancel" button
// that sends `cancelAction` to `owner`. The picker's content goes below `kHeight`.
class PickerSheetHeader {
public:
    static constexpr double kHeight = 56;

    static PickerSheetHeader build(const std::string& title, const std::weak_ptr<Responder>& owner,
                                   const std::string& cancelAction);

    std::shared_ptr<View> root;
    std::shared_ptr<Label> titleLabel;
    std::shared_ptr<Button> cancelButton;
};

}  // namespace ui
