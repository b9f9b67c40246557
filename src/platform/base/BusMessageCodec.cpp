#include "base/BusMessageCodec.h"

#include <systemd/sd-bus.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace base {
namespace {

int appendVariant(sd_bus_message* message, const Value& value);

int checkedString(const std::string& text) { return text.find('\0') == std::string::npos ? 0 : -EINVAL; }

int appendDictionary(sd_bus_message* message, const Value::Dictionary& dictionary) {
    int r = sd_bus_message_open_container(message, SD_BUS_TYPE_ARRAY, "{sv}");
    for (const auto& [key, value] : dictionary) {
        if (r < 0) return r;
        if (value.isAbsent()) continue;
        if ((r = checkedString(key)) < 0) return r;
        if ((r = sd_bus_message_open_container(message, SD_BUS_TYPE_DICT_ENTRY, "sv")) < 0) return r;
        if ((r = sd_bus_message_append_basic(message, SD_BUS_TYPE_STRING, key.c_str())) < 0) return r;
        if ((r = appendVariant(message, value)) < 0) return r;
        r = sd_bus_message_close_container(message);
    }
    return r < 0 ? r : sd_bus_message_close_container(message);
}

int appendArray(sd_bus_message* message, const Value::Array& array) {
    int r = sd_bus_message_open_container(message, SD_BUS_TYPE_ARRAY, "v");
    for (const Value& element : array) {
        if (r < 0) return r;
        if (!element.isAbsent()) r = appendVariant(message, element);
    }
    return r < 0 ? r : sd_bus_message_close_container(message);
}

// Appends `value` wrapped in a variant, the type chosen by the value's own type.
int appendVariant(sd_bus_message* message, const Value& value) {
    switch (value.type()) {
        case Value::Type::Absent:
            return -EINVAL;
        case Value::Type::Boolean:
            return sd_bus_message_append(message, "v", "b", int(*value.asBoolean()));
        case Value::Type::Integer:
            if (value.isUnsignedInteger()) {
                return sd_bus_message_append(message, "v", "t", std::uint64_t(value.unsignedIntegerValue()));
            }
            return sd_bus_message_append(message, "v", "x", std::int64_t(value.longLongValue()));
        case Value::Type::Real:
            return sd_bus_message_append(message, "v", "d", value.doubleValue());
        case Value::Type::Date:
            return sd_bus_message_append(message, "v", "d", value.asDate()->timeIntervalSinceReferenceDate());
        case Value::Type::String: {
            const std::string& text = *value.asString();
            if (int r = checkedString(text); r < 0) return r;
            return sd_bus_message_append(message, "v", "s", text.c_str());
        }
        default:
            break;
    }
    const char* contents = value.type() == Value::Type::Data    ? "ay"
                           : value.type() == Value::Type::Array ? "av"
                                                                : "a{sv}";
    int r = sd_bus_message_open_container(message, SD_BUS_TYPE_VARIANT, contents);
    if (r < 0) return r;
    if (const Data* data = value.asData()) {
        r = sd_bus_message_append_array(message, SD_BUS_TYPE_BYTE, data->data(), data->size());
    } else if (const Value::Array* array = value.asArray()) {
        r = appendArray(message, *array);
    } else {
        r = appendDictionary(message, *value.asDictionary());
    }
    return r < 0 ? r : sd_bus_message_close_container(message);
}

template <typename Wire>
int readBasic(sd_bus_message* message, char type, Value& value) {
    Wire number{};
    const int r = sd_bus_message_read_basic(message, type, &number);
    if (r >= 0) value = Value(number);
    return r;
}

int readStringKeyedDictionary(sd_bus_message* message, const char* contents, Value& value) {
    // `contents` is "{sK}"; each entry is entered with "sK".
    const std::string entryContents(contents + 1, std::strlen(contents) - 2);
    int r = sd_bus_message_enter_container(message, SD_BUS_TYPE_ARRAY, contents);
    Value::Dictionary dictionary;
    while (r >= 0 &&
           (r = sd_bus_message_enter_container(message, SD_BUS_TYPE_DICT_ENTRY, entryContents.c_str())) > 0) {
        const char* key = nullptr;
        Value entry;
        if ((r = sd_bus_message_read_basic(message, SD_BUS_TYPE_STRING, &key)) < 0) return r;
        if ((r = BusMessageCodec::readValue(message, entry)) < 0) return r;
        if ((r = sd_bus_message_exit_container(message)) < 0) return r;
        if (!entry.isAbsent()) dictionary[key] = std::move(entry);
    }
    if (r < 0) return r;
    value = Value(std::move(dictionary));
    return sd_bus_message_exit_container(message);
}

// Reads the elements of an array or struct (already identified by `type`, `contents`).
int readSequence(sd_bus_message* message, char type, const char* contents, Value& value) {
    int r = sd_bus_message_enter_container(message, type, contents);
    if (r < 0) return r;
    Value::Array array;
    while ((r = sd_bus_message_at_end(message, 0)) == 0) {
        Value element;
        if ((r = BusMessageCodec::readValue(message, element)) < 0) return r;
        if (!element.isAbsent()) array.push_back(std::move(element));
    }
    if (r < 0) return r;
    value = Value(std::move(array));
    return sd_bus_message_exit_container(message);
}

int readContainer(sd_bus_message* message, char type, const char* contents, Value& value) {
    if (type == SD_BUS_TYPE_VARIANT) {
        int r = sd_bus_message_enter_container(message, type, contents);
        if (r < 0) return r;
        if ((r = BusMessageCodec::readValue(message, value)) < 0) return r;
        return sd_bus_message_exit_container(message);
    }
    if (type == SD_BUS_TYPE_ARRAY && std::strcmp(contents, "y") == 0) {
        const void* bytes = nullptr;
        size_t size = 0;
        const int r = sd_bus_message_read_array(message, SD_BUS_TYPE_BYTE, &bytes, &size);
        if (r >= 0) {
            const auto* begin = static_cast<const std::uint8_t*>(bytes);
            value = Value(Data(begin, begin + size));
        }
        return r;
    }
    if (type == SD_BUS_TYPE_ARRAY && contents[0] == SD_BUS_TYPE_DICT_ENTRY_BEGIN) {
        if (contents[1] == SD_BUS_TYPE_STRING) return readStringKeyedDictionary(message, contents, value);
        return sd_bus_message_skip(message, nullptr);
    }
    return readSequence(message, type, contents, value);
}

}  // namespace

