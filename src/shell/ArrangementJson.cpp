#include "shell/ArrangementJson.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>

#include <nlohmann/json.hpp>

#include "model/Command.h"
#include "platform/Utf8.h"

namespace ombrel {
namespace {

using Json = nlohmann::json;

constexpr std::string_view kEnd = "\n]}\n";

// printf's and scanf's families would bring the C runtime's formatter into the exe for one
// date; <charconv> is a few instructions.
void AppendPadded(std::string& text, long long value, int width) {
    std::array<char, 24> digits{};
    const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    const auto length = static_cast<int>(end - digits.data());
    text.append(static_cast<std::size_t>(std::max(0, width - length)), '0');
    text.append(digits.data(), end);
}

std::string DateText(std::int64_t days) {
    const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::days{days}}};
    std::string text;
    AppendPadded(text, static_cast<int>(date.year()), 4);
    text += '-';
    AppendPadded(text, static_cast<unsigned>(date.month()), 2);
    text += '-';
    AppendPadded(text, static_cast<unsigned>(date.day()), 2);
    return text;
}

// "YYYY-MM-DD", as DateText writes it.
std::optional<std::int64_t> DateOf(const std::string& text) {
    const auto field = [&text](std::size_t at, std::size_t length) -> std::optional<unsigned> {
        unsigned value = 0;
        const char* first = text.data() + at;
        const auto [end, error] = std::from_chars(first, first + length, value);
        return error == std::errc{} && end == first + length ? std::optional(value) : std::nullopt;
    };
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    const std::optional<unsigned> year = field(0, 4);
    const std::optional<unsigned> month = field(5, 2);
    const std::optional<unsigned> day = field(8, 2);
    if (!year || !month || !day) {
        return std::nullopt;
    }
    const std::chrono::year_month_day date{std::chrono::year{static_cast<int>(*year)},
                                           std::chrono::month{*month}, std::chrono::day{*day}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return std::chrono::sys_days{date}.time_since_epoch().count();
}

std::optional<std::u16string> TextOf(const Json& record, const char* name) {
    const auto found = record.find(name);
    if (found == record.end() || !found->is_string()) {
        return std::nullopt;
    }
    return FromUtf8(found->get_ref<const std::string&>());
}

std::optional<PlaceRecord> RecordOf(const Json& json) {
    if (!json.is_object()) {
        return std::nullopt;
    }
    PlaceRecord record;
    const std::optional<std::u16string> program = TextOf(json, "program");
    const std::optional<std::u16string> className = TextOf(json, "class");
    const std::optional<std::u16string> title = TextOf(json, "title");
    const auto desktop = json.find("desktop");
    const auto order = json.find("order");
    const auto lastMet = json.find("lastMet");
    if (!program || program->empty() || !className || !title || desktop == json.end() ||
        order == json.end() || !order->is_number_integer() || lastMet == json.end() ||
        !lastMet->is_string()) {
        return std::nullopt;
    }
    record.program = *program;
    record.className = *className;
    record.title = *title;
    if (json.contains("appId")) {
        const std::optional<std::u16string> appId = TextOf(json, "appId");
        if (!appId) {
            return std::nullopt;
        }
        record.appId = *appId;
    }
    if (desktop->is_string() && desktop->get_ref<const std::string&>() == "pinned") {
        record.desktop = PlaceRecord::kPinned;
    } else if (desktop->is_number_integer() && desktop->get<long long>() >= 1 &&
               desktop->get<long long>() <= kDesktopCount) {
        record.desktop = static_cast<int>(desktop->get<long long>()) - 1;
    } else {
        return std::nullopt;
    }
    const long long orderValue = order->get<long long>();
    if (orderValue < 1 || orderValue > 1'000'000) {
        return std::nullopt;
    }
    record.order = static_cast<int>(orderValue);
    const std::optional<std::int64_t> day = DateOf(lastMet->get_ref<const std::string&>());
    if (!day) {
        return std::nullopt;
    }
    record.lastMet = *day;
    return record;
}

}  // namespace

std::string ArrangementJson(std::span<const PlaceRecord> records, std::size_t largest) {
    // One record a line, so that a person who opens the file can read it.
    std::string text = "{\"format\": " + Json(kArrangementFormat).dump() + ", \"windows\": [";
    for (std::size_t i = 0; i < records.size(); ++i) {
        const PlaceRecord& record = records[i];
        Json json{{"program", ToUtf8(record.program)},
                  {"class", ToUtf8(record.className)},
                  {"title", ToUtf8(record.title)},
                  {"order", record.order},
                  {"lastMet", DateText(record.lastMet)}};
        if (!record.appId.empty()) {
            json["appId"] = ToUtf8(record.appId);
        }
        if (record.desktop == PlaceRecord::kPinned) {
            json["desktop"] = "pinned";
        } else {
            json["desktop"] = record.desktop + 1;
        }
        const std::string line =
            (i == 0 ? "\n" : ",\n") + json.dump(-1, ' ', false, Json::error_handler_t::replace);
        // Long titles and paths could make a file the next start would not read.
        if (text.size() + line.size() + kEnd.size() > largest) {
            break;
        }
        text += line;
    }
    text += kEnd;
    return text;
}

std::optional<std::vector<PlaceRecord>> ParseArrangementJson(std::string_view utf8) {
    const Json journal = Json::parse(utf8, nullptr, false);
    if (journal.is_discarded() || !journal.is_object()) {
        return std::nullopt;
    }
    const auto format = journal.find("format");
    const auto windows = journal.find("windows");
    if (format == journal.end() || !format->is_string() ||
        format->get_ref<const std::string&>() != kArrangementFormat || windows == journal.end() ||
        !windows->is_array()) {
        return std::nullopt;
    }
    std::vector<PlaceRecord> records;
    records.reserve(windows->size());
    for (const Json& window : *windows) {
        std::optional<PlaceRecord> record = RecordOf(window);
        if (!record) {
            return std::nullopt;
        }
        records.push_back(std::move(*record));
    }
    return records;
}

}  // namespace ombrel
