#include "settings/SettingsFile.h"

#include "SettingsSchema.h"

#include <cstddef>
#include <iterator>
#include <limits>
#include <map>

#include <nlohmann/json.hpp>

#include "platform/Hotkeys.h"
#include "platform/Text.h"
#include "platform/Utf8.h"

namespace ombrel {
namespace {

// ---- UTF-8 at the edge ----

// The parser has already refused ill-formed UTF-8, so every sequence here is whole.
std::u16string FromUtf8(std::string_view text) {
    std::u16string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
            point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        i += length;
        if (point >= 0x10000) {
            point -= 0x10000;
            result += static_cast<char16_t>(0xD800 + (point >> 10));
            result += static_cast<char16_t>(0xDC00 + (point & 0x3FF));
        } else {
            result += static_cast<char16_t>(point);
        }
    }
    return result;
}

std::size_t CodePoints(std::u16string_view text) {
    std::size_t count = 0;
    for (char16_t c : text) {
        count += c >= 0xDC00 && c < 0xE000 ? 0 : 1;
    }
    return count;
}

// ---- Positions ----

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

// ---- The file ----

struct Member;

// A value of the file and where it begins. Objects keep their members in the file's order, in
// a plain vector: nothing is looked up in them, so a file of many members costs no more than
// their count. Only what the readers look at is kept (see kKeptDepth).
struct Value {
    enum class Kind { Null, Boolean, Integer, Float, String, Object, Array };
    Kind kind = Kind::Null;
    SettingsFilePosition at;
    bool boolean = false;
    std::int64_t integer = 0;  // an unsigned number beyond its range is held at its largest
    std::string text;
    std::vector<Member> children;  // the members of an object, the elements of an array

    bool IsObject() const { return kind == Kind::Object; }
    bool IsArray() const { return kind == Kind::Array; }
    bool IsString() const { return kind == Kind::String; }
    bool IsBoolean() const { return kind == Kind::Boolean; }
};

// A member of an object (its name and where that stands), or an element of an array (no name;
// its place is the value's own).
struct Member {
    std::string name;
    SettingsFilePosition at;
    Value value;
};

// The root is depth 0; a rule's members are the deepest values any reader looks into, at 3.
// Deeper values are parsed, checked against the limits and dropped.
constexpr std::size_t kKeptDepth = 3;

std::u16string Quoted(std::u16string_view text) {
    return u"“" + std::u16string(text) + u"”";
}

std::u16string LineText(const SettingsFilePosition& at) {
    return u"第 " + DecimalText(at.line) + u" 行";
}

SettingsFileError SyntaxError(std::string_view text, std::size_t byte) {
    // The parser counts the byte it stopped at from 1.
    const std::size_t offset = std::min(byte > 0 ? byte - 1 : 0, text.size());
    const SettingsFilePosition at = Locator(text).At(offset);
    if (offset == text.size()) {
        return {at, u"JSON 格式错误：文件意外结束，可能少了 } 或 ] 或引号"};
    }
    std::size_t length = 1;
    while (offset + length < text.size() &&
           (static_cast<unsigned char>(text[offset + length]) & 0xC0) == 0x80) {
        ++length;
    }
    const auto lead = static_cast<unsigned char>(text[offset]);
    if (lead < 0x20 || lead == 0x7F || (lead >= 0x80 && lead < 0xC2) || length > 4) {
        return {at, u"JSON 格式错误：此处有不可见的字符或无效的编码（应为 UTF-8）"};
    }
    return {at, u"JSON 格式错误：此处不应出现" + Quoted(FromUtf8(text.substr(offset, length)))};
}

// Takes the parser's events and builds the kept part of the file, checking the limits as it
// goes, so that a hostile file is refused at the first member too many rather than read whole.
class FileBuilder {
  public:
    using Json = nlohmann::json;

    FileBuilder(std::string_view text, const std::size_t& read)
        : text_(text), read_(read), locator_(text) {}

    Value& Root() { return root_; }
    std::optional<SettingsFileError>& Error() { return error_; }

