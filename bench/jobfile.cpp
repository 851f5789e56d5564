// In-process timings of the job's file for a job of 10,000 stretches (one
// in ten imported, with its nodes and levels) and ten price items, each
// beside its floor on the same bytes:
//
//   written: the bytes formed and saved through a temporary file
//            (goal: under 1 s); floor: a bare QSaveFile write and commit
//   read:    the file read and its job formed (goal: under 1 s); floor: the
//            file's bytes read alone
//   opened, measured and saved: the file read, every stretch measured
//            with the items on a section of three areas, the second
//            following P (a road's trench), and the job written again
//            (goal: under 1 s); floor: the bare read and write
//
// usage: bench_jobfile [iterations] [folder]

#include "benchtiming.h"
#include "job/jobfile.h"
#include "section/sectiontable.h"
#include "takeoff/stretches.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

Job benchJob()
{
    Job job;
    job.name = QStringLiteral("Fognatura nera, località Cà Bianca");
    job.DN = 400;
    job.wall = 0.018;
    job.depths = DepthBoxes{QStringLiteral("1,00"), QStringLiteral("4,00"), QStringLiteral("0,25")};
    for (int s = 0; s < 10000; ++s) {
        Stretch stretch;
        stretch.name = QStringLiteral("P%1-P%2").arg(s).arg(s + 1);
        stretch.length = QStringLiteral("35,5");
        stretch.start = QString::number(1.5 + 0.01 * (s % 100), 'f', 2).replace(u'.', u',');
        stretch.end = QString::number(1.6 + 0.01 * (s % 90), 'f', 2).replace(u'.', u',');
        if (s % 50 == 0)
            stretch.section = QStringLiteral("sezioni/roccia.txt");
        if (s % 10 == 0)
            stretch.origin = {QStringLiteral("P%1").arg(s), QStringLiteral("P%1").arg(s + 1),
                              QStringLiteral("105.20"), QStringLiteral("103.70"), QStringLiteral("104.90"),
                              QStringLiteral("103.35")};
        job.stretches.push_back(stretch);
    }
    for (int i = 1; i <= 10; ++i)
        job.items.push_back({QStringLiteral("E.02.%1").arg(i, 3, 10, QLatin1Char('0')),
                             QStringLiteral("Scavo a sezione obbligata, strato %1").arg(i), QStringLiteral("Scavo"),
                             QString::number(i - 1), QString::number(i), QString()});
    return job;
}

[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "bench_jobfile: %s\n", qPrintable(what));
    std::exit(1);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int iterations = args.size() > 1 ? std::max(1, args.at(1).toInt()) : 20;
    const QTemporaryDir dir(args.size() > 2 ? args.at(2) + QStringLiteral("/bench-XXXXXX") : QString());
    if (!dir.isValid())
        fail(QStringLiteral("no temporary folder"));
    const QString path = dir.filePath(QStringLiteral("lavoro.profilara"));
    const QString floorPath = dir.filePath(QStringLiteral("floor.profilara"));

    const Job job = benchJob();
    const QByteArray bytes = jobBytes(job);
    SectionTable table;
    table.Naree = 3;
    const char *areas[3][6] = {{"SABBIA", "0.30", "0.10", "0.2", "0.5", "E.01.001"},
                               {"RINTERRO", "*0.50", "0", "0.2", "0.5", "E.01.002"},
                               {"PAVIMENTAZIONE", "0.40", "0.15", "0", "0", "E.01.003"}};
    for (int a = 0; a < 3; ++a)
        for (int c = 0; c < 6; ++c)
            table.Aree[a + 1][c + 1] = QString::fromLatin1(areas[a][c]);
    const TrenchSection section(table);
    const SectionFinder find = [&section](const QString &) -> std::variant<const TrenchSection *, QString> {
        return &section;
    };
    Series written, read, bareWrite, bareRead, measured, bare;
    for (int i = 0; i < iterations; ++i) {
        written.ms.push_back(timed([&] {
            if (const std::optional<QString> error = writeJob(path, job))
                fail(*error);
        }));
        bareWrite.ms.push_back(timed([&] {
            QSaveFile file(floorPath);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
                fail(file.errorString());
        }));
        std::variant<Job, QString> back;
        read.ms.push_back(timed([&] { back = readJob(path); }));
        if (const QString *error = std::get_if<QString>(&back))
            fail(*error);
        if (!(std::get<Job>(back) == job))
            fail(QStringLiteral("the job read back differs"));
        bareRead.ms.push_back(timed([&] {
            QFile file(floorPath);
            if (!file.open(QIODevice::ReadOnly) || file.readAll().size() != bytes.size())
                fail(file.errorString());
        }));
        bare.ms.push_back(bareRead.ms.back() + bareWrite.ms.back());
        measured.ms.push_back(timed([&] {
            const std::variant<Job, QString> opened = readJob(path);
            const Job &taken = std::get<Job>(opened);
            const StretchTakeoff takeoff = stretchTakeoff(section, 0.80, {0.40, {}}, taken.stretches, find, taken.items);
            if (takeoff.items.size() != taken.items.size())
                fail(QStringLiteral("an item refused: ") + takeoff.itemProblems.join(u' '));
            if (const std::optional<QString> error = writeJob(path, taken))
                fail(*error);
        }));
    }

    printHeading("job file (medians)");
    printRow("10,000 stretches written", written, bareWrite, 1000);
    printRow("10,000 stretches read", read, bareRead, 1000);
    printRow("opened, measured and saved", measured, bare, 1000);
    std::printf("file %lld bytes; iterations: %d\n", static_cast<long long>(bytes.size()), iterations);
    return 0;
}
