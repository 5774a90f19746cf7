#include "running_programs.h"

#include <tlhelp32.h>

namespace setup {

namespace {

std::wstring fullLower(const std::wstring &path)
{
    std::wstring full(MAX_PATH * 4, L'\0');
    const DWORD n = GetFullPathNameW(path.c_str(), DWORD(full.size()), full.data(), nullptr);
    full.resize(n > 0 && n < full.size() ? n : 0);
    if (full.empty())
        full = path;
    CharLowerBuffW(full.data(), DWORD(full.size()));
    return full;
}

struct WindowSearch {
    DWORD id;
    int closed;
};

BOOL CALLBACK closeIfOwned(HWND window, LPARAM context)
{
    auto *search = reinterpret_cast<WindowSearch *>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    // Visible top-level windows only: a toolkit's hidden helper windows
    // are no part of what the user closes.
    if (owner == search->id && IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        ++search->closed;
    }
    return TRUE;
}

BOOL WINAPI ignoreInterrupt(DWORD) { return TRUE; }

// The package's programs, and nothing else that happens to run from there
// (a setup program the user started from that folder, say).
bool isOurs(const std::wstring &image)
{
    const std::wstring name = image.substr(image.find_last_of(L'\\') + 1);
    return name == L"dalvimo.exe" || name == L"dalvimoctl.exe" || name == L"quorvan-sim.exe";
}

} // namespace

RunningPrograms::RunningPrograms(const std::wstring &folder)
{
    std::wstring prefix = fullLower(folder);
    if (prefix.empty() || prefix.back() != L'\\')
        prefix += L'\\';
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId())
            continue;
        const HANDLE process
            = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (!process)
            continue;
        std::wstring image(MAX_PATH * 4, L'\0');
        DWORD size = DWORD(image.size());
        if (QueryFullProcessImageNameW(process, 0, image.data(), &size)) {
            image.resize(size);
            const std::wstring path = fullLower(image);
            if (path.rfind(prefix, 0) == 0 && isOurs(path)) {
                m_processes.push_back({entry.th32ProcessID, process});
                continue;
            }
        }
        CloseHandle(process);
    }
    CloseHandle(snapshot);
}

RunningPrograms::~RunningPrograms()
{
    for (const auto &p : m_processes)
        CloseHandle(p.handle);
}

bool RunningPrograms::closeWindows(DWORD id)
{
    WindowSearch search{id, 0};
    EnumWindows(closeIfOwned, reinterpret_cast<LPARAM>(&search));
    return search.closed > 0;
}

bool RunningPrograms::interruptConsole(DWORD id)
{
    if (!AttachConsole(id))
        return false;
    DWORD attached[8] = {};
    const DWORD count = GetConsoleProcessList(attached, 8);
    // Itself and the program: nobody else would get the Ctrl+C.
    bool alone = count == 2;
    for (DWORD i = 0; alone && i < count; ++i)
        alone = attached[i] == id || attached[i] == GetCurrentProcessId();
    bool sent = false;
    if (alone) {
        SetConsoleCtrlHandler(ignoreInterrupt, TRUE);
        sent = GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
    }
    FreeConsole();
    return sent;
}

bool RunningPrograms::close(DWORD timeoutMs)
{
    // One that was asked nothing will not end by itself: no use waiting.
    bool allAsked = true;
    for (const auto &p : m_processes) {
        if (!closeWindows(p.id) && !interruptConsole(p.id))
            allAsked = false;
    }
    if (!allAsked)
        return false;
    const DWORD deadline = GetTickCount() + timeoutMs;
    for (const auto &p : m_processes) {
        const DWORD now = GetTickCount();
        const DWORD left = int(deadline - now) > 0 ? deadline - now : 0;
        if (WaitForSingleObject(p.handle, left) != WAIT_OBJECT_0)
            return false;
    }
    return true;
}

} // namespace setup
