#pragma once

#include "sectiontable.h"

#include <QString>
#include <optional>
#include <vector>

// A cell of the section as the editor shows it: an area (a grid row) and one
// of its six values by its grid column, 0..5 (table column column + 1).
struct SectionCell
{
    int area = 1;
    int column = 0;
    bool operator==(const SectionCell &) const = default;
};

// One change of the section: the count, the values and the header lines it
// changed, before and after, and where the editor shows it once undone or
// done again.
struct SectionChange
{
    struct Value
    {
        int area = 0;
        int column = 0; // table column, 1..6
        QString before;
        QString after;
    };
    struct HeaderLine
    {
        int line = 0; // 1..11
        QString before;
        QString after;
    };
    qint16 nareeBefore = 0;
    qint16 nareeAfter = 0;
    std::vector<Value> values;
    std::vector<HeaderLine> headerLines; // only a section loaded from another file changes them
    SectionCell undoneAt; // the cell the editor opens on after the undo
    SectionCell redoneAt; // and after the redo

    bool isEmpty() const { return nareeBefore == nareeAfter && values.empty() && headerLines.empty(); }
};

// What turned `before` into `after`: the count, the header lines and every
// value of the table's 100 areas that differs, those above the count
// included, so that an undo gives back exactly the table that was.
SectionChange changeBetween(const SectionTable &before, const SectionTable &after);

// The undo history of the section: the last kDepth changes, in memory only.
// A new change after an undo drops the changes that could be redone.
class SectionHistory
{
public:
    static constexpr int kDepth = 100;

    // Keeps a change that has been made to the table; an empty one is none.
    void record(SectionChange change);

    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < m_changes.size(); }

    // Undoes the last change on the table, or does again the last one
    // undone; the cell to open the editor on, or nothing when there is
    // nothing to undo or redo.
    std::optional<SectionCell> undo(SectionTable &table);
    std::optional<SectionCell> redo(SectionTable &table);

private:
    std::vector<SectionChange> m_changes; // oldest first
    std::size_t m_done = 0;               // changes 0..m_done-1 are in the table
};
