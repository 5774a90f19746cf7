#include "registry_value.h"

namespace setup {

RegistryValue::RegistryValue(std::wstring key, std::wstring name)
    : m_key(std::move(key)), m_name(std::move(name))
{
}

std::optional<std::vector<wchar_t>> RegistryValue::readRaw(DWORD &type)
{
    HKEY key = nullptr;
    const LSTATUS opened = RegOpenKeyExW(HKEY_CURRENT_USER, m_key.c_str(), 0, KEY_QUERY_VALUE, &key);
    if (opened == ERROR_FILE_NOT_FOUND)
        return std::nullopt;
    if (opened != ERROR_SUCCESS) {
        m_ok = false;
        return std::nullopt;
    }
    std::vector<wchar_t> data(512);
    LSTATUS status;
    // The value may grow between the two calls: ask again, a few times.
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD bytes = DWORD(data.size() * sizeof(wchar_t));
        status = RegQueryValueExW(key, m_name.c_str(), nullptr, &type, reinterpret_cast<BYTE *>(data.data()), &bytes);
        if (status == ERROR_MORE_DATA) {
            data.resize(bytes / sizeof(wchar_t) + 2);
            continue;
        }
        if (status == ERROR_SUCCESS)
            data.resize(bytes / sizeof(wchar_t));
        break;
    }
    RegCloseKey(key);
    if (status == ERROR_FILE_NOT_FOUND)
        return std::nullopt;
    if (status != ERROR_SUCCESS) {
        m_ok = false;
        return std::nullopt;
    }
    return data;
}

std::optional<StoredString> RegistryValue::readString()
{
    DWORD type = 0;
    auto data = readRaw(type);
    if (!data)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        m_ok = false;
        return std::nullopt;
    }
    // The stored terminator (or several) is no part of the text.
    while (!data->empty() && data->back() == 0)
        data->pop_back();
    return StoredString{std::wstring(data->begin(), data->end()), type};
}

std::vector<std::wstring> RegistryValue::readList()
{
    DWORD type = 0;
    std::vector<std::wstring> items;
    const auto data = readRaw(type);
    if (!data || type != REG_MULTI_SZ)
        return items;
    std::wstring item;
    for (wchar_t c : *data) {
        if (c != 0) {
            item += c;
        } else if (!item.empty()) {
            items.push_back(item);
            item.clear();
        }
    }
    if (!item.empty())
        items.push_back(item);
    return items;
}

bool RegistryValue::writeRaw(DWORD type, const std::wstring &data)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, m_key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr)
        != ERROR_SUCCESS) {
        return false;
    }
    const LSTATUS status = RegSetValueExW(key, m_name.c_str(), 0, type, reinterpret_cast<const BYTE *>(data.c_str()),
        DWORD((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool RegistryValue::writeString(const StoredString &value) { return writeRaw(value.type, value.text); }

bool RegistryValue::writeList(const std::vector<std::wstring> &items)
{
    std::wstring data;
    for (const auto &item : items) {
        data += item;
        data += L'\0';
    }
    return writeRaw(REG_MULTI_SZ, data); // the list's closing empty string is the terminator
}

bool RegistryValue::remove()
{
    HKEY key = nullptr;
    const LSTATUS opened = RegOpenKeyExW(HKEY_CURRENT_USER, m_key.c_str(), 0, KEY_SET_VALUE, &key);
    if (opened == ERROR_FILE_NOT_FOUND)
        return true;
    if (opened != ERROR_SUCCESS)
        return false;
    const LSTATUS status = RegDeleteValueW(key, m_name.c_str());
    RegCloseKey(key);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

} // namespace setup
