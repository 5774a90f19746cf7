#pragma once
// Our own profile-string functions: read or write one key of an INI-style
// file as 8-bit text, the way the old private-profile functions behave for
// this program, but replacing the file whole and atomically on every write.
//
// Rules of the file, as this code reads it:
// - Lines end in LF or CR LF; a leading UTF-8 byte-order mark is skipped.
// - "[name]" starts a section. A line that starts with "[" but has no "]"
//   is still a header whose name runs to the end of the line, so a typo like
//   "[General" keeps its keys. Text after the first "]" is ignored.
// - "key=value" is a key of the current section; lines without "=", lines
//   starting with ";" and keys before the first header are never matched.
// - Names match without regard to letter case (Windows-1251 letters too);
//   spaces and tabs around names and values are not part of them; a value
//   enclosed in matching single or double quotes loses the quotes; a value
//   stops at a NUL byte. The first of duplicate keys wins, and a section
//   named twice is searched in both places, in file order.
// - A file over kMaxFileSize is read only up to the last whole line within
//   that size, and is never rewritten.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace profile {

// The old API copied at most size - 1 bytes into the caller's buffer of 255.
inline constexpr qsizetype kReturnBufferSize = 255;
inline constexpr qsizetype kMaxValueLength = kReturnBufferSize - 1;

// A settings file is a few hundred bytes; anything this big is not ours to
// rewrite, only to read what we can from its start.
inline constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

// The value of key in section within the file's bytes; nullopt when either
// is missing. The value is not cut to kMaxValueLength here.
std::optional<QByteArray> findValue(QByteArrayView content, QByteArrayView section,
                                    QByteArrayView key);

// The file's bytes with key in section set to value: an existing key gets
// its value replaced in place, a new key goes after the last key line of the
// section, a new section goes at the end. Every other byte stays as it was;
// new lines take the file's own line ending (CR LF for an empty file).
// nullopt when the names or the value cannot be stored as one line (empty
// name, CR, LF or NUL, "]" in the section, "=" in the key, a key starting
// with "[" or ";").
std::optional<QByteArray> withValue(QByteArrayView content, QByteArrayView section,
                                    QByteArrayView key, QByteArrayView value);

// The value of key in section of the file, or defaultValue when the file,
// the section or the key is missing or the file cannot be read; either way
// cut to kMaxValueLength bytes.
QByteArray readString(QByteArrayView section, QByteArrayView key, QByteArrayView defaultValue,
                      const QString &fileName);

// Sets key in section of the file, creating what is missing. The new
// content replaces the old one whole (temporary file renamed over it), so a
// crash never leaves a torn file; where the folder takes no new file but the
// file itself may be written, it is rewritten in place. Returns false, leaving the file untouched,
// when it cannot be read whole, cannot be written, or the names or value
// cannot be stored.
bool writeString(QByteArrayView section, QByteArrayView key, QByteArrayView value,
                 const QString &fileName);

// Whether the file is over kMaxFileSize, so that writeString leaves it as it
// is: the one write failure a user can mend, by trimming the file.
bool tooLargeToRewrite(const QString &fileName);

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