    bool null() { return Scalar(Value::Kind::Null); }
    bool boolean(bool value) {
        if (Value* added = Add(Value::Kind::Boolean, ScalarStart(text_, read_))) {
            added->boolean = value;
        }
        return !error_;
    }
    bool number_integer(Json::number_integer_t value) {
        if (Value* added = Add(Value::Kind::Integer, ScalarStart(text_, read_))) {
            added->integer = value;
        }
        return !error_;
    }
    bool number_unsigned(Json::number_unsigned_t value) {
        if (Value* added = Add(Value::Kind::Integer, ScalarStart(text_, read_))) {
            added->integer = static_cast<std::int64_t>(
                std::min<Json::number_unsigned_t>(value, std::numeric_limits<std::int64_t>::max()));
        }
        return !error_;
    }
    bool number_float(Json::number_float_t, const std::string&) {
        return Scalar(Value::Kind::Float);
    }
    bool string(std::string& value) {
        if (Value* added = Add(Value::Kind::String, StringStart(text_, read_))) {
            added->text = std::move(value);
        }
        return !error_;
    }
    bool binary(Json::binary_t&) { return Scalar(Value::Kind::Null); }
    bool start_object(std::size_t) { return Begin(Value::Kind::Object); }
    bool start_array(std::size_t) { return Begin(Value::Kind::Array); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }
    bool key(std::string& name) {
        Container& object = open_.back();
        const SettingsFilePosition at = locator_.At(StringStart(text_, read_));
        if (++object.count > SettingsFileContents::kMaxMembers) {
            error_ = {at,
                      u"一个对象最多有 " + DecimalText(SettingsFileContents::kMaxMembers) + u" 项"};
            return false;
        }
        // Two equal names: the first one stands, and the second is the fault.
        const auto [earlier, added] = object.names.emplace(name, at);
        if (!added && !duplicate_) {
            duplicate_ = {
                at, Quoted(FromUtf8(name)) + u"重复出现，" + LineText(earlier->second) + u"已有"};
        }
        key_ = std::move(name);
        keyAt_ = at;
        return true;
    }
    bool parse_error(std::size_t byte, const std::string&, const nlohmann::detail::exception& e) {
        // 406: a number beyond a double's range, reported as soon as it has been read.
        error_ = e.id == 406
                     ? SettingsFileError{locator_.At(ScalarStart(text_, read_)), u"数字超出范围"}
                     : SyntaxError(text_, byte);
        return false;
    }

    // A file read through: the first repeated member, if any.
    std::optional<SettingsFileError>& Duplicate() { return duplicate_; }

  private:
    struct Container {
        Value* value;  // null: beyond the kept depth
        bool array;
        std::size_t count = 0;
        std::map<std::string, SettingsFilePosition, std::less<>> names;
    };

    bool Scalar(Value::Kind kind) {
        Add(kind, ScalarStart(text_, read_));
        return !error_;
    }

    // Counts the value in its container and keeps it when it is within the kept depth.
    Value* Add(Value::Kind kind, std::size_t offset) {
        if (open_.empty()) {
            root_.kind = kind;
            root_.at = locator_.At(offset);
            return &root_;
        }
        Container& parent = open_.back();
        if (parent.array && ++parent.count > SettingsFileContents::kMaxElements) {
            error_ = {
                locator_.At(offset),
                u"一个数组最多有 " + DecimalText(SettingsFileContents::kMaxElements) + u" 个元素"};
            return nullptr;
        }
        if (parent.value == nullptr || open_.size() > kKeptDepth) {
            return nullptr;
        }
        Member& member = parent.value->children.emplace_back();
        if (!parent.array) {
            member.name = std::move(key_);
            member.at = keyAt_;
        }
        member.value.kind = kind;
        member.value.at = locator_.At(offset);
        return &member.value;
    }

    bool Begin(Value::Kind kind) {
        // The bracket was the last byte read.
        Value* value = Add(kind, read_ - 1);
        if (error_) {
            return false;
        }
        if (open_.size() >= SettingsFileContents::kMaxDepth) {
            error_ = {locator_.At(read_ - 1),
                      u"嵌套超过 " + DecimalText(SettingsFileContents::kMaxDepth) + u" 层"};
            return false;
        }
        // A kept container never gains a sibling while it is open, so the pointer stays good.
        open_.push_back({value, kind == Value::Kind::Array});
        return true;
    }

    bool Close() {
        open_.pop_back();
        return true;
    }

