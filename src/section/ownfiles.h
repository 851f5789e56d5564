#pragma once

#include <QString>

// The section's own files in its folder: the section file, its lock and its
// backup copies (.bak, .bak2, ...). A file dialog that writes never writes
// over one of them.

// Whether path names one of them, however it is spelt: through another
// path to the same folder, a link (one to a backup not there yet too), or
// other letter case where the folder ignores it (on Windows and macOS, and
// elsewhere on FAT, exFAT or a Windows share). A file that exists is
// compared by identity (on Windows by its canonical path); one that does
// not, by its name in the section's folder.
bool isSectionOwnFile(const QString &folder, const QString &path);

// What the user is told when such a file is chosen.
QString ownFileRefusal();
