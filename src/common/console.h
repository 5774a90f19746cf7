#pragma once
// dalvimoctl and the simulator write UTF-8. A Windows console shows bytes in
// its own code page (866 or 1251 for a Russian user), so for the time the
// program runs it is switched to UTF-8 and then given its code page back.
// A window program started from a console has none of its own; there it
// writes to that console. Elsewhere a terminal takes UTF-8 as it is, and
// this does nothing.

#include <QByteArrayView>

#include <cstdio>

namespace term {

class Utf8Console
{
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console &) = delete;
    Utf8Console &operator=(const Utf8Console &) = delete;

private:
    // The console's code page before; 0: left alone. Only Windows has one.
    [[maybe_unused]] unsigned m_previous = 0;
};

// Writes UTF-8 text to stdout or stderr and flushes it. A Windows console
// window takes it as wide characters, which no code page or C runtime
// conversion can garble; a file, a pipe or a terminal gets the bytes as
// they are. Each call holds whole characters.
void write(std::FILE *stream, QByteArrayView utf8);

} // namespace term
