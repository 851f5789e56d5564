#include "sectionfileguard.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

GuardedSave SectionFileGuard::ScriveFileSezione(const SectionTable &table)
{
    GuardedSave result;
    DiskVersion written;
    const auto check = [&](const QByteArray &bytes, QSaveFile &replacement) -> std::optional<SaveError> {
        if (std::optional<SaveError> error = keepOtherVersion(result.keptCopy))
            return error;
        // Taken from the temporary file, which keeps its size and time when
        // it is renamed: a write by another program after the rename shows.
        written = DiskVersion::of(replacement);
        written.bytes = bytes;
        return std::nullopt;
    };
    result.error = ::ScriveFileSezione(table, m_folder, check);
    if (!result.error)
        m_known = written;
    return result;
}

std::optional<SaveError> SectionFileGuard::keepOtherVersion(std::optional<QString> &keptCopy)
{
    const QFileInfo info(sectionFilePath(m_folder));
    if (!info.isFile())
        return std::nullopt; // deleted: written again; a folder in its place: the save reports it
    if (m_known && m_known->sameStamp(info))
        return std::nullopt;

    DiskVersion onDisk{info.size(), info.lastModified(), std::nullopt};
    if (m_known && m_known->bytes && m_known->bytes->size() == info.size()) {
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly)) {
            onDisk = DiskVersion::of(file);
            const QByteArray bytes = file.readAll();
            if (file.error() == QFileDevice::NoError && bytes == *m_known->bytes) {
                onDisk.bytes = bytes;
                m_known = onDisk; // rewritten with the same bytes: nothing to keep
                return std::nullopt;
            }
        }
    }

    keptCopy = backupSectionFile(m_folder);
    if (!keptCopy)
        return SaveError{QStringLiteral("Un altro programma ha modificato il file ComputoPersonalizzato.txt e non "
                                        "è stato possibile conservarne una copia.")};
    m_known = onDisk; // kept: a failed save after this does not keep it twice
    return std::nullopt;
}
