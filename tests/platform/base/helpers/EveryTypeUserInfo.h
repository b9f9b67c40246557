#pragma once

#include <cstdint>
#include <limits>

#include "base/Value.h"

namespace testing_support {

// A user info holding a value of every property-list type, nested containers included.
inline base::Value everyTypeUserInfo() {
    base::Value::Dictionary nested;
    nested["deep"] = base::Value(true);
    base::Value::Dictionary info;
    info["string"] = base::Value("h\xC3\xA9llo \xE2\x9C\x93 'quoted' \"twice\"");
    info["emptyString"] = base::Value("");
    info["integer"] = base::Value(-1234567890123LL);
    info["unsigned"] = base::Value(std::numeric_limits<std::uint64_t>::max());
    info["real"] = base::Value(2.5);
    info["yes"] = base::Value(true);
    info["no"] = base::Value(false);
    info["date"] = base::Value(base::Date(123456.25));
    info["data"] = base::Value(base::Data{0, 1, 2, 0xFF});
    info["emptyData"] = base::Value(base::Data{});
    info["array"] = base::Value(base::Value::Array{base::Value(1), base::Value("two"),
                                                   base::Value(base::Value::Array{base::Value(3.0)})});
    info["emptyArray"] = base::Value(base::Value::Array{});
    info["dictionary"] = base::Value(base::Value::Dictionary{{"nested", base::Value(nested)}});
    return base::Value(info);
}

// What a receiver gets for `everyTypeUserInfo()`: the bus carries dates as reals.
inline base::Value everyTypeUserInfoAsReceived() {
    base::Value expected = everyTypeUserInfo();
    expected.set("date", base::Value(123456.25));
    return expected;
}

}  // namespace testing_support
