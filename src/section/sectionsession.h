#pragma once

#include "sectionfile.h"
#include "sectionfileguard.h"
#include "sectionlock.h"
#include "sectiontable.h"

#include <QString>
#include <optional>
#include <vector>

// A message for the user, in Italian, and how grave it is: the window shows
// it in a message box with the matching icon.
struct SessionNotice
{
    enum class Level { Information, Warning, Critical };
    Level level = Level::Warning;
    QString text;
};

// What the start of a session came to.
struct SessionStart
{
    bool starts = true;                  // false: the program ends without writing the file
    std::vector<SessionNotice> notices;  // told before the window is shown, in this order
};

// What a save came to, in the words for the user (both are warnings).
struct SessionSave
{
    std::optional<QString> keptCopy; // another program's version was kept first, and where: told first
    std::optional<QString> notSaved; // the file was not saved, and why
};

// The section being edited, for as long as the window is open: the table,
// the lock on the section, the load at start (which keeps a copy of a file
// that cannot be used, or that holds text the first save would drop) and
// the save, which first keeps a version that another program wrote. The
// window shows what it returns.
class SectionSession
{
public:
    // folder: where the section file lives.
    explicit SectionSession(const QString &folder);

    // Takes the lock and loads the section file.
    [[nodiscard]] SessionStart start();
    // Rewrites the whole file from the table.
    [[nodiscard]] SessionSave ScriveFileSezione();
    // Gives the section up to another program.
    void end() { m_lock.release(); }
    // Whether the table holds a confirmed change that the file does not: the
    // file it would write differs from the one the last load or save left.
    bool hasUnsavedChanges() const;
    // Whether a write in place was cut and the file on disk is incomplete.
    bool fileIsIncomplete() const { return m_intactBytes.has_value(); }
    // What closing asks when the save it tried failed (notSaved says why):
    // whether to try again, to leave without saving, or to stay.
    QString closingQuestion(const QString &notSaved) const;
    // Gives up the changes that are not in the file: an incomplete file is
    // put back as it was before the cut write. Why not, when that fails too.
    [[nodiscard]] std::optional<QString> dropUnsavedChanges();

    SectionTable &table() { return m_table; }
    const SectionTable &table() const { return m_table; }
    // The section as the last load or successful save left it in the file.
    const SectionTable &tableInFile() const { return m_tableInFile; }

private:
    std::optional<SessionNotice> keepOriginal(const LoadResult &loaded, bool &starts) const;
    void fileHolds(const SectionTable &table, const QByteArray &bytes);

    QString m_folder;
    SectionTable m_table;
    SectionLock m_lock;
    SectionFileGuard m_guard;
    SectionTable m_tableInFile;
    QByteArray m_inFile; // its bytes; empty while the file is incomplete
    // What the file held before a write in place cut it, until the file is
    // whole again.
    std::optional<QByteArray> m_intactBytes;
};
