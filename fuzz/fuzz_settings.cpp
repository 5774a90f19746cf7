// libFuzzer target: every input is a settings file's bytes. Each key the
// program reads is looked up as start-up reads it, and each key it writes
// is set as shut-down sets it: the key then reads back as written, and
// every other key reads as before.

#include "common/ansi.h"
#include "fuzz_check.h"
#include "settings/profile.h"
#include "settings/server_entries.h"
#include "settings/settings_keys.h"

#include <cstddef>
#include <cstdint>

namespace {

QList<QByteArray> keys()
{
    QList<QByteArray> k;
    for (int n = settings::kClockIPFirst; n <= settings::kClockIPLast; ++n)
        k << settings::clockIPKey(n).toLatin1();
    for (const QLatin1String &w : {settings::kKeySelectIPNum, settings::kKeyAutoPing, settings::kKeyAutoActiveSet,
                                   settings::kKeyFrameSelect})
        k << QByteArray(w.data(), w.size());
    return k;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QList<QByteArray> all = keys();
    static const QByteArray section(settings::kSectionGeneral.data(), settings::kSectionGeneral.size());
    const QByteArrayView content(reinterpret_cast<const char *>(data), qsizetype(size));

    QList<std::optional<QByteArray>> before;
    for (const QByteArray &key : all) {
        const auto v = profile::findValue(content, section, key);
        if (v) {
            FUZZ_REQUIRE(!v->contains('\n') && !v->contains('\0'));
            settings::parseServerEntry(ansi::decode(*v));
        }
        before << v;
    }
    // The value depends on the input, so that values the file already holds are written too.
    const QByteArray value = QByteArray::number(size % 10);
    const qsizetype written = qsizetype(size % 4) + settings::kClockIPLast;
    const auto updated = profile::withValue(content, section, all.at(written), value);
    FUZZ_REQUIRE(updated.has_value()); // a name and a value the program writes always fit
    for (qsizetype i = 0; i < all.size(); ++i) {
        const auto after = profile::findValue(*updated, section, all.at(i));
        if (i == written)
            FUZZ_REQUIRE(after == value);
        else
            FUZZ_REQUIRE(after == before.at(i));
    }
    return 0;
}
