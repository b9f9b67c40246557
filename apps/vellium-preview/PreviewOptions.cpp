#include "PreviewOptions.h"

#include <cmath>

#include "OptionReader.h"

PreviewOptions PreviewOptions::parse(const std::vector<std::string>& arguments) {
    PreviewOptions options;
    bool afterGiven = false;
    OptionReader reader(arguments);
    while (reader.next()) {
        const std::string& name = reader.name();
        auto value = [&] { return reader.value(); };
        auto flag = [&] { reader.noValue(); };
        if (name == "--gallery") {
            flag();
            options.gallery = true;
        } else if (name == "--help" || name == "-h") {
            flag();
            options.help = true;
        } else if (name == "--dark") {
            flag();
            options.dark = true;
        } else if (name == "--size") {
            options.size = reader.size();
        } else if (name == "--scale") {
            options.scale = reader.scale();
        } else if (name == "--page") {
            options.page = value();
        } else if (name == "--bundle") {
            options.bundle = value();
        } else if (name == "--document") {
            options.document = value();
        } else if (name == "--title") {
            options.title = value();
        } else if (name == "--screenshot") {
            options.screenshot = value();
        } else if (name == "--after-ms") {
            double ms = reader.number();
            if (ms < 0 || ms > 600000 || ms != std::floor(ms))
                throw UsageError("--after-ms needs whole milliseconds up to 600000");
            options.afterMilliseconds = static_cast<int>(ms);
            afterGiven = true;
        } else if (name == "--screenshot-dir") {
            options.screenshotDirectory = value();
        } else if (name == "--root") {
            options.root = value();
        } else if (name == "--repository") {
            options.repository = value();
        } else if (name == "--ca-file") {
            options.caFile = value();
        } else if (name == "--contacts") {
            options.contacts = value();
        } else if (name == "--deny-contacts") {
            flag();
            options.denyContacts = true;
        } else {
            throw UsageError(name.starts_with("-") ? "unknown option " + name
                                                   : "unexpected argument " + name);
        }
    }
    if (afterGiven && !options.screenshot) throw UsageError("--after-ms only applies with --screenshot");
    if (options.help) return options;
    if (options.gallery && options.bundle) throw UsageError("give --gallery or --bundle NAME, not both");
    if (options.page && !options.gallery) throw UsageError("--page only applies with --gallery");
    if ((!options.document.empty() || !options.title.empty()) && !options.bundle)
        throw UsageError("--document and --title only apply with --bundle");
    return options;
}
