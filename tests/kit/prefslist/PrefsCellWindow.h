#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/Log.h"
#include "ui/TableViewCell.h"
#include "ui/Window.h"

namespace testsupport {

// A cell as a 390-point-wide row of a window, laid out, with the log lines that layout wrote.
struct CellInWindow {
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844});
    std::shared_ptr<ui::TableViewCell> cell;
    std::vector<std::string> logLines;

    CellInWindow(std::shared_ptr<ui::TableViewCell> made, double height) : cell(std::move(made)) {
        base::Log::setSink([this](std::string_view line) { logLines.emplace_back(line); });
        cell->setFrame({0, 0, 390, height});
        window->addSubview(cell);
        window->layoutIfNeeded();
    }
    ~CellInWindow() { base::Log::resetSink(); }

    // A subview's frame in the cell's coordinates.
    gfx::Rect inCell(const ui::View& view) const {
        return view.superview()->convertRect(view.frame(), cell.get());
    }
};

}  // namespace testsupport
