#include "settings/PositionedJson.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <map>
#include <optional>

#include <nlohmann/json.hpp>

#include "platform/Text.h"
#include "platform/Utf8.h"
#include "text/Texts.h"

namespace ombrel {
namespace {

// The parser has already refused ill-formed UTF-8 in names and strings.
std::u16string Utf16(std::string_view utf8) {
    return FromUtf8(utf8).value_or(std::u16string());
}

// Turns byte offsets into lines and columns. The parser asks in the order of the text, so each
// answer carries on from the last one instead of counting from the start again.
class Locator {
  public:
    explicit Locator(std::string_view text) : text_(text) {}

    SettingsFilePosition At(std::size_t offset) {
        offset = std::min(offset, text_.size());
        if (offset < offset_) {
            offset_ = 0;
            at_ = {1, 1};
        }
        for (; offset_ < offset; ++offset_) {
            const auto byte = static_cast<unsigned char>(text_[offset_]);
            if (byte == '\n') {
                ++at_.line;
                at_.column = 1;
            } else if ((byte & 0xC0) != 0x80) {  // not a continuation byte
                ++at_.column;
            }
        }
        return at_;
    }

  private:
    std::string_view text_;
    std::size_t offset_ = 0;
    SettingsFilePosition at_{1, 1};
};

// The parser tells no positions, but it reads the text one byte at a time through this
// iterator, never ahead of the token it hands over except for the one byte that ends a number;
// so the count of bytes read at each of its callbacks tells where that token ends.
class CountingIterator {
  public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    CountingIterator(const char* at, std::size_t* read) : at_(at), read_(read) {}

    reference operator*() const { return *at_; }
    CountingIterator& operator++() {
        ++at_;
        ++*read_;
        return *this;
    }
    CountingIterator operator++(int) {
        CountingIterator before = *this;
        ++*this;
        return before;
    }
    friend bool operator==(const CountingIterator& a, const CountingIterator& b) {
        return a.at_ == b.at_;
    }

  private:
    const char* at_;
    std::size_t* read_;
};

// Where the string that ends at `end` (just past its closing quote) begins: the nearest quote
// before that no backslash escapes, for an odd run of backslashes escapes it.
std::size_t StringStart(std::string_view text, std::size_t end) {
    std::size_t at = end - 1;
    while (at > 0) {
        --at;
        if (text[at] != '"') {
            continue;
        }
        std::size_t slashes = 0;
        while (slashes < at && text[at - 1 - slashes] == '\\') {
            ++slashes;
        }
        if (slashes % 2 == 0) {
            break;
        }
    }
    return at;
}

// Where the number or literal read up to `end` begins: back over the byte read after a
// number, then over the token itself.
std::size_t ScalarStart(std::string_view text, std::size_t end) {
    const auto inToken = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
               c == '+' || c == '-' || c == '.';
    };
    if (end > 0 && !inToken(text[end - 1])) {
        --end;
    }
    while (end > 0 && inToken(text[end - 1])) {
        --end;
    }
    return end;
}

SettingsFileError SyntaxError(std::string_view text, std::size_t byte) {
    // The parser counts the byte it stopped at from 1.
    const std::size_t offset = std::min(byte > 0 ? byte - 1 : 0, text.size());
    const SettingsFilePosition at = Locator(text).At(offset);
    if (offset == text.size()) {
        return {at, TextId::JsonUnexpectedEnd, {}};
    }
    std::size_t length = 1;
    while (offset + length < text.size() &&
           (static_cast<unsigned char>(text[offset + length]) & 0xC0) == 0x80) {
        ++length;
    }
    const auto lead = static_cast<unsigned char>(text[offset]);
    const std::optional<std::u16string> character = FromUtf8(text.substr(offset, length));
    if (lead < 0x20 || lead == 0x7F || !character) {
        return {at, TextId::JsonInvisibleOrBadEncoding, {}};
    }
    return {at, TextId::JsonUnexpectedCharacter, {*character}};
}

// Takes the parser's events and builds the kept part of the text, checking the limits as it
// goes, so that a hostile text is refused at the first member too many rather than read whole.
class TreeBuilder {
  public:
    using Json = nlohmann::json;

    TreeBuilder(std::string_view text, const std::size_t& read, std::size_t keptDepth)
        : text_(text), read_(read), keptDepth_(keptDepth), locator_(text) {}

    JsonValue& Root() { return root_; }
    std::optional<SettingsFileError>& Error() { return error_; }
    // A text read through: the first repeated member, if any.
    std::optional<SettingsFileError>& Duplicate() { return duplicate_; }

