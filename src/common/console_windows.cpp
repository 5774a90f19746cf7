#include "common/console.h"

#include <QString>

#include <windows.h>

#include <io.h>

#include <algorithm>

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

namespace {

// The console behind a stream, or nothing when it goes to a file or a pipe
// (or nowhere, as a window program's may).
HANDLE consoleOf(std::FILE *stream)
{
    const int fd = _fileno(stream);
    if (fd < 0)
        return nullptr;
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr || !GetConsoleMode(handle, &mode))
        return nullptr;
    return handle;
}

bool writeWide(HANDLE console, const QString &text)
{
    const auto *p = reinterpret_cast<const wchar_t *>(text.utf16());
    qsizetype left = text.size();
    while (left > 0) {
        // In pieces: older consoles refuse a very long write.
        qsizetype n = std::min<qsizetype>(left, 8192);
        if (n < left && QChar::isHighSurrogate(p[n - 1]))
            --n;
        DWORD written = 0;
        if (!WriteConsoleW(console, p, DWORD(n), &written, nullptr) || written == 0)
            return false;
        p += written;
        left -= written;
    }
    return true;
}

} // namespace

void write(std::FILE *stream, QByteArrayView utf8)
{
    if (const HANDLE console = consoleOf(stream)) {
        std::fflush(stream); // what the C runtime holds comes first
        if (writeWide(console, QString::fromUtf8(utf8)))
            return;
    }
    if (!utf8.isEmpty()) // an empty view may carry no buffer at all
        std::fwrite(utf8.data(), 1, size_t(utf8.size()), stream);
    std::fflush(stream);
}

} // namespace term
