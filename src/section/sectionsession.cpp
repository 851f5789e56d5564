#include "sectionsession.h"

#include <QDir>
#include <QFileInfo>

SectionSession::SectionSession(const QString &folder) : m_folder(folder), m_lock(folder), m_guard(folder) {}

SessionStart SectionSession::start()
{
    SessionStart start;
    const LockOutcome lock = m_lock.take();
    if (lock.kind == LockOutcome::Kind::Refused)
        return {false, {SessionNotice{SessionNotice::Level::Warning, lock.message}}};
    if (lock.kind == LockOutcome::Kind::Unlockable)
        start.notices.push_back({SessionNotice::Level::Warning, lock.message});

    const LoadResult loaded = LeggeFileSezione(m_folder);
    m_guard.remember(loaded.seen);
    if (loaded.outcome == LoadResult::Outcome::Missing)
        start.notices.push_back({SessionNotice::Level::Information,
                                 QStringLiteral("File: ComputoPersonalizzato.txt NON trovato!")});
    else if (std::optional<SessionNotice> kept = keepOriginal(loaded, start.starts))
        start.notices.push_back(*kept);
    if (start.starts) {
        m_table = loaded.table;
        fileHolds(m_table, encodeSectionFile(m_table).bytes);
    }
    return start;
}

void SectionSession::fileHolds(const SectionTable &table, const QByteArray &bytes)
{
    m_tableInFile = table;
    m_inFile = bytes;
    m_intactBytes.reset();
}

// A file that cannot be used, or that holds text the first save would
// drop, is copied before a save can replace it; when no copy can be made,
// the program does not start.
std::optional<SessionNotice> SectionSession::keepOriginal(const LoadResult &loaded, bool &starts) const
{
    QString what;
    QString section;
    if (loaded.outcome == LoadResult::Outcome::Unreadable) {
        what = QStringLiteral("Il file ComputoPersonalizzato.txt non può essere usato: %1").arg(loaded.problem);
        section = loaded.headerKept
                      ? QStringLiteral("le righe di intestazione lette dal file e una sola area vuota.")
                      : QStringLiteral("una sezione di una sola area vuota.");
    } else if (loaded.dropped) {
        what = QStringLiteral("Il file ComputoPersonalizzato.txt contiene testo che non fa parte della sezione e che "
                              "il salvataggio toglierebbe, dalla riga %1: «%2».")
                   .arg(loaded.dropped->line)
                   .arg(loaded.dropped->text.left(40));
    } else {
        return std::nullopt;
    }
    const std::optional<QString> backup = backupSectionFile(m_folder);
    if (!backup) {
        starts = false;
        return SessionNotice{SessionNotice::Level::Critical,
                             what + QStringLiteral("\n\nNon è stato possibile conservarne una copia, quindi il "
                                                   "programma si chiude senza modificarlo.")};
    }
    QString text = what + QStringLiteral("\n\nIl file originale è stato conservato come %1.")
                              .arg(QFileInfo(*backup).fileName());
    if (!section.isEmpty())
        text += QStringLiteral("\nIl programma parte con %1").arg(section);
    return SessionNotice{SessionNotice::Level::Warning, text};
}

bool SectionSession::hasUnsavedChanges() const
{
    return encodeSectionFile(m_table).bytes != m_inFile;
}

namespace {

const QString kNotSaved = QStringLiteral("Il file ComputoPersonalizzato.txt non è stato salvato.\n%1");

} // namespace

// The check for another program's version runs at each attempt of the
// write; a version kept at the first is told about once.
SessionSave SectionSession::ScriveFileSezione()
{
    std::optional<QString> keptAt;
    const WriteResult result = writeSectionFile(m_table, m_folder, [&]() -> std::optional<SaveError> {
        const OtherVersion other = m_guard.keepOtherVersion();
        if (other.keptAt)
            keptAt = other.keptAt;
        return other.error;
    });
    if (!result.error) {
        m_guard.remember(result.written);
        fileHolds(m_table, *result.written.bytes);
    } else if (result.leftIncomplete) {
        // The cut file is this program's doing, not another program's: the
        // next save replaces it without keeping it, and closing saves again
        // or puts back what the file held before the first cut.
        m_guard.remember(result.written);
        m_inFile.clear();
        if (!m_intactBytes)
            m_intactBytes = result.previousBytes;
    }

    SessionSave saved;
    if (keptAt) {
        saved.keptCopy = QStringLiteral("Un altro programma aveva modificato il file ComputoPersonalizzato.txt.\nLa "
                                        "sua versione è conservata nel file %1.")
                             .arg(QDir::toNativeSeparators(*keptAt));
        if (!result.error)
            *saved.keptCopy += QStringLiteral("\nIl file contiene ora la sezione di questa finestra.");
    }
    if (result.error) {
        // A cut write says so itself; otherwise the file is as it was.
        QString onDisk;
        if (!result.leftIncomplete)
            onDisk = fileIsIncomplete() ? QStringLiteral(" Il file su disco è ancora incompleto, a causa di un "
                                                         "salvataggio interrotto in precedenza: va salvato di nuovo.")
                                        : QStringLiteral(" Il file su disco non è stato modificato.");
        saved.notSaved = kNotSaved.arg(result.error->message + onDisk);
    }
    return saved;
}

std::optional<QString> SectionSession::dropUnsavedChanges()
{
    if (!m_intactBytes)
        return std::nullopt;
    const WriteResult result = writeFileBytes(*m_intactBytes, sectionFilePath(m_folder));
    if (result.error)
        return QStringLiteral("Il file ComputoPersonalizzato.txt non è stato riportato com'era prima del salvataggio "
                              "interrotto.\n%1")
            .arg(result.error->message);
    m_guard.remember(result.written);
    fileHolds(m_tableInFile, *m_intactBytes);
    return std::nullopt;
}

QString SectionSession::closingQuestion(const QString &notSaved) const
{
    return QStringLiteral("%1\n\nLe ultime modifiche confermate non sono nel file %2. Uscendo senza salvare andranno "
                          "perse%3")
        .arg(notSaved, QDir::toNativeSeparators(sectionFilePath(m_folder)),
             fileIsIncomplete() ? QStringLiteral(", e il file sarà riportato com'era prima del salvataggio interrotto.")
                                : QStringLiteral("."));
}
