#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/TableViewDataSource.h"
#include "ui/TableViewDelegate.h"
#include "ui/ViewController.h"

namespace ui {
class TableView;
}

// A page of the host application: a large title over an inset-grouped list of rows. A row is a
// text with a detail, a link that opens its address when chosen, or a switch with a handler.
// The host's Store, Settings and Support tabs and its donation sheet are such pages.
class HostPageViewController : public ui::ViewController,
                               public ui::TableViewDataSource,
                               public ui::TableViewDelegate {
public:
    struct Row {
        enum class Kind { Text, Link, Switch };
        Kind kind = Kind::Text;
        std::string title;
        std::string detail;  // a text's value; a link's address
        bool on = false;     // a switch's state at first
        std::function<void(bool)> changed;

        static Row text(std::string title, std::string detail) {
            return {Kind::Text, std::move(title), std::move(detail), false, {}};
        }
        static Row link(std::string title, std::string address) {
            return {Kind::Link, std::move(title), std::move(address), false, {}};
        }
        static Row toggle(std::string title, bool on, std::function<void(bool)> changed) {
            return {Kind::Switch, std::move(title), {}, on, std::move(changed)};
        }
    };

    static std::shared_ptr<HostPageViewController> create(std::string title, std::vector<Row> rows);

    const std::shared_ptr<ui::TableView>& tableView() const { return table_; }

    int numberOfRowsInSection(ui::TableView&, int) override { return static_cast<int>(rows_.size()); }
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView& table, ui::IndexPath ip) override;
    void didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath ip) override;

protected:
    HostPageViewController(std::string title, std::vector<Row> rows);
    void viewDidLoad() override;

private:
    std::vector<Row> rows_;
    std::shared_ptr<ui::TableView> table_;
};
