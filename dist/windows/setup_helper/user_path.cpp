#include "user_path.h"

#include "registry_value.h"

#include <windows.h>

#include <vector>

namespace setup {

namespace {

const wchar_t kEnvironment[] = L"Environment";
const wchar_t kPath[] = L"Path";
const wchar_t kAdded[] = L"PathAdded";     // the text appended, separator included
const wchar_t kCreated[] = L"PathCreated"; // "1": there was no PATH before
// The longest value of an environment variable, without its terminator.
constexpr size_t kLongest = 32766;

std::wstring folded(std::wstring entry)
{
    while (entry.size() > 1 && entry.back() == L'\\')
        entry.pop_back();
    CharLowerBuffW(entry.data(), DWORD(entry.size()));
    return entry;
}

// The positions [begin, end) of the entry equal to ENTRY, if any.
bool findEntry(const std::wstring &path, const std::wstring &entry, size_t &begin, size_t &end)
{
    const std::wstring wanted = folded(entry);
    size_t start = 0;
    while (start <= path.size()) {
        size_t stop = path.find(L';', start);
        if (stop == std::wstring::npos)
            stop = path.size();
        if (stop > start && folded(path.substr(start, stop - start)) == wanted) {
            begin = start;
            end = stop;
            return true;
        }
        start = stop + 1;
    }
    return false;
}

// Takes the entry out with one separator next to it.
bool dropEntry(std::wstring &path, const std::wstring &entry)
{
    size_t begin = 0;
    size_t end = 0;
    if (entry.empty() || !findEntry(path, entry, begin, end))
        return false;
    if (end < path.size())
        ++end; // its following ';'
    else if (begin > 0)
        --begin; // the last one: its preceding ';'
    path.erase(begin, end - begin);
    return true;
}

void tellEveryone()
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(kEnvironment),
        SMTO_ABORTIFHUNG, 5000, &ignored);
}

} // namespace

UserPath::UserPath(std::wstring recordKey) : m_recordKey(std::move(recordKey)) {}

UserPath::Result UserPath::add(const std::wstring &entry, const std::wstring &obsolete)
{
    RegistryValue value(kEnvironment, kPath);
    const auto stored = value.readString();
    if (!value.ok())
        return Result::Unchanged;
    StoredString path = stored.value_or(StoredString{L"", REG_EXPAND_SZ});
    const std::wstring before = path.text;
    dropEntry(path.text, obsolete);

    size_t begin = 0;
    size_t end = 0;
    std::wstring added;
    if (!findEntry(path.text, entry, begin, end)) {
        added = (path.text.empty() || path.text.back() == L';') ? entry : L";" + entry;
        if (path.text.size() + added.size() > kLongest)
            return Result::Unchanged;
        path.text += added;
    }
    if (path.text != before) {
        if (!value.writeString(path))
            return Result::Unchanged;
        tellEveryone();
    }
    if (!added.empty()) {
        // A reinstall over an entry already there keeps the first record.
        RegistryValue(m_recordKey, kAdded).writeString({added, REG_SZ});
        RegistryValue(m_recordKey, kCreated).writeString({stored ? L"0" : L"1", REG_SZ});
    }
    return Result::Done;
}

UserPath::Result UserPath::remove()
{
    RegistryValue record(m_recordKey, kAdded);
    const auto added = record.readString();
    if (!added || added->text.empty())
        return Result::Done; // nothing was added
    RegistryValue value(kEnvironment, kPath);
    const auto stored = value.readString();
    if (!value.ok())
        return Result::Unchanged;
    if (!stored)
        return Result::Done;
    StoredString path = *stored;
    const std::wstring &suffix = added->text;
    const bool atEnd = path.text.size() >= suffix.size()
        && path.text.compare(path.text.size() - suffix.size(), suffix.size(), suffix) == 0;
    if (atEnd) {
        path.text.erase(path.text.size() - suffix.size());
    } else {
        // Moved by the user since: the entry itself, wherever it is now.
        const std::wstring entry = suffix[0] == L';' ? suffix.substr(1) : suffix;
        if (!dropEntry(path.text, entry))
            return Result::Done;
    }
    const auto created = RegistryValue(m_recordKey, kCreated).readString();
    const bool ok = (path.text.empty() && created && created->text == L"1") ? value.remove() : value.writeString(path);
    if (!ok)
        return Result::Unchanged;
    record.remove();
    tellEveryone();
    return Result::Done;
}

} // namespace setup
