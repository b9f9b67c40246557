#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "gfx/Geometry.h"

// The command line of `vellium render`: the screen to open and the steps to take, in the
// order given. Parsing throws UsageError.
struct RenderOptions {
    enum class StepKind { Tap, TapAt, Type, Scroll, Action };
    struct Step {
        StepKind kind;
        std::string text;  // tap, type, action
        gfx::Point point;  // tap-at; scroll uses y
    };

    std::string bundle;
    std::string document;  // empty: the bundle's name
    std::string output;
    std::optional<std::string> json;
    std::string title;
    gfx::Size size{390, 844};
    double scale = 2;
    bool dark = false;
    bool home = false;  // the bundle's principal class instead of a document's list
    std::optional<std::string> repository;
    std::optional<std::string> caFile;
    std::optional<std::string> contacts;  // the address book's vCard directory
    std::vector<Step> steps;

    static RenderOptions parse(std::span<const std::string> arguments);
};
