#include "sectionfileguard.h"

#include <QFile>
#include <QFileInfo>

OtherVersion SectionFileGuard::keepOtherVersion()
{
    const QFileInfo info(sectionFilePath(m_folder));
    if (!info.isFile())
        return {}; // deleted: written again; a folder in its place: the write reports it
    if (m_known && m_known->sameStamp(info))
        return {};

    DiskVersion onDisk{info.size(), info.lastModified(), std::nullopt};
    if (m_known && m_known->bytes && m_known->bytes->size() == info.size()) {
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly)) {
            onDisk = DiskVersion::of(file);
            const QByteArray bytes = file.readAll();
            if (file.error() == QFileDevice::NoError && bytes == *m_known->bytes) {
                onDisk.bytes = bytes;
                m_known = onDisk; // rewritten with the same bytes: nothing to keep
                return {};
            }
        }
    }

    const std::optional<QString> kept = backupSectionFile(m_folder);
    if (!kept)
        return {std::nullopt, SaveError{QStringLiteral("Un altro programma ha modificato il file "
                                                       "ComputoPersonalizzato.txt e non è stato possibile "
                                                       "conservarne una copia.")}};
    m_known = onDisk; // kept: a failed save after this does not keep it twice
    return {kept, std::nullopt};
}
