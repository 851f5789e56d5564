// In-process timings of the two imports on large files, each beside the
// text alone (its bytes decoded and split into lines):
//
//   SWMM model:    5,000 conduits between 5,001 junctions, with their
//                  cross-sections and the sections an import reads past
//                  (goal: under 1 s)
//   manhole table: 5,000 rows with decimal commas, Windows-1252 bytes
//                  (goal: under 1 s)
//
// usage: bench_imports [iterations]

#include "benchtiming.h"
#include "job/importedstretches.h"
#include "job/manholetable.h"
#include "job/swmmmodel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kCount = 5000;

// A sewer line in metres, as SWMM's own editor writes a file.
QByteArray swmmModel()
{
    QByteArray file = "[TITLE]\nBench\n\n[OPTIONS]\nFLOW_UNITS           CMS\nLINK_OFFSETS         DEPTH\n\n"
                      "[JUNCTIONS]\n;;Name           Elevation  MaxDepth   InitDepth  SurDepth   Aponded\n";
    for (int n = 0; n <= kCount; ++n)
        file += QByteArray("J") + QByteArray::number(n) + "    " + QByteArray::number(500.0 - 0.05 * n, 'f', 3)
                + "    " + QByteArray::number(2.0 + 0.001 * (n % 500), 'f', 3) + "    0    0    0\n";
    file += "\n[CONDUITS]\n;;Name From Node To Node Length Roughness InOffset OutOffset InitFlow MaxFlow\n";
    for (int c = 0; c < kCount; ++c)
        file += QByteArray("C") + QByteArray::number(c) + "    J" + QByteArray::number(c) + "    J"
                + QByteArray::number(c + 1) + "    " + QByteArray::number(20.0 + c % 40, 'f', 2)
                + "    0.013    0    " + (c % 10 == 0 ? "0.3" : "0") + "    0    0\n";
    file += "\n[XSECTIONS]\n;;Link Shape Geom1 Geom2 Geom3 Geom4 Barrels Culvert\n";
    for (int c = 0; c < kCount; ++c)
        file += QByteArray("C") + QByteArray::number(c) + "    CIRCULAR    " + (c % 3 ? "0.4" : "0.6")
                + "    0    0    0    1\n";
    file += "\n[COORDINATES]\n;;Node X-Coord Y-Coord\n";
    for (int n = 0; n <= kCount; ++n)
        file += QByteArray("J") + QByteArray::number(n) + "    " + QByteArray::number(25.0 * n, 'f', 3)
                + "    1000.000\n";
    return file;
}

// A profile as a spreadsheet saves it on Windows: semicolons, decimal
// commas, a header, an accented name now and then.
QByteArray manholeTable()
{
    QByteArray file = "Pozzetto;Progressiva (m);Quota terreno (m);Quota di scorrimento (m);Quota di scorrimento in "
                      "uscita (m)\r\n";
    for (int m = 0; m < kCount; ++m) {
        QByteArray row = (m % 50 ? QByteArray("P") : QByteArray("Pozzetto citt\xE0 ")) + QByteArray::number(m) + ';'
                         + QByteArray::number(30.0 * m, 'f', 2) + ';' + QByteArray::number(500.0 - 0.1 * m, 'f', 2)
                         + ';' + QByteArray::number(498.0 - 0.1 * m - 0.002 * (m % 7), 'f', 3) + ';'
                         + (m % 20 ? QByteArray() : QByteArray::number(497.9 - 0.1 * m, 'f', 3)) + "\r\n";
        file += row.replace('.', ',');
    }
    return file;
}

// Reading the text at all: decoded and split into lines.
qsizetype lines(const QByteArray &bytes)
{
    return QStringView(importedText(bytes)).split(u'\n').size();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int iterations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    const QByteArray model = swmmModel();
    const QByteArray table = manholeTable();
    // Both read whole, or the figures would time a refusal.
    const ImportResult fromModel = readSwmmModel(model, 0.05);
    const ImportResult fromTable = readManholeTable(table, 0.05);
    for (const ImportResult *result : {&fromModel, &fromTable}) {
        if (const QString *refusal = std::get_if<QString>(result)) {
            std::fprintf(stderr, "refused: %s\n", qPrintable(*refusal));
            return 1;
        }
    }
    const size_t modelStretches = std::get<ImportedStretches>(fromModel).stretches.size();
    const size_t tableStretches = std::get<ImportedStretches>(fromTable).stretches.size();

    Series swmm, swmmText, manholes, manholeText;
    qsizetype seen = 0;
    for (int i = 0; i < iterations; ++i) {
        swmm.ms.push_back(timed([&] { (void)readSwmmModel(model, 0.05); }));
        swmmText.ms.push_back(timed([&] { seen += lines(model); }));
        manholes.ms.push_back(timed([&] { (void)readManholeTable(table, 0.05); }));
        manholeText.ms.push_back(timed([&] { seen += lines(table); }));
    }

    printHeading("imports (medians)");
    printRow("SWMM model, 5,000 conduits", swmm, swmmText, 1000);
    printRow("manhole table, 5,000 rows", manholes, manholeText, 1000);
    std::printf("stretches read: %zu and %zu; files %lld and %lld KB; floor: the text decoded and split "
                "(%lld lines); iterations: %d\n",
                modelStretches, tableStretches, static_cast<long long>(model.size() / 1024),
                static_cast<long long>(table.size() / 1024), static_cast<long long>(seen / iterations), iterations);
    return 0;
}
