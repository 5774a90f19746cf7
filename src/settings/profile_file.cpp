#include "settings/profile_file.h"

#include "settings/read_cache.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace profile {
namespace {

enum class Loaded { Whole, Missing, Failed, TooLarge };

struct FileContent {
    Loaded state = Loaded::Missing;
    QByteArray bytes;
};

FileContent load(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return {Loaded::Missing, {}};
    QFile file(fileName);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return {Loaded::Failed, {}};
    // Read one byte past the cap rather than trust size(), which need not
    // be known in advance for every kind of file.
    QByteArray bytes = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return {Loaded::Failed, {}};
    if (bytes.size() > kMaxFileSize) {
        // Drop the line the cap cuts in two, so no value is read half.
        bytes.truncate(bytes.lastIndexOf('\n', kMaxFileSize - 1) + 1);
        return {Loaded::TooLarge, bytes};
    }
    return {Loaded::Whole, bytes};
}

} // namespace

QByteArray readString(QByteArrayView section, QByteArrayView key, QByteArrayView defaultValue,
                      const QString &fileName)
{
    std::optional<QByteArray> value;
    if (ReadCache *cache = ReadCache::forFile(fileName)) {
        if (const auto &content = cache->content())
            value = findValue(*content, section, key);
    } else if (const auto content = readableContent(fileName)) {
        value = findValue(*content, section, key);
    }
    QByteArray out = value ? *value : defaultValue.toByteArray();
    // The old API copied C strings: nothing after a NUL ever reached the caller.
    const qsizetype nul = out.indexOf('\0');
    if (nul >= 0)
        out.truncate(nul);
    if (out.size() > kMaxValueLength)
        out.truncate(kMaxValueLength);
    return out;
}

bool writeString(QByteArrayView section, QByteArrayView key, QByteArrayView value,
                 const QString &fileName)
{
    ReadCache::fileWritten(fileName); // whatever this does to the file, the next read sees it
    // What cannot be read whole cannot be rewritten without losing data.
    const FileContent file = load(fileName);
    if (file.state == Loaded::Failed || file.state == Loaded::TooLarge)
        return false;
    const std::optional<QByteArray> updated = withValue(file.bytes, section, key, value);
    if (!updated)
        return false;
    if (file.state == Loaded::Whole && *updated == file.bytes)
        return true;

    QSaveFile out(fileName);
    // Replacing the file needs a temporary file beside it; where its folder
    // is closed to us but the file is not (a shared install folder), the
    // file is written in place rather than the user's settings lost.
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(*updated) != updated->size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

bool tooLargeToRewrite(const QString &fileName)
{
    return load(fileName).state == Loaded::TooLarge;
}

std::optional<QByteArray> readableContent(const QString &fileName)
{
    FileContent file = load(fileName);
    if (file.state == Loaded::Whole || file.state == Loaded::TooLarge)
        return std::move(file.bytes);
    return std::nullopt;
}

} // namespace profile
