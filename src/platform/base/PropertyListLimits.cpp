#include "base/PropertyListLimits.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

namespace base {
namespace {

// --- XML ---

std::string_view asText(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The position just past `terminator` at or after `from`, or npos.
std::size_t skipPast(std::string_view text, std::size_t from, std::string_view terminator) {
    const std::size_t found = text.find(terminator, from);
    return found == std::string_view::npos ? found : found + terminator.size();
}

// --- Binary ---
//
// A binary property list is "bplist00", the objects, a table of object offsets and a
// 32-byte trailer: 6 unused bytes, the size of an offset, the size of an object reference,
// then three 64-bit big-endian numbers: object count, root object, offset-table position.
// Arrays (0xA_), sets (0xC_) and dictionaries (0xD_) hold a count (0xF in the low nibble:
// an integer object follows) and then references: one per element, two per dictionary
// entry (keys, then values).

constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kTrailerSize = 32;

std::uint64_t readBigEndian(const std::uint8_t* bytes, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i) value = (value << 8) | bytes[i];
    return value;
}

class BinaryObjectGraph {
public:
    explicit BinaryObjectGraph(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool withinLimits() {
        if (!readTrailer()) return false;
        nodes_.assign(objectCount_, Node{});
        return walkFrom(rootObject_);
    }

private:
    struct Node {
        std::uint64_t expandedSize = 0;   // nodes of the tree this object expands to
        std::uint64_t expandedBytes = 0;  // content bytes of that tree
        std::uint8_t state = 0;           // 0 not seen, 1 on the walk's path, 2 done
        std::uint8_t key = 0;             // 0 not checked as a key, 1 valid key, 2 invalid
    };
    // The references held by one container object.
    struct References {
        std::size_t start = 0;
        std::uint64_t count = 0;
        bool dictionary = false;  // the first half of the references are keys
    };

    bool readTrailer() {
        if (bytes_.size() < kHeaderSize + kTrailerSize) return false;
        objectsEnd_ = bytes_.size() - kTrailerSize;
        const std::uint8_t* trailer = bytes_.data() + objectsEnd_;
        offsetSize_ = trailer[6];
        referenceSize_ = trailer[7];
        objectCount_ = readBigEndian(trailer + 8, 8);
        rootObject_ = readBigEndian(trailer + 16, 8);
        offsetTable_ = readBigEndian(trailer + 24, 8);
        if (offsetSize_ < 1 || offsetSize_ > 8 || referenceSize_ < 1 || referenceSize_ > 8) return false;
        if (objectCount_ == 0 || rootObject_ >= objectCount_) return false;
        if (offsetTable_ < kHeaderSize || offsetTable_ > objectsEnd_) return false;
        return objectCount_ <= (objectsEnd_ - offsetTable_) / offsetSize_;
    }

    std::optional<std::size_t> offsetOf(std::uint64_t object) const {
        const std::uint64_t offset =
            readBigEndian(bytes_.data() + offsetTable_ + object * offsetSize_, offsetSize_);
        if (offset < kHeaderSize || offset >= objectsEnd_) return std::nullopt;
        return std::size_t(offset);
    }

    // The element count (or string length) of the object at `offset`: the marker's low
    // nibble, or with 0xF there an integer object (0x1_, 1 to 8 bytes) after the marker.
    struct Length {
        std::uint64_t count = 0;
        std::size_t contentStart = 0;
    };
    std::optional<Length> lengthAt(std::size_t offset) const {
        std::size_t position = offset + 1;
        std::uint64_t count = bytes_[offset] & 0x0F;
        if (count == 0x0F) {
            if (position >= objectsEnd_ || (bytes_[position] >> 4) != 0x1) return std::nullopt;
            const std::size_t countSize = std::size_t(1) << (bytes_[position] & 0x0F);
            ++position;
            if (countSize > 8 || countSize > objectsEnd_ - position) return std::nullopt;
            count = readBigEndian(bytes_.data() + position, countSize);
            position += countSize;
        }
        return Length{count, position};
    }

    // The references of a container object (none for other objects); nullopt when the
    // object runs past the object area.
    std::optional<References> referencesOf(std::uint64_t object) const {
        const std::optional<std::size_t> offset = offsetOf(object);
        if (!offset) return std::nullopt;
        const std::uint8_t marker = bytes_[*offset];
        const std::uint8_t kind = marker >> 4;
        if (kind != 0xA && kind != 0xC && kind != 0xD) return References{};
        const std::optional<Length> length = lengthAt(*offset);
        if (!length) return std::nullopt;
        std::size_t position = length->contentStart;
        std::uint64_t count = length->count;
        if (kind == 0xD) {
            if (count > (objectsEnd_ - position) / 2) return std::nullopt;
            count *= 2;
        }
        if (count > (objectsEnd_ - position) / referenceSize_) return std::nullopt;
        return References{position, count, kind == 0xD};
    }

    // The content bytes one object holds itself: a data or string object's length (UTF-16
    // counted as the UTF-8 it becomes, up to three bytes a unit), a container's reference
    // slots. nullopt when the content runs past the object area.
    std::optional<std::uint64_t> ownBytesOf(std::uint64_t object) const {
        const std::optional<std::size_t> offset = offsetOf(object);
        if (!offset) return std::nullopt;
        const std::uint8_t kind = bytes_[*offset] >> 4;
        const bool text = kind == 0x4 || kind == 0x5 || kind == 0x6 || kind == 0x7;
        const bool container = kind == 0xA || kind == 0xC || kind == 0xD;
        if (!text && !container) return 0;
        const std::optional<Length> length = lengthAt(*offset);
        if (!length) return std::nullopt;
        if (container) return length->count * (kind == 0xD ? 2 : 1) * sizeof(void*);
        const std::size_t unitSize = kind == 0x6 ? 2 : 1;
        if (length->count > (objectsEnd_ - length->contentStart) / unitSize) return std::nullopt;
        return length->count * (kind == 0x6 ? 3 : 1);
    }

    // Dictionary keys must be strings (ASCII 0x5_, UTF-16 0x6_ or UTF-8 0x7_) without a NUL
    // character: libplist 2.2 aborts on an assertion when it meets a key holding NUL.
    // Checked once per object: a long key may be shared by many entries.
    bool isValidKey(std::uint64_t object) {
        if (object >= objectCount_) return false;
        if (nodes_[object].key == 0) nodes_[object].key = checkKey(object) ? 1 : 2;
        return nodes_[object].key == 1;
    }

    bool checkKey(std::uint64_t object) const {
        const std::optional<std::size_t> offset = offsetOf(object);
        if (!offset) return false;
        const std::uint8_t marker = bytes_[*offset];
        const std::uint8_t kind = marker >> 4;
        if (kind != 0x5 && kind != 0x6 && kind != 0x7) return false;
        const std::optional<Length> length = lengthAt(*offset);
        if (!length) return false;
        const std::size_t position = length->contentStart;
        const std::size_t unitSize = kind == 0x6 ? 2 : 1;
        if (length->count > (objectsEnd_ - position) / unitSize) return false;
        for (std::uint64_t i = 0; i < length->count; ++i) {
            if (readBigEndian(bytes_.data() + position + i * unitSize, unitSize) == 0) return false;
        }
        return true;
    }

    bool keysAreValid(const References& references) {
        if (!references.dictionary) return true;
        for (std::uint64_t i = 0; i < references.count / 2; ++i) {
            if (!isValidKey(reference(references, i))) return false;
        }
        return true;
    }

    std::uint64_t reference(const References& references, std::uint64_t index) const {
        return readBigEndian(bytes_.data() + references.start + index * referenceSize_, referenceSize_);
    }

    std::uint64_t expansionLimit() const { return 2 * std::uint64_t(bytes_.size()) + 64; }

    // A depth-first walk with an explicit stack (the input may be deep, our stack is not).
    bool walkFrom(std::uint64_t root) {
        struct Frame {
            std::uint64_t object;
            References references;
            std::uint64_t nextChild;
        };
        std::vector<Frame> path;
        auto enter = [&](std::uint64_t object) {
            const std::optional<References> references = referencesOf(object);
            if (!references || path.size() >= PropertyListLimits::kMaxDepth) return false;
            if (!keysAreValid(*references)) return false;
            const std::optional<std::uint64_t> ownBytes = ownBytesOf(object);
            if (!ownBytes || *ownBytes > PropertyListLimits::kMaxExpandedBytes) return false;
            nodes_[object].expandedBytes = *ownBytes;
            nodes_[object].state = 1;
            path.push_back(Frame{object, *references, 0});
            return true;
        };
        if (!enter(root)) return false;
        while (!path.empty()) {
            Frame& frame = path.back();
            if (frame.nextChild < frame.references.count) {
                const std::uint64_t child = reference(frame.references, frame.nextChild++);
                if (child >= objectCount_ || nodes_[child].state == 1)
                    return false;  // out of range or a cycle
                if (nodes_[child].state == 0 && !enter(child)) return false;
                continue;
            }
            // Both sums stop just past their limits, so they cannot overflow.
            std::uint64_t size = 1;
            std::uint64_t bytes = nodes_[frame.object].expandedBytes;
            for (std::uint64_t i = 0; i < frame.references.count; ++i) {
                const Node& child = nodes_[reference(frame.references, i)];
                size = std::min(size + child.expandedSize, expansionLimit() + 1);
                bytes = std::min(bytes + child.expandedBytes, PropertyListLimits::kMaxExpandedBytes + 1);
            }
            if (size > expansionLimit() || bytes > PropertyListLimits::kMaxExpandedBytes) return false;
            nodes_[frame.object].expandedSize = size;
            nodes_[frame.object].expandedBytes = bytes;
            nodes_[frame.object].state = 2;
            path.pop_back();
        }
        return true;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t objectsEnd_ = 0;
    std::size_t offsetSize_ = 0;
    std::size_t referenceSize_ = 0;
    std::uint64_t objectCount_ = 0;
    std::uint64_t rootObject_ = 0;
    std::uint64_t offsetTable_ = 0;
    std::vector<Node> nodes_;
};

}  // namespace

bool PropertyListLimits::xmlWithinLimits(std::span<const std::uint8_t> xml) {
    const std::string_view text = asText(xml);
    std::size_t depth = 0;
    std::size_t position = 0;
    while ((position = text.find('<', position)) != std::string_view::npos) {
        const std::string_view rest = text.substr(position);
        if (rest.starts_with("<!--")) {
            position = skipPast(text, position + 4, "-->");
        } else if (rest.starts_with("<![CDATA[")) {
            position = skipPast(text, position + 9, "]]>");
        } else if (rest.starts_with("<?") || rest.starts_with("<!")) {
            position = skipPast(text, position + 2, ">");
        } else if (rest.starts_with("</")) {
            if (depth > 0) --depth;
            position = skipPast(text, position + 2, ">");
        } else {
            const std::size_t end = text.find('>', position + 1);
            if (end == std::string_view::npos) break;
            if (text[end - 1] != '/' && ++depth > kMaxDepth) return false;
            position = end + 1;
        }
        if (position == std::string_view::npos) break;  // unterminated: the parser refuses it
    }
    return true;
}

bool PropertyListLimits::binaryWithinLimits(std::span<const std::uint8_t> binary) {
    return BinaryObjectGraph(binary).withinLimits();
}

}  // namespace base
