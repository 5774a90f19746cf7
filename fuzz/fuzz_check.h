#pragma once
// What the fuzz targets hold every input to: a broken rule stops the run
// with the rule's text, and libFuzzer keeps the input that broke it.

#include <QString>

#include <cstdio>
#include <cstdlib>

#define FUZZ_REQUIRE(rule)                                                                                            \
    do {                                                                                                              \
        if (!(rule)) {                                                                                                \
            std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #rule);                                   \
            std::abort();                                                                                             \
        }                                                                                                             \
    } while (false)

namespace fuzz {

// Text for a terminal: one line of it or several, nothing a terminal acts on.
inline void requirePrintable(const QString &text)
{
    for (const QChar c : text)
        FUZZ_REQUIRE(c == u'\n' || !(c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() < 0xa0)));
}

} // namespace fuzz
