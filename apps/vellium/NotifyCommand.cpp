// vellium notify post NAME [KEY=VALUE...]
// vellium notify watch [--count N] NAME...
//
// Posts and watches distributed notifications. A post's KEY=VALUE pairs become string
// entries of the user info; KEY:int=, KEY:real= and KEY:bool= give typed entries. `watch`
// prints one line per notification, "NAME {user info}", until interrupted or until it has
// printed N lines; once subscribed it says "vellium: watching NAME" on standard error.

#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "ArgumentList.h"
#include "Command.h"
#include "TerminationSignals.h"
#include "base/DistributedNotificationCenter.h"
#include "base/RunLoop.h"

namespace {

long long parseInteger(const std::string& text, const std::string& what) {
    long long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size())
        throw UsageError(what + " is not an integer: " + text);
    return number;
}

double parseReal(const std::string& text, const std::string& what) {
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(number)) {
        throw UsageError(what + " is not a number: " + text);
    }
    return number;
}

bool parseBoolean(const std::string& text, const std::string& what) {
    if (text == "true" || text == "yes" || text == "1") return true;
    if (text == "false" || text == "no" || text == "0") return false;
    throw UsageError(what + " is not true or false: " + text);
}

// KEY=VALUE, KEY:string=VALUE, KEY:int=N, KEY:real=X or KEY:bool=true|false.
void addEntry(base::Value& userInfo, const std::string& argument) {
    const auto equals = argument.find('=');
    if (equals == std::string::npos || equals == 0) throw UsageError("expected KEY=VALUE, got " + argument);
    std::string key = argument.substr(0, equals);
    const std::string text = argument.substr(equals + 1);
    std::string type = "string";
    if (const auto colon = key.rfind(':'); colon != std::string::npos) {
        type = key.substr(colon + 1);
        key.resize(colon);
        if (key.empty()) throw UsageError("expected KEY=VALUE, got " + argument);
    }
    if (type == "string") {
        userInfo.set(key, base::Value(text));
    } else if (type == "int") {
        userInfo.set(key, base::Value(parseInteger(text, key)));
    } else if (type == "real") {
        userInfo.set(key, base::Value(parseReal(text, key)));
    } else if (type == "bool") {
        userInfo.set(key, base::Value(parseBoolean(text, key)));
    } else {
        throw UsageError("unknown type " + type + " (string, int, real or bool)");
    }
}

void appendQuoted(std::string& out, const std::string& text) {
    out += '"';
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += char(c);
        }
    }
    out += '"';
}

// One line of JSON-like text: strings quoted, data as <hex>, dates as date(seconds).
void appendDescription(std::string& out, const base::Value& value) {
    char number[40];
    switch (value.type()) {
        case base::Value::Type::Absent:
            out += "null";
            return;
        case base::Value::Type::Boolean:
            out += value.boolValue() ? "true" : "false";
            return;
        case base::Value::Type::Integer:
            out += value.isUnsignedInteger() ? std::to_string(value.unsignedIntegerValue())
                                             : std::to_string(value.longLongValue());
            return;
        case base::Value::Type::Real:
            std::snprintf(number, sizeof number, "%.17g", value.doubleValue());
            out += number;
            return;
        case base::Value::Type::Date:
            std::snprintf(number, sizeof number, "date(%.17g)",
                          value.asDate()->timeIntervalSinceReferenceDate());
            out += number;
            return;
        case base::Value::Type::String:
            appendQuoted(out, *value.asString());
            return;
        case base::Value::Type::Data:
            out += '<';
            for (std::uint8_t byte : *value.asData()) {
                std::snprintf(number, sizeof number, "%02x", byte);
                out += number;
            }
            out += '>';
            return;
        case base::Value::Type::Array: {
            out += '[';
            const char* separator = "";
            for (const base::Value& element : *value.asArray()) {
                out += std::exchange(separator, ", ");
                appendDescription(out, element);
            }
            out += ']';
            return;
        }
        case base::Value::Type::Dictionary: {
            out += '{';
            const char* separator = "";
            for (const auto& [key, element] : *value.asDictionary()) {
                out += std::exchange(separator, ", ");
                appendQuoted(out, key);
                out += ": ";
                appendDescription(out, element);
            }
            out += '}';
            return;
        }
    }
}

int connectOrReport(base::DistributedNotificationCenter& center) {
    if (auto connected = center.connect(); !connected) {
        std::cerr << "vellium: " << connected.error().description << "\n";
        return 1;
    }
    return 0;
}

int runPost(ArgumentList& arguments) {
    const std::string name = arguments.takePositional("notification name");
    base::Value userInfo;
    for (const std::string& entry : arguments.takeRemaining()) addEntry(userInfo, entry);
    auto& center = base::DistributedNotificationCenter::defaultCenter();
    if (int status = connectOrReport(center)) return status;
    return center.post(name, userInfo) ? 0 : 1;
}

int runWatch(ArgumentList& arguments) {
    long long remaining = -1;  // unlimited
    if (auto count = arguments.takeOption("count")) {
        remaining = parseInteger(*count, "--count");
        if (remaining <= 0) throw UsageError("--count must be positive");
    }
    std::vector<std::string> names = arguments.takeRemaining();
    if (names.empty()) throw UsageError("missing notification name");
    for (const std::string& name : names) {
        if (name.starts_with("--")) throw UsageError("unknown option " + name);
    }

    auto& center = base::DistributedNotificationCenter::defaultCenter();
    if (int status = connectOrReport(center)) return status;
    base::RunLoop& loop = base::RunLoop::main();
    std::vector<base::Observation> observations;
    for (const std::string& name : names) {
        auto observation = center.addObserver(name, [&](const base::Notification& notification) {
            std::string line = notification.name;
            if (notification.userInfo.count() > 0) {
                line += ' ';
                appendDescription(line, notification.userInfo);
            }
            std::cout << line << std::endl;
            if (remaining > 0 && --remaining == 0) loop.stop();
        });
        if (!observation) {
            std::cerr << "vellium: " << observation.error().description << "\n";
            return 1;
        }
        observations.push_back(std::move(observation).value());
    }
    for (const std::string& name : names) std::cerr << "vellium: watching " << name << std::endl;
    TerminationSignals signals;
    signals.stopOnArrival(loop);
    loop.run();
    return 0;
}

}  // namespace

int runNotify(std::span<const std::string> words) {
    ArgumentList arguments(words);
    const std::string action = arguments.takePositional("post or watch");
    if (action == "post") return runPost(arguments);
    if (action == "watch") return runWatch(arguments);
    throw UsageError("unknown notify action " + action);
}
