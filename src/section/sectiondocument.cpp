#include "sectiondocument.h"

#include "ownfiles.h"
#include "sectionclipboard.h"
#include "valuerules.h"

#include <QDir>

SectionDocument::SectionDocument(const QString &folder) : m_folder(folder), m_session(folder) {}

SessionStart SectionDocument::start()
{
    m_history = {};
    return m_session.start();
}

SessionSave SectionDocument::save()
{
    SessionSave saved = m_session.ScriveFileSezione();
    if (m_changed)
        m_changed();
    return saved;
}

// Keeps a change made to the table and saves it.
SectionOutcome SectionDocument::record(SectionChange change, const QString &message)
{
    const SectionCell openOn = change.redoneAt;
    const SectionOutcome::Result result =
        change.isEmpty() ? SectionOutcome::Result::Unchanged : SectionOutcome::Result::Changed;
    m_history.record(std::move(change));
    return {result, message, save(), openOn};
}

SectionOutcome SectionDocument::confirmValue(const SectionCell &at, const QString &entry, bool typed)
{
    const QString value = typed ? withDecimalPoint(entry, at.column) : entry;
    if (const std::optional<QString> problem = confirmationProblem(value, typed))
        return {SectionOutcome::Result::Refused, *problem, std::nullopt, {}};
    SectionTable &table = m_session.table();
    if (table.areaCount() > 0) {
        QString &stored = table.Aree[at.area][at.column + 1];
        if (stored != value) {
            SectionChange change{table.Naree, table.Naree, {{at.area, at.column + 1, stored, value}}, {}, at, at};
            stored = value;
            return record(std::move(change));
        }
    } else if (!value.isEmpty()) {
        // The one empty row of a section without areas: the value makes it
        // area 1, with empty values beside it.
        const SectionTable before = table;
        table.Aree[1] = {};
        table.Aree[1][at.column + 1] = value;
        table.Naree = 1;
        SectionChange change = changeBetween(before, table);
        change.undoneAt = change.redoneAt = {1, at.column};
        return record(std::move(change));
    }
    return {SectionOutcome::Result::Unchanged, {}, save(), at};
}

SectionOutcome SectionDocument::takeCount(qint16 count)
{
    SectionTable &table = m_session.table();
    const qint16 before = table.Naree;
    table.Naree = count;
    return record({before, count, {}, {}, {1, 0}, {1, 0}});
}

// One operation on whole areas or a paste: refused with the table as it
// was, nothing to do, or one change.
SectionOutcome SectionDocument::edit(const SectionCell &at, const std::function<AreaEdit(SectionTable &table)> &operation)
{
    SectionTable &table = m_session.table();
    if (at.area < 1 || at.column < 0 || at.column >= SectionTable::kColumns)
        return {};
    const SectionTable before = table;
    const AreaEdit done = operation(table);
    if (done.result == AreaEdit::Result::Refused)
        return {SectionOutcome::Result::Refused, done.message, std::nullopt, {}};
    if (done.result == AreaEdit::Result::Unchanged)
        return {};
    SectionChange change = changeBetween(before, table);
    change.undoneAt = at;
    change.redoneAt = done.openOn;
    return record(std::move(change), done.message);
}

SectionOutcome SectionDocument::insertArea(const SectionCell &at)
{
    return edit(at, [&at](SectionTable &table) { return ::insertArea(table, at.area, at.column); });
}

SectionOutcome SectionDocument::deleteArea(const SectionCell &at)
{
    return edit(at, [&at](SectionTable &table) { return ::deleteArea(table, at.area, at.column); });
}

SectionOutcome SectionDocument::moveArea(const SectionCell &at, int by)
{
    return edit(at, [&at, by](SectionTable &table) { return ::moveArea(table, at.area, at.column, by); });
}

SectionOutcome SectionDocument::pasteBlock(const SectionCell &at, const QString &text)
{
    return edit(at, [&at, &text](SectionTable &table) { return ::pasteBlock(table, at.area, at.column, text); });
}

SectionOutcome SectionDocument::loadFrom(const QString &path)
{
    const QString name = QDir::toNativeSeparators(path);
    const LoadResult loaded = loadSectionFile(path);
    const QString unchanged = QStringLiteral("\nLa sezione non è cambiata.");
    if (loaded.outcome == LoadResult::Outcome::Missing)
        return {SectionOutcome::Result::Refused, QStringLiteral("Il file %1 non esiste.").arg(name) + unchanged,
                std::nullopt, {}};
    if (loaded.outcome == LoadResult::Outcome::Unreadable)
        return {SectionOutcome::Result::Refused,
                QStringLiteral("Il file %1 non può essere usato: %2").arg(name, loaded.problem) + unchanged,
                std::nullopt, {}};

    QString told;
    if (loaded.dropped)
        told = QStringLiteral("Il file %1 contiene testo che non fa parte della sezione, dalla riga %2: «%3».\nQuel "
                              "testo non è stato caricato.")
                   .arg(name, QString::number(loaded.dropped->line), loaded.dropped->text.left(40));
    SectionTable &table = m_session.table();
    const SectionTable before = table;
    table = loaded.table;
    SectionChange change = changeBetween(before, table);
    if (change.isEmpty())
        return {SectionOutcome::Result::Unchanged, told, std::nullopt, {}};
    change.undoneAt = change.redoneAt = {1, 0};
    return record(std::move(change), told);
}

SectionOutcome SectionDocument::undo()
{
    const std::optional<SectionCell> at = m_history.undo(m_session.table());
    if (!at)
        return {};
    return {SectionOutcome::Result::Changed, {}, save(), *at};
}

SectionOutcome SectionDocument::redo()
{
    const std::optional<SectionCell> at = m_history.redo(m_session.table());
    if (!at)
        return {};
    return {SectionOutcome::Result::Changed, {}, save(), *at};
}

std::optional<QString> SectionDocument::saveCopy(const QString &path) const
{
    if (isSectionOwnFile(m_folder, path))
        return ownFileRefusal();
    const QString failed = QStringLiteral("La copia della sezione non è stata salvata.\n%1");
    // The bytes the section file holds: after a failed save, without the
    // change that is not in it.
    const EncodedSection encoded = encodeSectionFile(m_session.tableInFile());
    if (encoded.error)
        return failed.arg(encoded.error->message);
    if (const WriteResult written = writeFileBytes(encoded.bytes, path, InPlace::Refused); written.error)
        return failed.arg(written.error->message);
    return std::nullopt;
}
