#include "settings/ini_class.h"

#include "common/ansi.h"
#include "settings/profile_file.h"

QString INI_Class::ReadINIKey(const QString &Section, const QString &KeyName,
                              const QString &FileName, const QString &sDefValue) const
{
    // One byte is one character in the code page, so the byte cut of the
    // profile layer is the character cut.
    return ansi::decode(profile::readString(ansi::encode(Section), ansi::encode(KeyName),
                                            ansi::encode(sDefValue), FileName));
}

void INI_Class::WriteInIKey(const QString &Section, const QString &KeyName,
                            const QString &KeyValue, const QString &FileName) const
{
    // Callers expect no result; a setting that cannot be stored is simply lost.
    (void)profile::writeString(ansi::encode(Section), ansi::encode(KeyName),
                               ansi::encode(KeyValue), FileName);
}
