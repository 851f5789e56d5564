#pragma once

#include "sectionhistory.h"
#include "sectionsession.h"

#include "areaoperations.h"

#include <QString>
#include <functional>
#include <optional>

// What one change of the section came to. A change that was made is one
// step of the history and one save.
struct SectionOutcome
{
    enum class Result {
        Changed,   // the table holds the change, kept in the history
        Unchanged, // nothing to do (a move at either end, nothing to undo)
        Refused,   // the table is as it was; message says why
    };
    Result result = Result::Unchanged;
    QString message;                  // Refused: why; else what the user is told besides, if anything
    std::optional<SessionSave> saved; // the save that followed, if one ran
    SectionCell openOn;               // Changed: where the editor opens to show the change

    bool changed() const { return result == Result::Changed; }
    bool saveFailed() const { return saved && saved->notSaved; }
};

// The section being edited as a document: its session (the table, the lock
// and the file) and the history of its changes. Every edit the window
// offers is one call here, which changes the table as one step of the
// history and saves it at once: a confirmed value, a count, an area
// inserted, deleted or moved, a pasted block, a section loaded from another
// file, an undo and a redo. The window shows the table and the outcome.
class SectionDocument
{
public:
    explicit SectionDocument(const QString &folder);

    // The session's start; the history starts with it.
    [[nodiscard]] SessionStart start();

    // A value confirmed in a cell. typed: text the user changed, held to
    // what may be typed, a number with a decimal comma in a column of
    // numbers written with a point (withDecimalPoint); a value as it stands
    // walks through. Saved even when nothing changed; with no areas, a value
    // makes the empty row area 1 (an empty entry makes none).
    SectionOutcome confirmValue(const SectionCell &at, const QString &value, bool typed);
    // The count taken from the count box, already checked; always saved.
    SectionOutcome takeCount(qint16 count);
    SectionOutcome insertArea(const SectionCell &at);
    SectionOutcome deleteArea(const SectionCell &at);
    SectionOutcome moveArea(const SectionCell &at, int by);
    SectionOutcome pasteBlock(const SectionCell &at, const QString &text);
    // The header lines, count and areas of another section file, read as
    // the start reads the working file; a file that cannot be used is
    // refused.
    SectionOutcome loadFrom(const QString &path);
    SectionOutcome undo();
    SectionOutcome redo();
    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }

    // Writes the section file's bytes, atomically, to another file; why
    // not, when it cannot (the section's own files are refused).
    [[nodiscard]] std::optional<QString> saveCopy(const QString &path) const;

    // Called after every change and every save, when the table and the
    // file hold what the outcome will tell.
    void setChangeListener(std::function<void()> listener) { m_changed = std::move(listener); }

    const SectionTable &table() const { return m_session.table(); }
    SectionSession &session() { return m_session; }
    const SectionSession &session() const { return m_session; }

private:
    SectionOutcome record(SectionChange change, const QString &message = {});
    SessionSave save();
    SectionOutcome edit(const SectionCell &at, const std::function<AreaEdit(SectionTable &table)> &operation);

    QString m_folder;
    SectionSession m_session;
    SectionHistory m_history;
    std::function<void()> m_changed;
};
