#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "settings/SettingsFileError.h"

namespace ombrel {

struct JsonMember;

// A value of a JSON text and where it begins. Objects keep their members in the text's order,
// in a plain vector: nothing is looked up in them, so a text of many members costs no more than
// their count.
struct JsonValue {
    enum class Kind { Null, Boolean, Integer, Float, String, Object, Array };
    Kind kind = Kind::Null;
    SettingsFilePosition at;
    bool boolean = false;
    std::int64_t integer = 0;          // an unsigned number beyond its range is held at its largest
    std::string text;                  // UTF-8, well-formed
    std::vector<JsonMember> children;  // the members of an object, the elements of an array

    bool IsObject() const { return kind == Kind::Object; }
    bool IsArray() const { return kind == Kind::Array; }
    bool IsString() const { return kind == Kind::String; }
    bool IsBoolean() const { return kind == Kind::Boolean; }
};

// A member of an object (its name and where that stands), or an element of an array (no name;
// its place is the value's own).
struct JsonMember {
    std::string name;
    SettingsFilePosition at;
    JsonValue value;
};

// What a text may hold at most, checked while it is parsed: no text can keep Ombrel busy.
struct JsonLimits {
    static constexpr std::size_t kMaxMembers = 256;   // in one object
    static constexpr std::size_t kMaxElements = 256;  // in one array
    static constexpr std::size_t kMaxDepth = 8;       // objects and arrays within each other
};

// The values of a JSON text (UTF-8, // and /* */ comments allowed) down to `keptDepth`, the
// root being at 0: deeper values are parsed, checked against the limits and dropped. Or the
// first fault: ill-formed JSON or a limit passed where it stands, else the first member given
// twice in one object.
std::variant<JsonValue, SettingsFileError> ParsePositionedJson(std::string_view utf8,
                                                               std::size_t keptDepth);

}  // namespace ombrel
