#include "file_swap.h"

#include "registry_value.h"

#include <windows.h>

#include <algorithm>

namespace setup {

namespace {

const wchar_t kList[] = L"InstalledFiles";

bool exists(const std::wstring &path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Every file below FOLDER, as paths relative to it; and every folder, if
// asked for.
void listFiles(const std::wstring &folder, const std::wstring &relative, std::vector<std::wstring> &files,
    std::vector<std::wstring> *folders = nullptr)
{
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\" + relative + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (folders)
                folders->push_back(relative + name);
            listFiles(folder, relative + name + L"\\", files, folders);
        } else {
            files.push_back(relative + name);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// The folders that hold FILES, deepest first, each removed if empty.
void removeEmptyFolders(const std::wstring &folder, const std::vector<std::wstring> &files)
{
    std::vector<std::wstring> folders;
    for (const auto &f : files) {
        for (size_t cut = f.rfind(L'\\'); cut != std::wstring::npos && cut > 0; cut = f.rfind(L'\\', cut - 1))
            folders.push_back(f.substr(0, cut));
    }
    std::sort(folders.begin(), folders.end(), [](const auto &a, const auto &b) { return a.size() > b.size(); });
    for (const auto &d : folders)
        RemoveDirectoryW((folder + L"\\" + d).c_str());
}

void removeTree(const std::wstring &folder)
{
    std::vector<std::wstring> files;
    std::vector<std::wstring> folders;
    listFiles(folder, L"", files, &folders);
    for (const auto &f : files) {
        SetFileAttributesW((folder + L"\\" + f).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW((folder + L"\\" + f).c_str());
    }
    for (auto d = folders.rbegin(); d != folders.rend(); ++d) // each after those inside it
        RemoveDirectoryW((folder + L"\\" + *d).c_str());
    RemoveDirectoryW(folder.c_str());
}

bool makeParents(const std::wstring &path)
{
    for (size_t cut = path.find(L'\\', 3); cut != std::wstring::npos; cut = path.find(L'\\', cut + 1)) {
        const std::wstring parent = path.substr(0, cut);
        if (!exists(parent) && !CreateDirectoryW(parent.c_str(), nullptr))
            return false;
    }
    return true;
}

std::wstring lower(std::wstring text)
{
    CharLowerBuffW(text.data(), DWORD(text.size()));
    return text;
}

bool contains(const std::vector<std::wstring> &list, const std::wstring &item)
{
    const std::wstring wanted = lower(item);
    return std::any_of(list.begin(), list.end(), [&](const auto &i) { return lower(i) == wanted; });
}

} // namespace

FileSwap::FileSwap(std::wstring folder, std::wstring listKey)
    : m_folder(std::move(folder)), m_listKey(std::move(listKey)), m_aside(m_folder + L"\\.setup-old")
{
}

bool FileSwap::move(const std::wstring &from, const std::wstring &to)
{
    if (!makeParents(to) || !MoveFileExW(from.c_str(), to.c_str(), 0))
        return false;
    m_moves.emplace_back(from, to);
    return true;
}

void FileSwap::rollBack()
{
    for (auto it = m_moves.rbegin(); it != m_moves.rend(); ++it)
        MoveFileExW(it->second.c_str(), it->first.c_str(), MOVEFILE_REPLACE_EXISTING);
    m_moves.clear();
    removeTree(m_aside);
}

bool FileSwap::commit(const std::wstring &stage)
{
    std::vector<std::wstring> shipped;
    listFiles(stage, L"", shipped);
    RegistryValue list(m_listKey, kList);
    const std::vector<std::wstring> before = list.readList();
    std::vector<std::wstring> aside = shipped;
    for (const auto &f : before) {
        if (!contains(shipped, f))
            aside.push_back(f);
    }
    removeTree(m_aside); // left by a run that was cut off
    for (const auto &f : aside) {
        const std::wstring installed = m_folder + L"\\" + f;
        if (exists(installed) && !move(installed, m_aside + L"\\" + f)) {
            rollBack();
            return false;
        }
    }
    for (const auto &f : shipped) {
        if (!move(stage + L"\\" + f, m_folder + L"\\" + f)) {
            rollBack();
            return false;
        }
    }
    if (!list.writeList(shipped)) {
        rollBack();
        return false;
    }
    m_moves.clear();
    removeTree(m_aside);
    removeTree(stage);
    removeEmptyFolders(m_folder, before);
    return true;
}

bool FileSwap::remove()
{
    const std::vector<std::wstring> installed = RegistryValue(m_listKey, kList).readList();
    removeTree(m_aside);
    for (const auto &f : installed) {
        const std::wstring path = m_folder + L"\\" + f;
        if (exists(path) && !move(path, m_aside + L"\\" + f)) {
            rollBack();
            return false;
        }
    }
    m_moves.clear();
    removeTree(m_aside);
    removeEmptyFolders(m_folder, installed);
    RemoveDirectoryW(m_folder.c_str());
    return true;
}

} // namespace setup
