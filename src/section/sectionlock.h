#pragma once

#include <QLockFile>
#include <QString>
#include <optional>

// One program per section file: a lock file beside it,
// ComputoPersonalizzato.txt.lock, held from before the load until the
// window closes. A lock left by a program that ended without releasing it
// is recognised by Qt from the process id it holds, when that program ran
// on this computer; a lock from another computer is never broken, since
// nothing here can tell whether that program still runs.

// What taking the lock came to.
struct LockOutcome
{
    enum class Kind {
        Held,      // this program holds the section
        Refused,   // another running Profilara holds it: the program must not go on
        Unlockable // no lock file can be made here: the program goes on without one
    };
    Kind kind = Kind::Held;
    QString message; // Refused, Unlockable: in Italian, ready for the user
};

class SectionLock
{
public:
    explicit SectionLock(const QString &folder);

    // Takes the lock. Refused when another running program holds it (the
    // message names its process and computer, and how to clear a lock that
    // no running program holds). When no lock file can be made at all (a
    // folder without the right to create files, a path too long) nothing is
    // held, and the message says why and what that means.
    [[nodiscard]] LockOutcome take();

    // Gives the lock up; the destructor does too.
    void release() { m_lock.unlock(); }

    QString path() const { return m_lock.fileName(); }

private:
    LockOutcome refusal() const;
    LockOutcome unlockable() const;

    QLockFile m_lock;
};
