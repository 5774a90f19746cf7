#pragma once
// The programs running from one folder (or below it): found by the path of
// their image, and asked to end the way their user would end them. A
// window gets WM_CLOSE, as its close button sends, and so keeps its
// settings as "Выйти" does; a console program alone in its console gets
// Ctrl+C. A console program that shares its console with others (the
// command prompt it was started from, say) is not sent anything, since
// Ctrl+C would reach them all.
#include <windows.h>

#include <string>
#include <vector>

namespace setup {

class RunningPrograms {
public:
    explicit RunningPrograms(const std::wstring &folder);
    ~RunningPrograms();
    RunningPrograms(const RunningPrograms &) = delete;
    RunningPrograms &operator=(const RunningPrograms &) = delete;

    bool any() const { return !m_processes.empty(); }
    // Asks each to end and waits at most TIMEOUT for all of them; true
    // when none is left, false at once when one could not be asked.
    bool close(DWORD timeoutMs);

private:
    struct Process {
        DWORD id;
        HANDLE handle;
    };
    bool closeWindows(DWORD id);
    bool interruptConsole(DWORD id);

    std::vector<Process> m_processes;
};

} // namespace setup
