#include "sectionsession.h"

#include <QDir>
#include <QFileInfo>

SectionSession::SectionSession(const QString &folder) : m_folder(folder), m_lock(folder), m_guard(folder) {}

SessionStart SectionSession::start()
{
    if (const std::optional<LockRefusal> refusal = m_lock.take())
        return {false, SessionNotice{SessionNotice::Level::Warning, refusal->message}};
    const LoadResult loaded = LeggeFileSezione(m_folder);
    m_guard.remember(loaded.seen);
    SessionStart start;
    if (loaded.outcome == LoadResult::Outcome::Missing)
        start.notice = {SessionNotice::Level::Information,
                        QStringLiteral("File: ComputoPersonalizzato.txt NON trovato!")};
    else if (loaded.outcome == LoadResult::Outcome::Unreadable)
        start = keepUnusable(loaded);
    if (start.starts)
        m_table = loaded.table;
    return start;
}

// A file that cannot be used is copied before a save can replace it; when no
// copy can be made, the program does not start.
SessionStart SectionSession::keepUnusable(const LoadResult &loaded) const
{
    const QString what =
        QStringLiteral("Il file ComputoPersonalizzato.txt non può essere usato: %1").arg(loaded.problem);
    const std::optional<QString> backup = backupSectionFile(m_folder);
    if (!backup)
        return {false, SessionNotice{SessionNotice::Level::Critical,
                                     what + QStringLiteral("\n\nNon è stato possibile conservarne una copia, quindi "
                                                           "il programma si chiude senza modificarlo.")}};
    const QString section = loaded.headerKept
                                ? QStringLiteral("le righe di intestazione lette dal file e una sola area vuota.")
                                : QStringLiteral("una sezione di una sola area vuota.");
    return {true, SessionNotice{SessionNotice::Level::Warning,
                                what + QStringLiteral("\n\nIl file originale è stato conservato come %1.\nIl "
                                                      "programma parte con %2")
                                           .arg(QFileInfo(*backup).fileName(), section)}};
}

// The check for another program's version runs at each attempt of the
// write; a version kept at the first is told about once.
SessionSave SectionSession::ScriveFileSezione()
{
    std::optional<QString> keptAt;
    std::optional<DiskVersion> written;
    const std::optional<SaveError> error =
        writeSectionFile(m_table, m_folder, [&](const DiskVersion &replacement) -> std::optional<SaveError> {
            const OtherVersion other = m_guard.keepOtherVersion();
            if (other.keptAt)
                keptAt = other.keptAt;
            written = replacement;
            return other.error;
        });
    if (!error)
        m_guard.remember(written);

    SessionSave saved;
    if (keptAt) {
        saved.keptCopy = QStringLiteral("Un altro programma aveva modificato il file ComputoPersonalizzato.txt.\nLa "
                                        "sua versione è conservata nel file %1.")
                             .arg(QDir::toNativeSeparators(*keptAt));
        if (!error)
            *saved.keptCopy += QStringLiteral("\nIl file contiene ora la sezione di questa finestra.");
    }
    if (error)
        saved.notSaved =
            QStringLiteral("Il file ComputoPersonalizzato.txt non è stato salvato.\n%1").arg(error->message);
    return saved;
}
