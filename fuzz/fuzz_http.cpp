// libFuzzer target: every input is what a client sends dalvimo-web. The
// first byte seeds how the rest is cut into pieces, as a socket may deliver
// it; the reader must come to the same end, and the same request, as when
// fed the whole at once, and stay within its bounds.

#include "fuzz_check.h"
#include "web/http_request.h"

#include <cstddef>
#include <cstdint>

using web::RequestReader;

namespace {

void requireSame(const web::HttpRequest &a, const web::HttpRequest &b)
{
    FUZZ_REQUIRE(a.method == b.method);
    FUZZ_REQUIRE(a.path == b.path);
    FUZZ_REQUIRE(a.headers == b.headers);
    FUZZ_REQUIRE(a.body == b.body);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    RequestReader whole;
    const RequestReader::State state = whole.feed(bytes);

    RequestReader pieces;
    std::uint32_t seed = data[0] * 2654435761u + 1;
    for (qsizetype at = 0; at < bytes.size();) {
        seed ^= seed << 13;
        seed ^= seed >> 17;
        seed ^= seed << 5;
        const qsizetype n = 1 + qsizetype(seed % 64);
        pieces.feed(bytes.mid(at, n));
        at += n;
    }
    FUZZ_REQUIRE(pieces.state() == state);
    FUZZ_REQUIRE(pieces.feed("more") == state || state == RequestReader::Incomplete);

    if (state != RequestReader::Complete)
        return 0;
    requireSame(whole.request(), pieces.request());
    const web::HttpRequest &r = whole.request();
    FUZZ_REQUIRE(r.body.size() <= RequestReader::kMaxBody);
    FUZZ_REQUIRE(r.path.startsWith('/') && !r.path.contains('?') && !r.path.contains(' '));
    FUZZ_REQUIRE(!r.method.isEmpty() && !r.method.contains(' '));
    for (auto it = r.headers.cbegin(); it != r.headers.cend(); ++it) {
        FUZZ_REQUIRE(!it.key().isEmpty() && it.key() == it.key().toLower());
        FUZZ_REQUIRE(!it.value().contains('\r') && !it.value().contains('\n') && !it.value().contains('\0'));
    }
    return 0;
}
