#include "sectionfiles.h"

#include "jobfile.h"
#include "section/sectionfile.h"

#include <QFileInfo>

std::variant<const TrenchSection *, QString> SectionFiles::find(const QString &file, const QString &jobFolder)
{
    const QString path = resolvedSectionPath(file, jobFolder);
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("il file non esiste.");
    if (!info.isFile())
        return QStringLiteral("non è un file.");
    Read &read = m_read[path];
    if (read.modified != info.lastModified() || read.size != info.size()) {
        if (read.section)
            m_replaced.push_back(std::move(read));
        read = Read{};
        read.modified = info.lastModified();
        read.size = info.size();
        const LoadResult loaded = loadSectionFile(path);
        switch (loaded.outcome) {
        case LoadResult::Outcome::Loaded:
            read.table = loaded.table;
            read.section = std::make_unique<TrenchSection>(read.table);
            break;
        case LoadResult::Outcome::Missing:
            read.problem = QStringLiteral("il file non esiste.");
            break;
        case LoadResult::Outcome::Unreadable:
            read.problem = loaded.problem;
            break;
        }
    }
    if (read.section)
        return read.section.get();
    return read.problem;
}

const SectionTable *SectionFiles::table(const QString &file, const QString &jobFolder) const
{
    const auto read = m_read.find(resolvedSectionPath(file, jobFolder));
    return read != m_read.end() && read->second.section ? &read->second.table : nullptr;
}
