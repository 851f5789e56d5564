// Runs the benchmarks and prints each figure beside its floor.
//
//   1. start-up: bench_startup on a 100-area section against
//      bench_bare_window, each as a whole process (fork/exec to exit),
//      alternated, wall time medians
//   2. and 3. the editing paths, from bench_editing (in-process)
//   4. peak resident memory of the two start-up processes (wait4 rusage)
//
// usage: bench_driver [--runs N] [--iterations M] [--folder DIR]
// The harnesses are looked up beside this executable.

#include "benchsection.h"

#include <QCoreApplication>
#include <QDir>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct ProcessRun
{
    double ms = 0;
    long maxRssKb = 0;
    int status = -1; // exit status, or -1 when it did not exit normally
};

qint64 monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

ProcessRun runProcess(const QString &program, const QStringList &arguments)
{
    const QByteArray programBytes = QFile::encodeName(program);
    std::vector<QByteArray> argBytes{programBytes};
    for (const QString &a : arguments)
        argBytes.push_back(QFile::encodeName(a));
    std::vector<char *> argv;
    for (QByteArray &a : argBytes)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    ProcessRun run;
    const qint64 start = monotonicNs();
    const pid_t pid = fork();
    if (pid < 0)
        return run;
    if (pid == 0) {
        execv(programBytes.constData(), argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    pid_t waited;
    do {
        waited = wait4(pid, &status, 0, &usage);
    } while (waited < 0 && errno == EINTR);
    run.ms = double(monotonicNs() - start) / 1e6;
    run.maxRssKb = usage.ru_maxrss;
    run.status = (waited == pid && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
    return run;
}

template<typename T>
double median(std::vector<T> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? double(values[n / 2]) : (double(values[n / 2 - 1]) + double(values[n / 2])) / 2;
}

void printRow(const char *figure, const char *unit, double ours, double floor, const char *goal, double goalRatio,
              const QString &spread = {})
{
    const double ratio = floor > 0 ? ours / floor : 0;
    const char *verdict = goalRatio <= 0 ? "" : (ratio <= goalRatio ? "ok" : "MISS");
    std::printf("%-34s %-4s %10.3f %10.3f %7.2f  %-7s %-4s %s\n", figure, unit, ours, floor, ratio, goal, verdict,
                qPrintable(spread));
}

int fail(const QString &what)
{
    std::fprintf(stderr, "bench_driver: %s\n", qPrintable(what));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    // Every child would otherwise warn on stderr, run after run.
    QTemporaryDir runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeDir.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    const QStringList args = QCoreApplication::arguments();
    int runs = 21;
    int iterations = 200;
    QString folderBase;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--runs"))
            runs = qMax(1, args.at(i + 1).toInt());
        else if (args.at(i) == QLatin1String("--iterations"))
            iterations = qMax(1, args.at(i + 1).toInt());
        else if (args.at(i) == QLatin1String("--folder"))
            folderBase = args.at(i + 1);
        else
            return fail(QStringLiteral("usage: bench_driver [--runs N] [--iterations M] [--folder DIR]"));
    }

    const QDir here(QCoreApplication::applicationDirPath());
    const QString startup = here.filePath(QStringLiteral("bench_startup"));
    const QString bare = here.filePath(QStringLiteral("bench_bare_window"));
    const QString editing = here.filePath(QStringLiteral("bench_editing"));

    QTemporaryDir tempDir(folderBase.isEmpty() ? QString() : folderBase + QStringLiteral("/bench-XXXXXX"));
    if (!tempDir.isValid())
        return fail(QStringLiteral("cannot create the working folder"));
    if (!writeBenchSection(tempDir.path()))
        return fail(QStringLiteral("cannot write the section file"));
    const QByteArray expected = encodeSectionFile(benchSection()).bytes;

    // The floors include an fsync, so a busy disk or CPU shows in every
    // figure: the load average says how quiet the machine was.
    QFile loadAverage(QStringLiteral("/proc/loadavg"));
    const QByteArray load =
        loadAverage.open(QIODevice::ReadOnly) ? loadAverage.readLine().trimmed() : QByteArray("unknown");
    std::printf("platform=%s runs=%d iterations=%d folder=%s load=%s\n", qgetenv("QT_QPA_PLATFORM").constData(),
                runs, iterations, qPrintable(tempDir.path()), load.constData());
    std::fflush(stdout);

    // Start-up: one untimed round to warm the caches, then rounds that
    // rotate the order of the three programs.
    struct Program
    {
        QString path;
        QStringList arguments;
        std::vector<double> ms;
        std::vector<long> kb;
    };
    Program programs[] = {
        {startup, {tempDir.path()}, {}, {}},
        {bare, {}, {}, {}},
        {bare, {QStringLiteral("--label")}, {}, {}},
    };
    for (int i = -1; i < runs; ++i) {
        for (int k = 0; k < 3; ++k) {
            Program &p = programs[(k + (i < 0 ? 0 : i)) % 3];
            const ProcessRun run = runProcess(p.path, p.arguments);
            if (run.status != 0)
                return fail(QStringLiteral("%1 %2 exited with %3")
                                .arg(p.path, p.arguments.join(QLatin1Char(' ')))
                                .arg(run.status));
            if (i >= 0) {
                p.ms.push_back(run.ms);
                p.kb.push_back(run.maxRssKb);
            }
        }
    }
    const std::vector<double> &startupMs = programs[0].ms, &bareMs = programs[1].ms, &labelMs = programs[2].ms;
    const std::vector<long> &startupKb = programs[0].kb, &bareKb = programs[1].kb, &labelKb = programs[2].kb;
    QFile saved(sectionFilePath(tempDir.path()));
    if (!saved.open(QIODevice::ReadOnly) || saved.readAll() != expected)
        return fail(QStringLiteral("the start-up did not leave the section file as expected"));

    // Editing paths, in one process.
    QProcess editingProcess;
    editingProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList editingArgs{QString::number(iterations)};
    if (!folderBase.isEmpty())
        editingArgs << folderBase;
    editingProcess.start(editing, editingArgs);
    if (!editingProcess.waitForFinished(-1) || editingProcess.exitStatus() != QProcess::NormalExit
        || editingProcess.exitCode() != 0)
        return fail(QStringLiteral("bench_editing failed"));
    QMap<QString, double> e;
    for (const QByteArray &line : editingProcess.readAllStandardOutput().split('\n')) {
        const int eq = line.indexOf('=');
        if (eq > 0)
            e.insert(QString::fromLatin1(line.left(eq)), line.mid(eq + 1).toDouble());
    }
    const auto ms = [&e](const char *key) { return e.value(QLatin1String(key)) / 1e6; };
    const auto spread = [&](const char *name, const char *floorName) {
        return QStringLiteral("p10-p90 %1-%2 | floor %3-%4")
            .arg(ms((QByteArray(name) + ".p10").constData()), 0, 'f', 3)
            .arg(ms((QByteArray(name) + ".p90").constData()), 0, 'f', 3)
            .arg(ms((QByteArray(floorName) + ".p10").constData()), 0, 'f', 3)
            .arg(ms((QByteArray(floorName) + ".p90").constData()), 0, 'f', 3);
    };
    const auto msSpread = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return QStringLiteral("min-max %1-%2").arg(v.front(), 0, 'f', 1).arg(v.back(), 0, 'f', 1);
    };

    std::printf("\n%-34s %-4s %10s %10s %7s  %-7s %-4s %s\n", "figure (medians)", "unit", "profilara", "floor",
                "ratio", "goal", "", "spread");
    printRow("1 start-up to ready and painted", "ms", median(startupMs), median(bareMs), "<= 1.20", 1.20,
             msSpread(startupMs) + QStringLiteral(" | floor ") + msSpread(bareMs));
    printRow("2 confirmation at 100 areas", "ms", ms("confirm.median"), ms("confirm_floor.median"), "<= 1.50", 1.50,
             spread("confirm", "confirm_floor"));
    printRow("3 count of 100 applied", "ms", ms("count.median"), ms("count_floor.median"), "<= 3.00", 3.00,
             spread("count", "count_floor"));
    printRow("4 peak RSS of start-up", "MiB", median(startupKb) / 1024, median(bareKb) / 1024, "<= 1.25", 1.25);
    std::printf("\nfor information: against a bare window that also shows one label (fonts loaded), and\n"
                "the editing paths with the repaint they queue:\n");
    printRow("1' start-up vs bare window + label", "ms", median(startupMs), median(labelMs), "-", 0,
             QStringLiteral("floor ") + msSpread(labelMs));
    printRow("4' peak RSS vs bare window + label", "MiB", median(startupKb) / 1024, median(labelKb) / 1024, "-", 0);
    printRow("2' confirmation + repaint", "ms", ms("confirm_repaint.median"), ms("confirm_floor.median"), "-", 0,
             spread("confirm_repaint", "confirm_floor"));
    printRow("3' count + repaint", "ms", ms("count_repaint.median"), ms("count_floor.median"), "-", 0,
             spread("count_repaint", "count_floor"));
    std::printf("section file: %.0f bytes; start-up runs: %d each; editing iterations: %d (count: %d)\n",
                e.value(QStringLiteral("file.bytes")), runs, iterations, qMax(1, iterations / 2));
    return 0;
}
