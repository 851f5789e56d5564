#include "jobcommands.h"

#include "section/ownfiles.h"
#include "window/sectionfiledialog.h"

#include <QDir>

namespace {

const QString kAttention = QStringLiteral("Attenzione");

} // namespace

JobCommands::JobCommands(const QString &sectionFolder, const QString &unsavedFolder, Window window, QObject *parent)
    : QObject(parent), m_sectionFolder(sectionFolder), m_unsavedFolder(unsavedFolder), m_window(std::move(window)),
      m_document(m_window.current())
{
}

bool JobCommands::hasChanges() const
{
    return !m_document.holds(m_window.current());
}

QString JobCommands::folder() const
{
    return m_document.folder(m_unsavedFolder);
}

QString JobCommands::title() const
{
    QString title = QStringLiteral("Disegno della sezione");
    if (!m_document.fileName().isEmpty())
        title += QStringLiteral(" – ") + m_document.fileName();
    return hasChanges() ? title + QStringLiteral(" *") : title;
}

void JobCommands::open()
{
    if (!settle(QStringLiteral("Il lavoro ha modifiche non salvate. Salvarle prima di aprirne un altro?")))
        return;
    const std::optional<QString> path = m_window.choose(SectionFileChoice::OpenJob, m_document.path());
    if (!path)
        return;
    const std::variant<Job, QString> opened = m_document.open(*path);
    if (const QString *why = std::get_if<QString>(&opened)) {
        m_window.tell(*why);
        return;
    }
    m_window.apply(std::get<Job>(opened));
    m_document.heldAs(m_window.current());
    m_window.tell(QStringLiteral("Lavoro aperto: %1.").arg(QDir::toNativeSeparators(*path)));
    emit fileChanged();
}

bool JobCommands::save()
{
    return m_document.path().isEmpty() ? saveAs() : writeTo(m_document.path());
}

bool JobCommands::saveAs()
{
    const std::optional<QString> path = m_window.choose(SectionFileChoice::SaveJob, m_document.path());
    if (!path)
        return false;
    if (isSectionOwnFile(m_sectionFolder, *path)) {
        m_window.tell(ownFileRefusal());
        return false;
    }
    return writeTo(*path);
}

bool JobCommands::writeTo(const QString &path)
{
    const std::variant<Job, QString> written = m_document.saveAs(path, m_window.current(), m_unsavedFolder);
    if (const QString *why = std::get_if<QString>(&written)) {
        m_window.tell(QStringLiteral("Il lavoro non è stato salvato in %1. %2").arg(QDir::toNativeSeparators(path), *why));
        return false;
    }
    m_window.apply(std::get<Job>(written));
    m_document.heldAs(m_window.current());
    m_window.tell(QStringLiteral("Lavoro salvato in %1.").arg(QDir::toNativeSeparators(path)));
    emit fileChanged();
    return true;
}

bool JobCommands::settle(const QString &question)
{
    if (!hasChanges())
        return true;
    const int choice = m_window.ask(kAttention, question,
                                    {QStringLiteral("Salva"), QStringLiteral("Non salvare"), QStringLiteral("Annulla")});
    if (choice == 0)
        return save();
    return choice == 1;
}
