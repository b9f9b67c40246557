#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "UsageError.h"
#include "gfx/Geometry.h"

// The options of `vellium-preview`, checked as they are read.
struct PreviewOptions {
    static constexpr const char* kUsage =
        "usage: vellium-preview [--gallery [--page TITLE] | --bundle NAME [--document DOC] [--title T]]\n"
        "                       [--size WxH] [--scale N] [--dark]\n"
        "                       [--screenshot FILE [--after-ms N]] [--screenshot-dir DIR] [--root DIR]\n"
        "                       [--repository URL] [--ca-file FILE] [--contacts DIR] [--deny-contacts]";

    bool help = false;  // --help or -h: print the usage and stop
    bool gallery = false;
    gfx::Size size{390, 844};
    double scale = 2;
    bool dark = false;
    std::optional<std::string> page;    // a gallery entry to open at start
    std::optional<std::string> bundle;  // a tweak's preference bundle to open at start
    std::string document;               // the bundle's document; empty: the bundle's name
    std::string title;                  // the list screen's title; empty: the bundle's name
    std::optional<std::filesystem::path> screenshot;
    int afterMilliseconds = 0;
    std::filesystem::path screenshotDirectory = ".";
    std::optional<std::filesystem::path> root;
    std::optional<std::string> repository;          // the package repository's base address
    std::optional<std::filesystem::path> caFile;    // the CA file that verifies it
    std::optional<std::filesystem::path> contacts;  // the address book's vCard directory
    bool denyContacts = false;                      // answer "no" to requests for contacts

    // Throws UsageError for an unknown option, a missing or malformed value, `--after-ms`
    // without `--screenshot`, or both `--gallery` and `--bundle`. With neither the host
    // application shows the installed tweaks.
    static PreviewOptions parse(const std::vector<std::string>& arguments);
};
