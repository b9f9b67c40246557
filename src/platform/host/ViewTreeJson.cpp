#include "host/ViewTreeJson.h"

#include <cmath>
#include <cstdio>

#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/View.h"

namespace host {

namespace {

std::string hexColor(const gfx::Color& color) {
    auto channel = [](double value) {
        return static_cast<int>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
    };
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X%02X", channel(color.red()), channel(color.green()),
                  channel(color.blue()), channel(color.alpha()));
    return text;
}

}  // namespace

std::string ViewTreeJson::quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04X", c);
                    out += escaped;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string ViewTreeJson::number(double value) {
    if (!std::isfinite(value)) return "null";
    double rounded = std::round(value * 1000) / 1000;
    if (rounded == 0) rounded = 0;  // no "-0"
    char text[48];
    std::snprintf(text, sizeof text, "%.3f", rounded);
    std::string out = text;
    out.erase(out.find_last_not_of('0') + 1);
    if (out.back() == '.') out.pop_back();
    return out;
}

std::string ViewTreeJson::describe(const ui::View& view) {
    std::string out;
    append(out, view, 0);
    out += "\n";
    return out;
}

void ViewTreeJson::append(std::string& out, const ui::View& view, int depth) {
    std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    std::string inner = indent + "  ";
    gfx::TraitCollection traits = view.traitCollection();
    gfx::Rect frame = view.superview() ? view.superview()->convertRect(view.frame(), nullptr) : view.frame();

    std::vector<std::pair<std::string, std::string>> fields;
    fields.emplace_back("class", quoted(view.className()));
    fields.emplace_back("frame", "[" + number(frame.x) + ", " + number(frame.y) + ", " + number(frame.width) +
                                     ", " + number(frame.height) + "]");
    fields.emplace_back("alpha", number(view.alpha()));
    fields.emplace_back("hidden", view.isHidden() ? "true" : "false");
    if (view.tag() != 0) fields.emplace_back("tag", std::to_string(view.tag()));
    gfx::Color background = view.backgroundColor().resolved(traits);
    if (background.alpha() > 0) fields.emplace_back("backgroundColor", quoted(hexColor(background)));
    if (view.layer().cornerRadius() > 0)
        fields.emplace_back("cornerRadius", number(view.layer().cornerRadius()));
    if (view.layer().borderWidth() > 0) {
        fields.emplace_back("borderWidth", number(view.layer().borderWidth()));
        fields.emplace_back("borderColor", quoted(hexColor(view.layer().borderColor().resolved(traits))));
    }
    if (auto label = dynamic_cast<const ui::Label*>(&view)) {
        fields.emplace_back("text", quoted(label->text()));
        fields.emplace_back("textColor", quoted(hexColor(label->textColor().resolved(traits))));
    }
    if (auto imageView = dynamic_cast<const ui::ImageView*>(&view)) {
        fields.emplace_back("image", imageView->image().isNull() ? "null" : quoted(imageView->imageName()));
    }

    out += indent + "{\n";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        out += inner + quoted(fields[i].first) + ": " + fields[i].second;
        bool last = i + 1 == fields.size() && view.subviews().empty();
        out += last ? "\n" : ",\n";
    }
    if (!view.subviews().empty()) {
        out += inner + "\"subviews\": [\n";
        const auto& subviews = view.subviews();
        for (std::size_t i = 0; i < subviews.size(); ++i) {
            append(out, *subviews[i], depth + 2);
            out += i + 1 == subviews.size() ? "\n" : ",\n";
        }
        out += inner + "]\n";
    }
    out += indent + "}";
}

}  // namespace host
