#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "gfx/Geometry.h"

// A command line the program cannot follow; main prints it with the usage and exits 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The options of `vellium-preview`, checked as they are read.
struct PreviewOptions {
    static constexpr const char* kUsage =
        "usage: vellium-preview (--gallery [--page TITLE] | --bundle NAME [--document DOC] [--title T])\n"
        "                       [--size WxH] [--scale N] [--dark]\n"
        "                       [--screenshot FILE [--after-ms N]] [--screenshot-dir DIR] [--root DIR]\n"
        "                       [--contacts DIR] [--deny-contacts]";

    bool help = false;  // --help or -h: print the usage and stop
    bool gallery = false;
    gfx::Size size{390, 844};
    double scale = 2;
    bool dark = false;
    std::optional<std::string> page;    // a gallery entry to open at start
    std::optional<std::string> bundle;  // a tweak's preference bundle to open instead
    std::string document;               // the bundle's document; empty: the bundle's name
    std::string title;                  // the list screen's title; empty: the bundle's name
    std::optional<std::filesystem::path> screenshot;
    int afterMilliseconds = 0;
    std::filesystem::path screenshotDirectory = ".";
    std::optional<std::filesystem::path> root;
    std::optional<std::filesystem::path> contacts;  // the address book's vCard directory
    bool denyContacts = false;                      // answer "no" to requests for contacts

    // Throws UsageError for an unknown option, a missing or malformed value, `--after-ms`
    // without `--screenshot`, or neither or both of `--gallery` and `--bundle`.
    static PreviewOptions parse(const std::vector<std::string>& arguments);
};