    std::string_view text_;
    const std::size_t& read_;
    Locator locator_;
    Value root_;
    std::vector<Container> open_;
    std::string key_;
    SettingsFilePosition keyAt_;
    std::optional<SettingsFileError> error_;
    std::optional<SettingsFileError> duplicate_;
};

std::optional<SettingsFileError> ReadKeys(const Member& member, std::vector<KeyEntry>& keys) {
    if (!member.value.IsObject()) {
        return SettingsFileError{member.at, u"“keys”应为对象：{ \"组合键\": \"命令\", … }"};
    }
    std::map<std::pair<std::uint32_t, std::uint32_t>, SettingsFilePosition> seen;
    for (const Member& entry : member.value.children) {
        const SettingsFilePosition at = entry.at;
        const std::u16string text = FromUtf8(entry.name);
        const std::optional<KeyCombination> key = ParseKeyText(text);
        if (!key) {
            return SettingsFileError{
                at, u"无法识别的组合键" + Quoted(text) +
                        u"：应写成 ctrl、alt、shift、win 中的一个或几个（各一次）加一个键，用 + "
                        u"连接，如 ctrl+alt+f1；只有 f13 到 f24 可以单独使用"};
        }
        const auto [earlier, added] = seen.emplace(std::pair{key->modifiers, key->virtualKey}, at);
        if (!added) {
            return SettingsFileError{at, u"组合键 " + KeyCombinationName(*key) + u" 已在" +
                                             LineText(earlier->second) + u"设置过"};
        }
        if (entry.value.kind == Value::Kind::Null) {
            keys.push_back({*key, std::nullopt, at});
        } else if (entry.value.IsString()) {
            keys.push_back({*key, FromUtf8(entry.value.text), at});
        } else {
            return SettingsFileError{at, u"组合键" + Quoted(text) +
                                             u"的命令应为文本，如 \"switch 1\"；或为 "
                                             u"null，表示不使用这个组合键"};
        }
    }
    return std::nullopt;
}

std::optional<SettingsFileError> ReadNames(
    const Member& member, std::array<std::u16string, SettingsFileContents::kDesktopCount>& names) {
    if (!member.value.IsObject()) {
        return SettingsFileError{member.at, u"“names”应为对象：{ \"桌面编号\": \"名称\", … }"};
    }
    for (const Member& entry : member.value.children) {
        const std::string& number = entry.name;
        const SettingsFilePosition at = entry.at;
        if (number.size() != 1 || number[0] < '1' || number[0] > '9') {
            return SettingsFileError{
                at, u"桌面编号" + Quoted(FromUtf8(number)) + u"无效：应为 \"1\" 到 \"9\""};
        }
        const std::u16string desktop = u"桌面 " + FromUtf8(number);
        if (!entry.value.IsString()) {
            return SettingsFileError{at, desktop + u" 的名称应为文本"};
        }
        std::u16string text = FromUtf8(entry.value.text);
        if (CodePoints(text) > SettingsFileContents::kNameMaxLength) {
            return SettingsFileError{at, desktop + u" 的名称超过 " +
                                             DecimalText(SettingsFileContents::kNameMaxLength) +
                                             u" 个字符"};
        }
        names[static_cast<std::size_t>(number[0] - '1')] = std::move(text);
    }
    return std::nullopt;
}

std::optional<SettingsFileError> ReadSwitch(const Member& member, std::u16string_view name,
                                            bool& result) {
    if (!member.value.IsBoolean()) {
        return SettingsFileError{member.at, Quoted(name) + u"应为 true 或 false"};
    }
    result = member.value.boolean;
    return std::nullopt;
}

constexpr std::u16string_view kRuleExample = u"{ \"exe\": \"outlook.exe\", \"desktop\": 2 }";

// A pattern of a rule, or its action; the key's position is where a fault is reported.
std::optional<SettingsFileError> ReadRuleMember(const Member& member,
                                                std::optional<SettingsFilePosition>& actionAt,
                                                RuleEntry& rule) {
    const std::string& name = member.name;
    const Value& value = member.value;
    const SettingsFilePosition& at = member.at;
    const std::u16string quoted = Quoted(FromUtf8(name));
    std::optional<std::u16string>* pattern = name == "exe"     ? &rule.exe
                                             : name == "class" ? &rule.className
                                             : name == "title" ? &rule.title
                                                               : nullptr;
    if (pattern != nullptr) {
        if (!value.IsString()) {
            return SettingsFileError{
                at, u"规则的" + quoted + u"应为文本，可用 * 代表任意几个字符、? 代表一个字符"};
        }
        *pattern = FromUtf8(value.text);
        if (CodePoints(**pattern) > SettingsFileContents::kPatternMaxLength) {
            return SettingsFileError{at, u"规则的" + quoted + u"超过 " +
                                             DecimalText(SettingsFileContents::kPatternMaxLength) +
                                             u" 个字符"};
        }
        return std::nullopt;
    }
    if (name != "desktop" && name != "pin" && name != "ignore") {
        return SettingsFileError{
            at, u"规则中未知的项" + quoted + u"：可用的有 exe、class、title、desktop、pin、ignore"};
    }
    if (actionAt) {
        return SettingsFileError{at, u"一条规则只能有一个动作（desktop、pin、ignore 之一），" +
                                         LineText(*actionAt) + u"已有"};
    }
    actionAt = at;
    if (name == "desktop") {
        if (value.kind != Value::Kind::Integer || value.integer < 1 ||
            value.integer > SettingsFileContents::kDesktopCount) {
            return SettingsFileError{at, u"规则的“desktop”应为桌面编号 1 到 9（数字，不加引号）"};
        }
        rule.action = RuleEntry::Action::Desktop;
        rule.desktop = static_cast<int>(value.integer);
        return std::nullopt;
    }
    // "pin": false would be a rule that does nothing: surely not what was meant.
    if (!value.IsBoolean() || !value.boolean) {
        return SettingsFileError{at, u"规则的" + quoted + u"只能为 true；不需要就删去这一项"};
    }
    rule.action = name == "pin" ? RuleEntry::Action::Pin : RuleEntry::Action::Ignore;
    return std::nullopt;
}

std::optional<SettingsFileError> ReadRules(const Member& member, std::vector<RuleEntry>& rules) {
    if (!member.value.IsArray()) {
        return SettingsFileError{member.at,
                                 u"“rules”应为数组：[ " + std::u16string(kRuleExample) + u", … ]"};
    }
    for (const Member& element : member.value.children) {
        const Value& object = element.value;
        if (!object.IsObject()) {
            return SettingsFileError{object.at,
                                     u"规则应为对象，如 " + std::u16string(kRuleExample)};
        }
        RuleEntry rule;
        rule.at = object.at;
        std::optional<SettingsFilePosition> actionAt;
        for (const Member& part : object.children) {
            if (std::optional<SettingsFileError> error = ReadRuleMember(part, actionAt, rule)) {
                return error;
            }
        }
        if (!rule.exe && !rule.className && !rule.title) {
            return SettingsFileError{
                object.at, u"规则至少要有 exe（程序文件名）、class（窗口类名）、title（标题）之一"};
        }
        if (!actionAt) {
            return SettingsFileError{object.at,
                                     u"规则缺少动作：应有 \"desktop\": 1 到 9、\"pin\": true 或 "
                                     u"\"ignore\": true 之一"};
        }
        rules.push_back(std::move(rule));
    }
    return std::nullopt;
}

std::optional<SettingsFileError> ReadMember(const Member& member, SettingsFileContents& contents) {
    const std::string& name = member.name;
    if (name == "keys") {
        return ReadKeys(member, contents.keys);
    }
    if (name == "names") {
        return ReadNames(member, contents.names);
    }
    if (name == "wrap") {
        return ReadSwitch(member, u"wrap", contents.wrap);
    }
    if (name == "pauseInFullScreen") {
        return ReadSwitch(member, u"pauseInFullScreen", contents.pauseInFullScreen);
    }
    if (name == "rules") {
        return ReadRules(member, contents.rules);
    }
    if (name == "$schema") {
        if (!member.value.IsString()) {
            return SettingsFileError{member.at, u"“$schema”应为文本"};
        }
        return std::nullopt;
    }
    return SettingsFileError{member.at,
                             u"未知的设置项" + Quoted(FromUtf8(name)) +
                                 u"：可用的有 keys、names、wrap、pauseInFullScreen、rules"};
}
}  // namespace

