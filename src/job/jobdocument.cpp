#include "jobdocument.h"

#include "jobfile.h"

#include <QFileInfo>

QString JobDocument::fileName() const
{
    return m_path.isEmpty() ? QString() : QFileInfo(m_path).fileName();
}

QString JobDocument::folder(const QString &unsaved) const
{
    return m_path.isEmpty() ? unsaved : QFileInfo(m_path).absolutePath();
}

std::variant<Job, QString> JobDocument::saveAs(const QString &path, const Job &job, const QString &unsaved)
{
    const QString from = folder(unsaved);
    const QString to = QFileInfo(path).absolutePath();
    Job written = job;
    for (Stretch &stretch : written.stretches)
        stretch.section = storedSectionPath(resolvedSectionPath(stretch.section.trimmed(), from), to);
    if (const std::optional<QString> failure = writeJob(path, written))
        return *failure;
    m_path = path;
    m_held = written;
    return written;
}

std::variant<Job, QString> JobDocument::open(const QString &path)
{
    std::variant<Job, QString> read = readJob(path);
    if (const Job *job = std::get_if<Job>(&read)) {
        m_path = path;
        m_held = *job;
    }
    return read;
}
