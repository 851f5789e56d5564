#pragma once

#include "takeoff/trenchsection.h"

#include <QDateTime>
#include <QString>
#include <map>
#include <memory>
#include <variant>
#include <vector>

// The sections of the files the stretches name: each read as "Carica
// sezione da file..." reads one, and never written, locked or backed up;
// read again only when the file changes (its size or its time). A section
// handed out stays as long as this does, even after its file changed: a
// take-off made before may still point at it.
class SectionFiles
{
public:
    // The section of a stretch's "Sezione" text (a path, relative ones to
    // jobFolder), or why it cannot be read or used, in Italian.
    std::variant<const TrenchSection *, QString> find(const QString &file, const QString &jobFolder);
    // Its values as the file holds them, once find() has read it; nothing else.
    const SectionTable *table(const QString &file, const QString &jobFolder) const;

private:
    struct Read
    {
        QDateTime modified;
        qint64 size = -1;
        SectionTable table;
        std::unique_ptr<TrenchSection> section;
        QString problem;
    };
    std::map<QString, Read> m_read; // by absolute path
    std::vector<Read> m_replaced;   // sections read before their file changed
};