    bool null() { return Scalar(JsonValue::Kind::Null); }
    bool boolean(bool value) {
        if (JsonValue* added = Add(JsonValue::Kind::Boolean, ScalarStart(text_, read_))) {
            added->boolean = value;
        }
        return !error_;
    }
    bool number_integer(Json::number_integer_t value) {
        if (JsonValue* added = Add(JsonValue::Kind::Integer, ScalarStart(text_, read_))) {
            added->integer = value;
        }
        return !error_;
    }
    bool number_unsigned(Json::number_unsigned_t value) {
        if (JsonValue* added = Add(JsonValue::Kind::Integer, ScalarStart(text_, read_))) {
            added->integer = static_cast<std::int64_t>(
                std::min<Json::number_unsigned_t>(value, std::numeric_limits<std::int64_t>::max()));
        }
        return !error_;
    }
    bool number_float(Json::number_float_t, const std::string&) {
        return Scalar(JsonValue::Kind::Float);
    }
    bool string(std::string& value) {
        if (JsonValue* added = Add(JsonValue::Kind::String, StringStart(text_, read_))) {
            added->text = std::move(value);
        }
        return !error_;
    }
    bool binary(Json::binary_t&) { return Scalar(JsonValue::Kind::Null); }
    bool start_object(std::size_t) { return Begin(JsonValue::Kind::Object); }
    bool start_array(std::size_t) { return Begin(JsonValue::Kind::Array); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }
    bool key(std::string& name) {
        Container& object = open_.back();
        const SettingsFilePosition at = locator_.At(StringStart(text_, read_));
        if (++object.count > JsonLimits::kMaxMembers) {
            error_ = {at, TextId::JsonTooManyMembers, {DecimalText(JsonLimits::kMaxMembers)}};
            return false;
        }
        // Two equal names: the first one stands, and the second is the fault.
        const auto [earlier, added] = object.names.emplace(name, at);
        if (!added && !duplicate_) {
            duplicate_ = {
                at, TextId::JsonMemberRepeated, {Utf16(name), DecimalText(earlier->second.line)}};
        }
        key_ = std::move(name);
        keyAt_ = at;
        return true;
    }
    bool parse_error(std::size_t byte, const std::string&, const nlohmann::detail::exception& e) {
        // 406: a number beyond a double's range, reported as soon as it has been read.
        error_ = e.id == 406 ? SettingsFileError{locator_.At(ScalarStart(text_, read_)),
                                                 TextId::JsonNumberOutOfRange,
                                                 {}}
                             : SyntaxError(text_, byte);
        return false;
    }

  private:
    struct Container {
        JsonValue* value;  // null: beyond the kept depth
        bool array;
        std::size_t count = 0;
        std::map<std::string, SettingsFilePosition, std::less<>> names;
    };

    bool Scalar(JsonValue::Kind kind) {
        Add(kind, ScalarStart(text_, read_));
        return !error_;
    }

    // Counts the value in its container and keeps it when it is within the kept depth.
    JsonValue* Add(JsonValue::Kind kind, std::size_t offset) {
        if (open_.empty()) {
            root_.kind = kind;
            root_.at = locator_.At(offset);
            return &root_;
        }
        Container& parent = open_.back();
        if (parent.array && ++parent.count > JsonLimits::kMaxElements) {
            error_ = {locator_.At(offset),
                      TextId::JsonTooManyElements,
                      {DecimalText(JsonLimits::kMaxElements)}};
            return nullptr;
        }
        if (parent.value == nullptr || open_.size() > keptDepth_) {
            return nullptr;
        }
        JsonMember& member = parent.value->children.emplace_back();
        if (!parent.array) {
            member.name = std::move(key_);
            member.at = keyAt_;
        }
        member.value.kind = kind;
        member.value.at = locator_.At(offset);
        return &member.value;
    }

    bool Begin(JsonValue::Kind kind) {
        // The bracket was the last byte read.
        JsonValue* value = Add(kind, read_ - 1);
        if (error_) {
            return false;
        }
        if (open_.size() >= JsonLimits::kMaxDepth) {
            error_ = {
                locator_.At(read_ - 1), TextId::JsonTooDeep, {DecimalText(JsonLimits::kMaxDepth)}};
            return false;
        }
        // A kept container never gains a sibling while it is open, so the pointer stays good.
        open_.push_back({value, kind == JsonValue::Kind::Array});
        return true;
    }

    bool Close() {
        open_.pop_back();
        return true;
    }

    std::string_view text_;
    const std::size_t& read_;
    std::size_t keptDepth_;
    Locator locator_;
    JsonValue root_;
    std::vector<Container> open_;
    std::string key_;
    SettingsFilePosition keyAt_;
    std::optional<SettingsFileError> error_;
    std::optional<SettingsFileError> duplicate_;
};

}  // namespace

std::variant<JsonValue, SettingsFileError> ParsePositionedJson(std::string_view utf8,
                                                               std::size_t keptDepth) {
    std::size_t read = 0;
    TreeBuilder builder(utf8, read, keptDepth);
    const bool whole = nlohmann::json::sax_parse(
        CountingIterator(utf8.data(), &read), CountingIterator(utf8.data() + utf8.size(), nullptr),
        &builder, nlohmann::json::input_format_t::json, /*strict=*/true,
        /*ignore_comments=*/true);
    if (!whole || builder.Error()) {
        return *std::move(builder.Error());
    }
    if (builder.Duplicate()) {
        return *std::move(builder.Duplicate());
    }
    return std::move(builder.Root());
}

}  // namespace ombrel
