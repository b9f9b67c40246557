#include "host/ViewTreeJson.h"

#include <cmath>
#include <cstdio>

#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/SegmentedControl.h"
#include "ui/Slider.h"
#include "ui/Stepper.h"
#include "ui/Switch.h"
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

using Fields = std::vector<std::pair<std::string, std::string>>;

const char* lineBreakName(ui::LineBreakMode mode) {
    switch (mode) {
        case ui::LineBreakMode::ByWordWrapping:
            return "wordWrapping";
        case ui::LineBreakMode::ByCharWrapping:
            return "charWrapping";
        case ui::LineBreakMode::ByClipping:
            return "clipping";
        case ui::LineBreakMode::ByTruncatingHead:
            return "truncatingHead";
        case ui::LineBreakMode::ByTruncatingTail:
            return "truncatingTail";
        case ui::LineBreakMode::ByTruncatingMiddle:
            return "truncatingMiddle";
    }
    return "truncatingTail";
}

// "normal", or the state's flags joined by "|" ("highlighted|selected").
std::string stateName(unsigned state) {
    if (state == ui::ControlStateNormal) return "normal";
    std::string name;
    auto add = [&](unsigned flag, const char* flagName) {
        if (!(state & flag)) return;
        if (!name.empty()) name += "|";
        name += flagName;
        state &= ~flag;
    };
    add(ui::ControlStateHighlighted, "highlighted");
    add(ui::ControlStateDisabled, "disabled");
    add(ui::ControlStateSelected, "selected");
    if (state != 0) {  // flags of the application's own
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%X", state);
        name += (name.empty() ? "" : "|") + std::string(hex);
    }
    return name;
}

// A JSON object of `fields` whose closing brace is indented by `depth` levels; values that
// are objects themselves come already written for one level deeper.
std::string objectText(const Fields& fields, int depth) {
    std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    std::string out = "{\n";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        out += indent + "  " + ViewTreeJson::quoted(fields[i].first) + ": " + fields[i].second;
        out += i + 1 == fields.size() ? "\n" : ",\n";
    }
    return out + indent + "}";
}

void appendLabelFields(Fields& fields, const ui::Label& label, const gfx::TraitCollection& traits) {
    fields.emplace_back("text", ViewTreeJson::quoted(label.text()));
    fields.emplace_back("textColor", ViewTreeJson::quoted(hexColor(label.textColor().resolved(traits))));
    // Only what differs from a plain one-line label, so that most dumps stay as they are.
    if (label.numberOfLines() != 1)
        fields.emplace_back("numberOfLines", std::to_string(label.numberOfLines()));
    if (label.lineBreakMode() != ui::LineBreakMode::ByTruncatingTail)
        fields.emplace_back("lineBreakMode", ViewTreeJson::quoted(lineBreakName(label.lineBreakMode())));
    if (const std::string& family = label.font().family(); family != gfx::Font::system(17).family())
        fields.emplace_back("fontFamily", ViewTreeJson::quoted(family));
}

// The value a person sets on a control, so tests can follow it through the dump.
void appendControlValue(Fields& fields, const ui::View& view) {
    if (auto toggle = dynamic_cast<const ui::Switch*>(&view))
        fields.emplace_back("on", toggle->isOn() ? "true" : "false");
    if (auto slider = dynamic_cast<const ui::Slider*>(&view))
        fields.emplace_back("value", ViewTreeJson::number(slider->value()));
    if (auto stepper = dynamic_cast<const ui::Stepper*>(&view))
        fields.emplace_back("value", ViewTreeJson::number(stepper->value()));
    if (auto segments = dynamic_cast<const ui::SegmentedControl*>(&view))
        fields.emplace_back("selectedSegmentIndex", std::to_string(segments->selectedSegmentIndex()));
}

// What the button shows in each state given content of its own (falling back to normal's).
void appendButtonFields(Fields& fields, const ui::Button& button, const gfx::TraitCollection& traits,
                        int depth) {
    Fields states;
    for (unsigned state : button.configuredStates()) {
        Fields content;
        if (auto title = button.title(state)) content.emplace_back("title", ViewTreeJson::quoted(*title));
        content.emplace_back("titleColor",
                             ViewTreeJson::quoted(hexColor(button.titleColor(state).resolved(traits))));
        if (!button.image(state).isNull())
            content.emplace_back("image", ViewTreeJson::quoted(button.imageName(state)));
        states.emplace_back(stateName(state), objectText(content, depth + 2));
    }
    if (!states.empty()) fields.emplace_back("states", objectText(states, depth + 1));
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

    Fields fields;
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
    if (auto label = dynamic_cast<const ui::Label*>(&view)) appendLabelFields(fields, *label, traits);
    if (auto button = dynamic_cast<const ui::Button*>(&view))
        appendButtonFields(fields, *button, traits, depth);
    if (auto imageView = dynamic_cast<const ui::ImageView*>(&view)) {
        fields.emplace_back("image", imageView->image().isNull() ? "null" : quoted(imageView->imageName()));
    }
    appendControlValue(fields, view);

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
