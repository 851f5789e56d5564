#pragma once

#include "diskversion.h"
#include "sectionfile.h"

#include <QString>
#include <optional>

struct GuardedSave
{
    std::optional<SaveError> error;  // the file was not saved, and why
    std::optional<QString> keptCopy; // another program's version, kept first at this path
};

// Keeps another program's writes from being overwritten unseen. It remembers
// the version of the section file that this program last read or wrote;
// before each save, a file on disk that differs from it (another program
// wrote it) is first kept beside it under the next free backup name
// (.bak, .bak2, ...). A file that was deleted is simply written again.
// The file is read only when its size is what was last seen but its
// modification time is not; otherwise size and time decide.
class SectionFileGuard
{
public:
    explicit SectionFileGuard(const QString &folder) : m_folder(folder) {}

    // The version the load found; nothing when there was no file.
    void remember(const std::optional<DiskVersion> &loaded) { m_known = loaded; }

    // The save of the section file, with the check made right before the
    // new file replaces the old one.
    [[nodiscard]] GuardedSave ScriveFileSezione(const SectionTable &table);

private:
    std::optional<SaveError> keepOtherVersion(std::optional<QString> &keptCopy);

    QString m_folder;
    std::optional<DiskVersion> m_known;
};
