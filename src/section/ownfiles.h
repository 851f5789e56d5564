#pragma once

#include <QString>

// The section's own files in its folder: the section file, its lock and its
// backup copies (.bak, .bak2, ...). A file dialog that writes never writes
// over one of them.

// Whether path names one of them, however it is spelt: through another
// path to the same folder, a link, or (on Windows and macOS, whose file
// names ignore it) other letter case.
bool isSectionOwnFile(const QString &folder, const QString &path);

// What the user is told when such a file is chosen.
QString ownFileRefusal();
