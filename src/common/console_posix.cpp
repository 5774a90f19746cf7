#include "common/console.h"

namespace term {

Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() = default;

void write(std::FILE *stream, QByteArrayView utf8)
{
    // An empty view may carry no buffer at all, which fwrite must not get.
    if (!utf8.isEmpty())
        std::fwrite(utf8.data(), 1, size_t(utf8.size()), stream);
    std::fflush(stream);
}

} // namespace term
