// libFuzzer target: every input is a dalvimoctl command line, its arguments
// separated by NUL bytes. What the checks let through can go on the wire as
// it is, and what they refuse is said in text a terminal shows as text.

#include "ctl/cli.h"
#include "fuzz_request.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    new QCoreApplication(*argc, *argv); // lives as long as the process
    QCoreApplication::setApplicationName(QStringLiteral("dalvimoctl"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QStringList arguments{QStringLiteral("dalvimoctl")};
    for (const QByteArray &a : bytes.split('\0'))
        arguments << QString::fromUtf8(a);
    if (bytes.isEmpty())
        arguments.removeLast();

    const ctl::Parsed p = ctl::parseCommandLine(arguments);
    switch (p.kind) {
    case ctl::Parsed::Run:
        FUZZ_REQUIRE(!p.request.command.isEmpty());
        fuzz::requireSendable(p.request);
        break;
    case ctl::Parsed::Usage:
        FUZZ_REQUIRE(!p.error.isEmpty());
        fuzz::requirePrintable(p.error);
        break;
    case ctl::Parsed::Print:
        FUZZ_REQUIRE(!p.output.isEmpty());
        break;
    }
    return 0;
}
