#include "common/console.h"

#include <windows.h>

namespace term {

// Output to a file or a pipe has no code page to set and keeps UTF-8 bytes.
Utf8Console::Utf8Console()
{
    const UINT current = GetConsoleOutputCP();
    if (current != 0 && current != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
        m_previous = current;
}

Utf8Console::~Utf8Console()
{
    if (m_previous != 0)
        SetConsoleOutputCP(m_previous);
}

} // namespace term
