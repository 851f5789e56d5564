#include "sectionlock.h"

#include "sectionfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <chrono>

namespace {

// Long enough for a program that is just creating or removing its lock.
constexpr std::chrono::milliseconds kWait(250);

const QString kClosing = QStringLiteral("\n\nQuesto programma si chiude senza leggere né modificare il file.");

} // namespace

SectionLock::SectionLock(const QString &folder) : m_lock(sectionFilePath(folder) + QStringLiteral(".lock"))
{
    // The lock is held for as long as the window is open, so its age says
    // nothing: only a process that is gone makes it stale.
    m_lock.setStaleLockTime(0);
}

LockOutcome SectionLock::take()
{
    // A second try covers a holder that released its lock between the
    // failed attempt and the reading of its details.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (m_lock.tryLock(kWait))
            return {};
        if (m_lock.error() != QLockFile::LockFailedError)
            return unlockable();
        if (QFileInfo::exists(path()))
            break;
    }
    return refusal();
}

// QLockFile tells only the kind of failure; the system's own words come
// from an attempt to create the same file.
LockOutcome SectionLock::unlockable() const
{
    QString reason = m_lock.error() == QLockFile::PermissionError
                         ? QStringLiteral("nella cartella non si possono creare file")
                         : QStringLiteral("il percorso è troppo lungo oppure il disco non lo permette");
    QFile probe(path());
    if (probe.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        probe.remove();
    else if (!probe.exists())
        reason += QStringLiteral("; il sistema risponde: «%1»").arg(probe.errorString());
    return {LockOutcome::Kind::Unlockable,
            QStringLiteral("Non è stato possibile creare il file di blocco %1: %2.\n\nProfilara funziona lo stesso, "
                           "ma non può accorgersi se un altro Profilara apre la stessa sezione: non aprirla due "
                           "volte.")
                .arg(QDir::toNativeSeparators(path()), reason)};
}

LockOutcome SectionLock::refusal() const
{
    const QString lockFile = QDir::toNativeSeparators(path());
    const QString clearIt = QStringLiteral("\nSe %1, il blocco è rimasto da un programma interrotto: eliminare il "
                                           "file %2 e avviare di nuovo Profilara.");
    qint64 pid = 0;
    QString computer;
    if (!m_lock.getLockInfo(&pid, &computer, nullptr))
        return {LockOutcome::Kind::Refused,
                QStringLiteral("La sezione ComputoPersonalizzato.txt risulta già aperta: la blocca il file %1, "
                               "che però non indica quale programma l'ha aperta.")
                    .arg(lockFile)
                + kClosing
                + clearIt.arg(QStringLiteral("nessun altro Profilara è aperto su questa sezione"), lockFile)};

    if (computer.isEmpty()) // Qt's own mark for a lock of this computer
        computer = QSysInfo::machineHostName();
    const QString opened = QStringLiteral("La sezione ComputoPersonalizzato.txt è già aperta in un altro "
                                          "Profilara (processo %1 sul computer %2).")
                               .arg(pid)
                               .arg(computer);
    if (computer.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) == 0)
        // The holder may be another user's session, or a reused process id.
        return {LockOutcome::Kind::Refused,
                opened + kClosing + QStringLiteral(" Continuare nella finestra già aperta.")
                + clearIt.arg(QStringLiteral("non c'è nessun'altra finestra di Profilara aperta su questa sezione"),
                              lockFile)};
    const QString nobodyThere =
        QStringLiteral("sul computer %1 nessun Profilara è aperto su questa sezione").arg(computer);
    return {LockOutcome::Kind::Refused, opened + kClosing + clearIt.arg(nobodyThere, lockFile)};
}
