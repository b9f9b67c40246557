#pragma once

#include <memory>
#include <string>

#include "ui/View.h"

namespace ui {

// A view a collection view hands out by reuse identifier (section headers; the base of cells).
class CollectionReusableView : public View {
public:
    static std::shared_ptr<CollectionReusableView> create();
    const char* className() const override { return "CollectionReusableView"; }

    // Set by the collection view when it dequeues the view.
    const std::string& reuseIdentifier() const { return reuseIdentifier_; }
    void setReuseIdentifier(std::string identifier) { reuseIdentifier_ = std::move(identifier); }
    // Called before the view is handed out again; subclasses clear their content.
    virtual void prepareForReuse() {}

protected:
    CollectionReusableView() = default;

private:
    std::string reuseIdentifier_;
};

}  // namespace ui
