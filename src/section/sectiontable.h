#pragma once

#include <QString>
#include <array>

// The one trench cross-section being edited: eleven header lines carried
// through unchanged, the area count and up to 100 areas of six text values.
// Indices follow the file: header lines 1..11, areas 1..Naree, columns 1..6
// (index 0 of each stays unused and empty).
struct SectionTable
{
    static constexpr int kHeaderLines = 11;
    static constexpr int kMaxAreas = 100;
    static constexpr int kColumns = 6;

    std::array<QString, kHeaderLines + 1> Intestazione;
    qint16 Naree = 0;
    std::array<std::array<QString, kColumns + 1>, kMaxAreas + 1> Aree;

    // Areas 1..areaCount() are the ones written to the file and shown.
    int areaCount() const { return Naree < 1 ? 0 : Naree; }

    bool operator==(const SectionTable &) const = default;
};

// The title of the value in grid column 0..5 (table column column + 1), as
// the grid's header shows it and the messages name it.
inline QString columnTitle(int column)
{
    static const QString titles[SectionTable::kColumns] = {
        QStringLiteral("Descrizione"),
        QStringLiteral("Altezza area H"),
        QStringLiteral("Allargamento della sezione X"),
        QStringLiteral("Inclinazione delle pareti tan alfa"),
        QStringLiteral("Coefficiente di detrazione dell'area tubazione"),
        QStringLiteral("Voce di elenco prezzi"),
    };
    return titles[column];
}
