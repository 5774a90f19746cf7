#pragma once
// INI_Class: the settings accessor. Reads and writes one key of the
// settings file at a time; holds no state of its own. Text is Windows-1251
// in the file and Unicode on this side.
//
// Errors, in this layer: none thrown; what cannot be read comes back empty
// (std::optional) or as the default, a write that failed as false.

#include <QString>

class INI_Class
{
public:
    // The value of KeyName in Section of FileName, at most 254 characters,
    // or sDefValue (cut the same way) when the file, section or key is
    // missing or the file cannot be read.
    QString ReadINIKey(const QString &Section, const QString &KeyName, const QString &FileName,
                       const QString &sDefValue) const;

    // Sets KeyName in Section of FileName to KeyValue, creating what is
    // missing. A failure (folder or file not writable, file too large to
    // rewrite safely) leaves the file as it was and is not reported.
    // Note the file name comes last here, unlike in ReadINIKey.
    void WriteInIKey(const QString &Section, const QString &KeyName, const QString &KeyValue,
                     const QString &FileName) const;
};
