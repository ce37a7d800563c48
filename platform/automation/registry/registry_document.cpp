#include "platform/automation/registry/registry_document.h"

#include "platform/automation/ascii_case.h"
#include "platform/automation/com_error.h"

#include <algorithm>
#include <cctype>

namespace vorn::automation {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";

[[noreturn]] void malformed(std::size_t line, std::string_view why) {
    throw ComError(REGDB_E_READREGDB, "The registry file is not in REGEDIT4 format: line " +
                                          std::to_string(line) + ", " + std::string(why) + ".");
}

std::string quote(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// Reads a quoted string starting at text[at] == '"'; returns its contents and
// moves `at` past the closing quote.
std::optional<std::string> unquote(std::string_view text, std::size_t& at) {
    std::string out;
    for (++at; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '"') {
            ++at;
            return out;
        }
        if (c == '\\') {
            if (++at == text.size() || (text[at] != '\\' && text[at] != '"'))
                return std::nullopt;
        }
        out += text[at];
    }
    return std::nullopt;
}

bool isRawData(std::string_view data) {
    const auto colon = data.find(':');
    if (colon == std::string_view::npos)
        return false;
    const std::string_view kind = data.substr(0, colon);
    return kind == "dword" || kind == "hex" ||
           (kind.starts_with("hex(") && kind.ends_with(")") && kind.size() > 5);
}

std::string_view trimRight(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

} // namespace

RegistryDocument RegistryDocument::parse(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    RegistryDocument document;
    bool headerSeen = false;
    std::size_t number = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string line(trimRight(text.substr(0, end)));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        const std::size_t first = number;
        // Raw data may go on over several lines, each ending in a backslash.
        while (!line.empty() && line.back() == '\\' && line.find("=\"") == std::string::npos &&
               !text.empty()) {
            const auto next = text.find('\n');
            std::string_view more = trimRight(text.substr(0, next));
            text.remove_prefix(next == std::string_view::npos ? text.size() : next + 1);
            ++number;
            more.remove_prefix(std::min(more.find_first_not_of(" \t"), more.size()));
            line.pop_back();
            line += more;
        }
        if (line.empty() || line.front() == ';')
            continue;
        if (!headerSeen) {
            if (line != kHeader)
                malformed(first, "the file does not begin with " + std::string(kHeader));
            headerSeen = true;
            continue;
        }
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 3 || line[1] == '-')
                malformed(first, "a key is not a name in brackets");
            const std::string path = line.substr(1, line.size() - 2);
            if (!document.find(path))
                document.keys_.push_back({path, {}});
            continue;
        }
        if (document.keys_.empty())
            malformed(first, "a value comes before any key");
        RegistryValue value;
        std::size_t at = 0;
        if (line.front() == '@') {
            at = 1;
        } else if (line.front() == '"') {
            auto name = unquote(line, at);
            if (!name || name->empty())
                malformed(first, "a value's name is not a quoted string");
            value.name = std::move(*name);
        } else {
            malformed(first, "the line is neither a key nor a value");
        }
        if (at >= line.size() || line[at] != '=')
            malformed(first, "a value's name is not followed by =");
        ++at;
        if (at < line.size() && line[at] == '"') {
            auto data = unquote(line, at);
            if (!data || at != line.size())
                malformed(first, "a string value is not closed properly");
            value.data = std::move(*data);
        } else {
            value.data = line.substr(at);
            value.isString = false;
            if (!isRawData(value.data))
                malformed(first, "a value's data is neither a string nor dword: or hex:");
        }
        auto& values = document.find(document.keys_.back().path)->values;
        std::erase_if(values,
                      [&](const RegistryValue& v) { return asciiEqualNoCase(v.name, value.name); });
        values.push_back(std::move(value));
    }
    if (!headerSeen && !document.keys_.empty())
        malformed(1, "the file does not begin with " + std::string(kHeader));
    return document;
}

std::string RegistryDocument::text() const {
    std::string out = std::string(kHeader) + "\n";
    for (const RegistryKey& key : keys_) {
        out += "\n[" + key.path + "]\n";
        for (const RegistryValue& value : key.values) {
            out += value.name.empty() ? "@" : quote(value.name);
            out += '=';
            out += value.isString ? quote(value.data) : value.data;
            out += '\n';
        }
    }
    return out;
}

RegistryKey* RegistryDocument::find(std::string_view key) {
    const auto it = std::ranges::find_if(
        keys_, [&](const RegistryKey& k) { return asciiEqualNoCase(k.path, key); });
    return it == keys_.end() ? nullptr : &*it;
}

const RegistryKey* RegistryDocument::find(std::string_view key) const {
    return const_cast<RegistryDocument*>(this)->find(key);
}

std::optional<std::string> RegistryDocument::string(std::string_view key,
                                                    std::string_view name) const {
    if (const RegistryKey* k = find(key))
        for (const RegistryValue& value : k->values)
            if (value.isString && asciiEqualNoCase(value.name, name))
                return value.data;
    return std::nullopt;
}

void RegistryDocument::setString(std::string_view key, std::string_view name,
                                 std::string_view data) {
    RegistryKey* k = find(key);
    if (!k)
        k = &keys_.emplace_back(RegistryKey{std::string(key), {}});
    for (RegistryValue& value : k->values)
        if (asciiEqualNoCase(value.name, name)) {
            value = {std::string(name), std::string(data), true};
            return;
        }
    k->values.push_back({std::string(name), std::string(data), true});
}

void RegistryDocument::removeStringIf(std::string_view key, std::string_view name,
                                      std::string_view data) {
    if (RegistryKey* k = find(key))
        std::erase_if(k->values, [&](const RegistryValue& value) {
            return value.isString && asciiEqualNoCase(value.name, name) && value.data == data;
        });
}

void RegistryDocument::removeKeyIfEmpty(std::string_view key) {
    std::erase_if(keys_, [&](const RegistryKey& k) {
        return k.values.empty() && asciiEqualNoCase(k.path, key);
    });
}

} // namespace vorn::automation
