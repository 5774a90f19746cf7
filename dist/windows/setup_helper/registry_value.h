#pragma once
// Values of one key under HKEY_CURRENT_USER, read and written whole at any
// length through the registry API (the installer's own string functions
// stop at 1,024 characters).
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace setup {

struct StoredString {
    std::wstring text;
    DWORD type = REG_SZ; // REG_SZ or REG_EXPAND_SZ, kept when written back
};

class RegistryValue {
public:
    RegistryValue(std::wstring key, std::wstring name);

    // Nothing when the value is missing; a failure (no access, another
    // type) is told apart through ok().
    std::optional<StoredString> readString();
    bool writeString(const StoredString &value);
    std::vector<std::wstring> readList(); // REG_MULTI_SZ
    bool writeList(const std::vector<std::wstring> &items);
    bool remove();
    bool ok() const { return m_ok; }

private:
    std::optional<std::vector<wchar_t>> readRaw(DWORD &type);
    bool writeRaw(DWORD type, const std::wstring &data);

    std::wstring m_key;
    std::wstring m_name;
    bool m_ok = true;
};

} // namespace setup
