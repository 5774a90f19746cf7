// libFuzzer target: every input is one API request of dalvimo-web after
// the reader, "METHOD PATH" on the first line and the body after it. The
// route either names a command whose every value can go on the wire, or
// answers a failure in dalvimoctl's form with one of its few statuses.

#include "fuzz_request.h"
#include "web/api.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype lineEnd = bytes.indexOf('\n');
    const QByteArray first = lineEnd < 0 ? bytes : bytes.left(lineEnd);
    const QByteArray body = lineEnd < 0 ? QByteArray() : bytes.mid(lineEnd + 1);
    const qsizetype blank = first.indexOf(' ');
    const QByteArray method = blank < 0 ? QByteArray("POST") : first.left(blank);
    const QByteArray path = blank < 0 ? first : first.mid(blank + 1);

    const auto routed = web::routeRequest(method, path, body);
    if (const auto *r = std::get_if<remote::Request>(&routed)) {
        FUZZ_REQUIRE(!r->command.isEmpty());
        FUZZ_REQUIRE(path.startsWith("/api/") && (method == "GET" || method == "POST"));
        fuzz::requireSendable(*r);
        return 0;
    }
    const web::ApiReply &a = std::get<web::ApiReply>(routed);
    FUZZ_REQUIRE(a.httpStatus == 400 || a.httpStatus == 404 || a.httpStatus == 405);
    FUZZ_REQUIRE(a.json.value(QStringLiteral("error")).isString());
    fuzz::requirePrintable(a.json.value(QStringLiteral("error")).toString());
    return 0;
}
