#include "host/HeadlessHost.h"

#include "gfx/Painter.h"
#include "host/ViewTreeJson.h"
#include "ui/View.h"
#include "ui/ViewRenderer.h"

namespace host {

namespace {

std::unique_ptr<gfx::Painter> paint(ui::View& view, double scale) {
    view.layoutIfNeeded();
    gfx::Rect frame = view.frame();
    if (frame.isEmpty() || !(scale > 0)) return nullptr;
    auto painter = std::make_unique<gfx::Painter>(frame.size(), scale);
    HeadlessHost::renderInto(view, *painter);
    return painter;
}

}  // namespace

void HeadlessHost::renderInto(ui::View& view, gfx::Painter& painter) {
    view.layoutIfNeeded();
    gfx::Rect frame = view.frame();
    painter.save();
    painter.setTraitCollection(view.traitCollection());
    painter.translate(-frame.x, -frame.y);
    ui::ViewRenderer::drawHierarchy(view, painter);
    painter.restore();
}

gfx::Image HeadlessHost::render(ui::View& view, double scale) {
    auto painter = paint(view, scale);
    return painter ? painter->makeImage() : gfx::Image();
}

base::Result<void> HeadlessHost::writePng(ui::View& view, const std::filesystem::path& path, double scale) {
    auto painter = paint(view, scale);
    if (!painter) return base::Error{"host.HeadlessHost", 1, "nothing to render: the view has an empty size"};
    return painter->writePng(path);
}

std::string HeadlessHost::dumpJson(ui::View& view) {
    view.layoutIfNeeded();
    return ViewTreeJson::describe(view);
}

}  // namespace host
