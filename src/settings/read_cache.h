#pragma once
// A settings file read once for many keys.

#include <QByteArray>
#include <QString>

#include <optional>

namespace profile {

// While one lives, readString reads its file once and takes every further
// key from those bytes; writeString to the file drops them, so a read after
// a write sees the write. Start-up reads a dozen keys of one file. For the
// one thread that reads settings; caches may nest (the inner one counts).
class ReadCache {
public:
    explicit ReadCache(const QString &fileName);
    ~ReadCache();
    ReadCache(const ReadCache &) = delete;
    ReadCache &operator=(const ReadCache &) = delete;

    // The cache in force for fileName, or nullptr.
    static ReadCache *forFile(const QString &fileName);

    // What readString searches: the file's bytes as far as they could be
    // read, or nullopt when it is missing or unreadable (every key then
    // reads as its default). Read from disk on first use.
    const std::optional<QByteArray> &content();

    // Every cache of fileName reads it again at its next use.
    static void fileWritten(const QString &fileName);

private:
    QString m_fileName;
    ReadCache *m_outer;
    bool m_loaded = false;
    std::optional<QByteArray> m_content;
};

} // namespace profile
