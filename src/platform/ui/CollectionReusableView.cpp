#include "ui/CollectionReusableView.h"

namespace ui {

std::shared_ptr<CollectionReusableView> CollectionReusableView::create() {
    return std::shared_ptr<CollectionReusableView>(new CollectionReusableView());
}

}  // namespace ui
