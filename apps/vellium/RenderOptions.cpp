#include "RenderOptions.h"

#include "Command.h"
#include "OptionReader.h"

RenderOptions RenderOptions::parse(std::span<const std::string> arguments) {
    RenderOptions options;
    std::vector<std::string> positional;
    OptionReader reader(arguments);
    while (reader.next()) {
        const std::string& name = reader.name();
        auto value = [&] { return reader.value(); };
        if (name == "-o" || name == "--output") {
            options.output = value();
        } else if (name == "--json") {
            options.json = value();
        } else if (name == "--title") {
            options.title = value();
        } else if (name == "--size") {
            options.size = reader.size();
        } else if (name == "--scale") {
            options.scale = reader.scale();
        } else if (name == "--dark") {
            reader.noValue();
            options.dark = true;
        } else if (name == "--home") {
            reader.noValue();
            options.home = true;
        } else if (name == "--repository") {
            options.repository = value();
        } else if (name == "--ca-file") {
            options.caFile = value();
        } else if (name == "--contacts") {
            options.contacts = value();
        } else if (name == "--tap") {
            options.steps.push_back({StepKind::Tap, value(), {}});
        } else if (name == "--tap-at") {
            auto [x, y] = reader.pair(',');
            options.steps.push_back({StepKind::TapAt, {}, {x, y}});
        } else if (name == "--type") {
            options.steps.push_back({StepKind::Type, value(), {}});
        } else if (name == "--scroll") {
            options.steps.push_back({StepKind::Scroll, {}, {0, reader.number()}});
        } else if (name == "--action") {
            options.steps.push_back({StepKind::Action, value(), {}});
        } else if (name.starts_with("-") && name.size() > 1) {
            throw UsageError("unknown option " + name);
        } else {
            positional.push_back(name);
        }
    }
    if (positional.empty()) throw UsageError("missing BUNDLE");
    if (positional.size() > 2) throw UsageError("unexpected argument " + positional[2]);
    if (options.output.empty()) throw UsageError("missing -o FILE.png");
    options.bundle = positional[0];
    if (positional.size() == 2) options.document = positional[1];
    if (options.home && positional.size() == 2) throw UsageError("--home opens a bundle, not a document");
    if (options.title.empty()) options.title = options.bundle;
    return options;
}
