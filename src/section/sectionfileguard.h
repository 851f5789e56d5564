#pragma once

#include "diskversion.h"
#include "sectionfile.h"

#include <QString>
#include <optional>

// What the check before a replacement did with the file on disk.
struct OtherVersion
{
    std::optional<QString> keptAt;  // another program's version, kept at this path
    std::optional<SaveError> error; // it could not be kept: the file must not be replaced
};

// Keeps another program's writes from being overwritten unseen. It knows the
// version of the section file that this program last read or wrote; a file
// on disk that differs from it (another program wrote it) is kept beside it
// under the next free backup name (.bak, .bak2, ...) before it is replaced.
// A file that was deleted is simply written again. The file is read only
// when its size is what was last seen but its modification time is not;
// otherwise size and time decide.
class SectionFileGuard
{
public:
    explicit SectionFileGuard(const QString &folder) : m_folder(folder) {}

    // The version this program last read or wrote; nothing when there was no file.
    void remember(const std::optional<DiskVersion> &seen) { m_known = seen; }

    // The check, made right before a new file replaces the section file.
    [[nodiscard]] OtherVersion keepOtherVersion();

private:
    QString m_folder;
    std::optional<DiskVersion> m_known;
};