int BusMessageCodec::appendUserInfo(sd_bus_message* message, const Value& userInfo) {
    if (userInfo.isAbsent()) return appendDictionary(message, {});
    const Value::Dictionary* dictionary = userInfo.asDictionary();
    if (!dictionary) return -EINVAL;
    return appendDictionary(message, *dictionary);
}

int BusMessageCodec::readValue(sd_bus_message* message, Value& value) {
    char type = 0;
    const char* contents = nullptr;
    const int r = sd_bus_message_peek_type(message, &type, &contents);
    if (r <= 0) return r < 0 ? r : -EBADMSG;
    switch (type) {
        case SD_BUS_TYPE_BOOLEAN: {
            int flag = 0;
            const int read = sd_bus_message_read_basic(message, type, &flag);
            if (read >= 0) value = Value(flag != 0);
            return read;
        }
        case SD_BUS_TYPE_BYTE:
            return readBasic<std::uint8_t>(message, type, value);
        case SD_BUS_TYPE_INT16:
            return readBasic<std::int16_t>(message, type, value);
        case SD_BUS_TYPE_UINT16:
            return readBasic<std::uint16_t>(message, type, value);
        case SD_BUS_TYPE_INT32:
            return readBasic<std::int32_t>(message, type, value);
        case SD_BUS_TYPE_UINT32:
            return readBasic<std::uint32_t>(message, type, value);
        case SD_BUS_TYPE_INT64:
            return readBasic<std::int64_t>(message, type, value);
        case SD_BUS_TYPE_UINT64:
            return readBasic<std::uint64_t>(message, type, value);
        case SD_BUS_TYPE_DOUBLE:
            return readBasic<double>(message, type, value);
        case SD_BUS_TYPE_STRING:
        case SD_BUS_TYPE_OBJECT_PATH:
        case SD_BUS_TYPE_SIGNATURE: {
            const char* text = nullptr;
            const int read = sd_bus_message_read_basic(message, type, &text);
            if (read >= 0) value = Value(std::string(text));
            return read;
        }
        case SD_BUS_TYPE_VARIANT:
        case SD_BUS_TYPE_ARRAY:
        case SD_BUS_TYPE_STRUCT:
            return readContainer(message, type, contents, value);
        default:
            return sd_bus_message_skip(message, nullptr);
    }
}

}  // namespace base