std::u16string SettingsFileErrorText(const SettingsFileError& error) {
    return u"设置文件" + LineText(error.at) + u"第 " + DecimalText(error.at.column) + u" 列：" +
           error.what;
}

std::variant<SettingsFileContents, SettingsFileError> ParseSettingsFile(std::string_view utf8) {
    if (utf8.starts_with("\xEF\xBB\xBF")) {
        utf8.remove_prefix(3);
    }
    std::size_t read = 0;
    FileBuilder builder(utf8, read);
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
    const Value& root = builder.Root();
    if (!root.IsObject()) {
        return SettingsFileError{root.at, u"设置文件应为一个 JSON 对象：{ … }"};
    }
    SettingsFileContents contents;
    for (const Member& member : root.children) {
        if (std::optional<SettingsFileError> error = ReadMember(member, contents)) {
            return *std::move(error);
        }
    }
    return contents;
}
std::string SettingsFileTemplate(std::span<const KeyCommandText> keys) {
    std::string text = ToUtf8(
        u"// Ombrel 的设置。以 // 开头的是说明，不影响设置。\r\n"
        u"{\r\n"
        u"  // 编辑器按这个文件检查写法并提示可用的值。\r\n"
        u"  \"$schema\": \"./settings.schema.json\",\r\n"
        u"\r\n"
        u"  // 热键：\"组合键\": \"命令\"。\r\n"
        u"  // 组合键：ctrl、alt、shift、win 中的一个或几个（各一次），加一个键，用 + 连接，\r\n"
        u"  //   大小写均可，如 \"ctrl+alt+f1\"、\"win+shift+left\"。键可以是 f1 到 f24、a 到 "
        u"z、\r\n"
        u"  //   0 到 9、numpad0 到 "
        u"numpad9、left、right、up、down、home、end、pageup、pagedown、\r\n"
        u"  //   insert、delete、space、tab、enter、escape、backspace；只有 f13 到 f24 "
        u"可以单独使用。\r\n"
        u"  // 命令：switch N 切换到桌面 N；send N 把当前窗口送到桌面 N；move N 送去并随它切换\r\n"
        u"  //   （N 为 1 到 9）；next、previous 切换到下一个、上一个桌面；last "
        u"回到上一次所在的桌面；\r\n"
        u"  //   send next、send previous、move next、move previous；icons、taskbar、bar "
        u"隐藏或显示\r\n"
        u"  //   桌面图标、任务栏、按钮栏；pause 暂停或恢复热键；exit 退出；\r\n"
        u"  //   list 列出各桌面的窗口；help 显示命令的说明。\r\n"
        u"  // 命令写 null：不使用这个组合键。\r\n"
        u"  \"keys\": {");
    for (std::size_t i = 0; i < keys.size(); ++i) {
        // The library writes the JSON strings, escapes and all.
        text += i == 0 ? "\r\n    " : ",\r\n    ";
        text += nlohmann::json(ToUtf8(keys[i].first)).dump() + ": " +
                nlohmann::json(ToUtf8(keys[i].second)).dump();
    }
    text += ToUtf8(
        u"\r\n"
        u"  },\r\n"
        u"\r\n"
        u"  // 桌面的名称，桌面编号 \"1\" 到 \"9\"，名称最多 32 个字符，例如：\r\n"
        u"  \"names\": {\r\n"
        u"    // \"1\": \"工作\",\r\n"
        u"    // \"2\": \"邮件\"\r\n"
        u"  },\r\n"
        u"\r\n"
        u"  // 在最后一个桌面上切换到下一个时回到第一个，在第一个上切换到上一个时到最后一个。\r\n"
        u"  \"wrap\": true,\r\n"
        u"\r\n"
        u"  // 全屏的程序（如游戏、放映的幻灯片）在前台时暂停热键。\r\n"
        u"  \"pauseInFullScreen\": false,\r\n"
        u"\r\n"
        u"  // 规则：Ombrel "
        u"第一次见到一个窗口时（启动时或窗口新出现时），按第一条相符的规则放置它，\r\n"
        u"  //   之后由你决定。exe（程序文件名）、class（窗口类名）、title（标题）可用 * "
        u"代表任意几个\r\n"
        u"  //   字符、? 代表一个字符，不分大小写，写出的几项都要相符。每条规则一个动作：\r\n"
        u"  //   \"desktop\": N 放到桌面 N（1 到 9）；\"pin\": true 留在每个桌面上；\r\n"
        u"  //   \"ignore\": true 不管这个窗口（不隐藏、不列出）。例如：\r\n"
        u"  \"rules\": [\r\n"
        u"    // { \"exe\": \"outlook.exe\", \"desktop\": 2 },\r\n"
        u"    // { \"title\": \"*计算器*\", \"pin\": true }\r\n"
        u"  ]\r\n"
        u"}\r\n");
    return text;
}

std::string_view SettingsFileSchema() {
    // The file itself ships in the release beside the program; the build puts its text here.
    return kSettingsSchemaText;
}

}  // namespace ombrel
