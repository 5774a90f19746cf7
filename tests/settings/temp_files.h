#pragma once
// Small file helpers for the settings tests: whole-file bytes in and out.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstddef>

namespace testfiles {

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Keeps embedded NUL bytes, which a plain const char * would cut.
template <std::size_t N>
QByteArray raw(const char (&s)[N])
{
    return QByteArray(s, N - 1);
}

} // namespace testfiles
