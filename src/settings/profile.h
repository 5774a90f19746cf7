#pragma once
// The text side of our own profile-string functions (profile_file.h reads
// and writes the file): finding and setting one key in the bytes of an
// INI-style file, the way the old private-profile functions behave for
// this program.
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

} // namespace profile
