#include "HostPageViewController.h"

#include "gfx/Color.h"
#include "gfx/Font.h"
#include "ui/Application.h"
#include "ui/Label.h"
#include "ui/Switch.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"

namespace {

constexpr double kTitleTop = 60, kTitleHeight = 41, kListTop = 110;

}  // namespace

std::shared_ptr<HostPageViewController> HostPageViewController::create(std::string title,
                                                                       std::vector<Row> rows) {
    return std::shared_ptr<HostPageViewController>(
        new HostPageViewController(std::move(title), std::move(rows)));
}

HostPageViewController::HostPageViewController(std::string title, std::vector<Row> rows)
    : rows_(std::move(rows)) {
    setTitle(std::move(title));
}

void HostPageViewController::viewDidLoad() {
    auto root = view();
    root->setBackgroundColor(gfx::Color::secondarySystemBackground());
    gfx::Size size = root->bounds().size();
    auto heading = ui::Label::create(title());
    heading->setFont(gfx::Font::system(34, gfx::FontWeight::Bold));
    heading->setFrame({20, kTitleTop, size.width - 40, kTitleHeight});
    heading->setAutoresizingMask(ui::FlexibleWidth);
    root->addSubview(heading);

    table_ = ui::TableView::create(ui::TableView::Style::InsetGrouped);
    table_->setFrame({0, kListTop, size.width, std::max(0.0, size.height - kListTop)});
    table_->setAutoresizingMask(ui::FlexibleWidth | ui::FlexibleHeight);
    table_->setBackgroundColor(gfx::Color::clear());
    table_->setDataSource(std::static_pointer_cast<HostPageViewController>(sharedController()));
    table_->setDelegate(std::static_pointer_cast<HostPageViewController>(sharedController()));
    root->addSubview(table_);
}

std::shared_ptr<ui::TableViewCell> HostPageViewController::cellForRowAtIndexPath(ui::TableView&,
                                                                                 ui::IndexPath ip) {
    const Row& row = rows_[static_cast<std::size_t>(ip.row)];
    auto cell = ui::TableViewCell::create(ui::TableViewCellStyle::Subtitle);
    cell->textLabel()->setText(row.title);
    cell->detailTextLabel()->setText(row.detail);
    if (row.kind == Row::Kind::Link) cell->textLabel()->setTextColor(gfx::Color::systemBlue());
    if (row.kind == Row::Kind::Switch) {
        cell->setSelectionStyle(ui::TableViewCellSelectionStyle::None);
        auto toggle = ui::Switch::create();
        toggle->setOn(row.on);
        toggle->addAction(ui::ControlEventValueChanged,
                          [changed = row.changed, weak = std::weak_ptr(toggle)] {
                              if (auto shown = weak.lock(); shown && changed) changed(shown->isOn());
                          });
        cell->setAccessoryView(toggle);
    }
    return cell;
}

void HostPageViewController::didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath ip) {
    table.deselectRowAtIndexPath(ip, true);
    const Row& row = rows_[static_cast<std::size_t>(ip.row)];
    if (row.kind == Row::Kind::Link) ui::Application::shared().openURL(row.detail);
}
