#pragma once
// The install folder's files, changed all at once or not at all. The
// installer unpacks the new version into a folder beside them (STAGE);
// commit() then moves aside every file it replaces and every file the
// former version listed that this one does not ship, moves the new ones
// in, and only then deletes what it moved aside. Should any move fail, each
// one done is undone and the folder is as it was. The list of what is
// installed is kept in the registry (REG_MULTI_SZ), for the next upgrade
// and for remove(), which takes the files away the same way.
#include <string>
#include <utility>
#include <vector>

namespace setup {

class FileSwap {
public:
    FileSwap(std::wstring folder, std::wstring listKey);

    bool commit(const std::wstring &stage);
    bool remove();

private:
    bool move(const std::wstring &from, const std::wstring &to);
    void rollBack();

    std::wstring m_folder;
    std::wstring m_listKey;
    std::wstring m_aside; // where replaced and removed files wait
    std::vector<std::pair<std::wstring, std::wstring>> m_moves;
};

} // namespace setup
