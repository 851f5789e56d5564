#include "sectionhistory.h"

SectionChange changeBetween(const SectionTable &before, const SectionTable &after)
{
    SectionChange change;
    change.nareeBefore = before.Naree;
    change.nareeAfter = after.Naree;
    for (int line = 1; line <= SectionTable::kHeaderLines; ++line) {
        if (before.Intestazione[line] != after.Intestazione[line])
            change.headerLines.push_back({line, before.Intestazione[line], after.Intestazione[line]});
    }
    for (int area = 1; area <= SectionTable::kMaxAreas; ++area) {
        for (int column = 1; column <= SectionTable::kColumns; ++column) {
            const QString &was = before.Aree[area][column];
            const QString &is = after.Aree[area][column];
            if (was != is)
                change.values.push_back({area, column, was, is});
        }
    }
    return change;
}

void SectionHistory::record(SectionChange change)
{
    if (change.isEmpty())
        return;
    m_changes.resize(m_done);
    if (m_changes.size() == kDepth)
        m_changes.erase(m_changes.begin());
    m_changes.push_back(std::move(change));
    m_done = m_changes.size();
}

std::optional<SectionCell> SectionHistory::undo(SectionTable &table)
{
    if (!canUndo())
        return std::nullopt;
    const SectionChange &change = m_changes[--m_done];
    table.Naree = change.nareeBefore;
    for (const SectionChange::Value &value : change.values)
        table.Aree[value.area][value.column] = value.before;
    for (const SectionChange::HeaderLine &header : change.headerLines)
        table.Intestazione[header.line] = header.before;
    return change.undoneAt;
}

std::optional<SectionCell> SectionHistory::redo(SectionTable &table)
{
    if (!canRedo())
        return std::nullopt;
    const SectionChange &change = m_changes[m_done++];
    table.Naree = change.nareeAfter;
    for (const SectionChange::Value &value : change.values)
        table.Aree[value.area][value.column] = value.after;
    for (const SectionChange::HeaderLine &header : change.headerLines)
        table.Intestazione[header.line] = header.after;
    return change.redoneAt;
}
