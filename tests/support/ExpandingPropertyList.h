#pragma once

#include <cstdint>
#include <vector>

namespace testsupport {

// A 72 KiB binary property list: an array of 8,192 references to one 64 KiB data object,
// half a gigabyte once every reference holds its own copy.
inline std::vector<std::uint8_t> expandingPropertyList(std::uint32_t references = 8192) {
    std::vector<std::uint8_t> bytes{'b', 'p', 'l', 'i', 's', 't', '0', '0'};
    auto append = [&](std::uint64_t value, int size) {
        while (size--) bytes.push_back(std::uint8_t(value >> 8 * size));
    };
    append(0xAF12, 2), append(references, 4);  // the array, its count a 4-byte integer
    bytes.insert(bytes.end(), references, 1);  // 1-byte references to object 1
    const std::size_t data = bytes.size();
    append(0x4F12, 2), append(65536, 4), bytes.insert(bytes.end(), 65536, 0x5A);
    const std::size_t table = bytes.size();
    append(8, 4), append(data, 4);
    append(0x0401, 8), append(2, 8), append(0, 8), append(table, 8);  // trailer
    return bytes;
}

}  // namespace testsupport
