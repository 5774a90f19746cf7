#pragma once
// Our own profile-string functions: read or write one key of an INI-style
// file as 8-bit text (the rules of profile.h), but replacing the file whole
// and atomically on every write.

#include "settings/profile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace profile {

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

// The file's bytes as far as they can be read (up to the last whole line
// within kMaxFileSize), or nullopt when it is missing or unreadable.
std::optional<QByteArray> readableContent(const QString &fileName);

} // namespace profile
