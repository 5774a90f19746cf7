#pragma once
// The user's own PATH (HKCU\Environment), changed by exactly one entry and
// otherwise kept as it is: read and written whole at any length, with its
// type (REG_EXPAND_SZ or REG_SZ), and every running program told.
//
// What was added, exactly (with the separator it needed), is recorded
// under the program's uninstall key, so that uninstalling takes that away
// and leaves the value as it was before, byte for byte.
#include <string>

namespace setup {

class UserPath {
public:
    enum class Result { Done, Unchanged };

    explicit UserPath(std::wstring recordKey);

    // Adds ENTRY at the end unless it is there already; drops the entry
    // OBSOLETE (a former version's) if present. Unchanged: the value could
    // not be read or written, or would be longer than Windows allows a
    // variable; then it is left exactly as it was.
    Result add(const std::wstring &entry, const std::wstring &obsolete);
    // Takes away what add() recorded.
    Result remove();

private:
    std::wstring m_recordKey;
};

} // namespace setup
