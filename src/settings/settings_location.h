#pragma once
// Where the window's settings file lies.
//
// A copy of the program that runs from anywhere but the install's own
// program folder (a build folder, a copy unpacked somewhere, a test's
// temporary folder) keeps its settings beside the executable: the
// executable's name without extension, then ".cfg". The installed program
// cannot write its own folder, so it uses a file beside it only where one
// already lies there (an administrator's shared settings), and otherwise
// "dalvimo.cfg" in the user's configuration folder.

#include <QString>

namespace settings {

// The rule with every input given, for tests: installBinDir is the folder
// the program is installed to, userConfigDir the per-user folder that takes
// the file when the installed program has none beside it.
QString settingsFilePath(const QString &exePath, const QString &installBinDir,
                         const QString &userConfigDir);

// The rule for this build: the compiled-in install folder and the user's
// configuration folder (~/.config/dalvimo on Linux).
QString settingsFilePath(const QString &exePath);

// Makes the folder that is to hold the settings file, as the writer does not:
// the user's configuration folder may not exist before the first shut-down.
// Nothing is reported; a write into a folder that could not be made fails
// as silently as any other.
void makeSettingsFolder(const QString &settingsFile);

// The running program's executable, as QCoreApplication::applicationFilePath()
// names it, for use before there is an application object; empty where the
// system does not tell.
QString runningExecutable();

// The window's executable as the command-line program finds it: beside
// itself, where both are installed and built.
QString windowExecutableBeside(const QString &programPath);

} // namespace settings
