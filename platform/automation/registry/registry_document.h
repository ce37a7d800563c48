// A registry held as text in the Windows registry export format (REGEDIT4):
// keys in brackets, each followed by its values, `@` naming a key's default
// value. Keys and value names compare without regard to ASCII case, as the
// registry does. Values other than strings (dword:, hex:) are kept as written.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::automation {

struct RegistryValue {
    std::string name; // empty: the key's default value
    std::string data; // the text of a string value, else the data as written
    bool isString = true;
};

struct RegistryKey {
    std::string path;
    std::vector<RegistryValue> values;
};

class RegistryDocument {
public:
    /// \throws ComError REGDB_E_READREGDB naming the first line that is not
    /// in the format.
    static RegistryDocument parse(std::string_view text);
    std::string text() const;

    const std::vector<RegistryKey>& keys() const noexcept { return keys_; }
    std::optional<std::string> string(std::string_view key, std::string_view name) const;
    /// Creates the key when it is not there yet.
    void setString(std::string_view key, std::string_view name, std::string_view data);
    /// Removes the string value only if it still holds `data`.
    void removeStringIf(std::string_view key, std::string_view name, std::string_view data);
    /// Removes the key if it has no values left. Keys below it stay, and
    /// with them the key itself, as their parent.
    void removeKeyIfEmpty(std::string_view key);

private:
    RegistryKey* find(std::string_view key);
    const RegistryKey* find(std::string_view key) const;

    std::vector<RegistryKey> keys_;
};

} // namespace vorn::automation
