#include "common/console.h"

#include <windows.h>

#include <cstdio>

namespace term {

// Output to a file or a pipe has no code page to set and keeps UTF-8 bytes.
Utf8Console::Utf8Console()
{
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if ((out == nullptr || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
    const UINT current = GetConsoleOutputCP();
    if (current != 0 && current != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
        m_previous = current;
}

// What is still buffered must reach the console while it takes UTF-8.
Utf8Console::~Utf8Console()
{
    std::fflush(stdout);
    std::fflush(stderr);
    if (m_previous != 0)
        SetConsoleOutputCP(m_previous);
}

} // namespace term
