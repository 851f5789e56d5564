// In-process timings of the two editing paths on a 100-area section, each
// interleaved with its floor: a bare QSaveFile write and commit of the same
// file bytes, into the same folder (beside the section file, which only the
// program writes: it keeps the version of another writer before replacing it).
//
//   confirm: Enter in the cell editor (store, atomic save, preview, move to
//            the next cell, reopen the editor there)
//   count:   Enter in the count box with 100 (reshape and refill the grid,
//            save, preview, open the editor)
//
// Each figure is the handler call alone; the repaint that follows it in the
// event loop is timed apart and reported for information.
//
// usage: bench_editing [iterations] [folder]
// Prints key=value lines (nanoseconds) for bench_driver.

#include "benchsection.h"
#include "window/fontsubstitutions.h"
#include "window/form1.h"
#include "window/grid/flexgridcontrol.h"
#include "window/keytextbox.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Series
{
    std::vector<qint64> ns;

    qint64 quantile(double q) const
    {
        if (ns.empty())
            return 0;
        std::vector<qint64> sorted = ns;
        std::sort(sorted.begin(), sorted.end());
        return sorted[static_cast<size_t>(q * double(sorted.size() - 1) + 0.5)];
    }
    void print(const char *name) const
    {
        std::printf("%s.median=%lld\n%s.p10=%lld\n%s.p90=%lld\n", name, static_cast<long long>(quantile(0.5)),
                    name, static_cast<long long>(quantile(0.1)), name, static_cast<long long>(quantile(0.9)));
    }
};

template<typename F>
qint64 timed(F &&f)
{
    QElapsedTimer timer;
    timer.start();
    f();
    return timer.nsecsElapsed();
}

// The floor: what any atomic save of these bytes costs.
bool bareSave(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

// One editing path's figures: the handler alone, the handler with the
// repaint it queues, and the floor timed beside it.
struct Figure
{
    Series alone, withRepaint, floor;

    void add(qint64 handler, qint64 repaint, qint64 floorNs)
    {
        alone.ns.push_back(handler);
        withRepaint.ns.push_back(handler + repaint);
        floor.ns.push_back(floorNs);
    }
    void print(const char *name) const
    {
        const QByteArray base(name);
        alone.print(base.constData());
        withRepaint.print((base + "_repaint").constData());
        floor.print((base + "_floor").constData());
    }
};

// Runs a path and its floor, in turn one first and then the other, so that
// neither always finds the disk cache as the other left it.
template<typename Path, typename Floor>
void interleaved(int iteration, Path &&path, Floor &&floor)
{
    if (iteration % 2 == 0) {
        path();
        floor();
    } else {
        floor();
        path();
    }
}

void settle()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int fail(const char *what)
{
    std::fprintf(stderr, "bench_editing: %s\n", what);
    return 1;
}

// The floor for the table as it stands: a bare atomic save of its bytes.
qint64 timedBareSave(const QString &path, const SectionTable &table)
{
    const QByteArray bytes = encodeSectionFile(table).bytes;
    return timed([&] {
        if (!bareSave(path, bytes))
            std::exit(fail("the bare save failed"));
    });
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setFontSubstitutions();
    const QStringList args = QCoreApplication::arguments();
    const int iterations = args.size() > 1 ? qMax(1, args.at(1).toInt()) : 200;
    const int warmUp = qMin(20, iterations);

    QTemporaryDir tempDir(args.size() > 2 ? args.at(2) + QStringLiteral("/bench-XXXXXX") : QString());
    if (!tempDir.isValid())
        return fail("cannot create the working folder");
    const QString folder = tempDir.path();
    const QString path = sectionFilePath(folder);
    const QString floorPath = QDir(folder).filePath(QStringLiteral("floor.txt"));
    if (!writeBenchSection(folder))
        return fail("cannot write the section file");

    Form1 form(folder);
    int messages = 0;
    form.setMessageBox([&messages](QMessageBox::Icon, const QString &, const QString &text) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        ++messages;
    });
    if (!form.Form_Load())
        return fail("the load refused to start");
    form.showCentred();
    form.activateWindow();
    const QDeadlineTimer deadline(10000);
    while (!form.isReady() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!form.isReady())
        return fail("the start-up sequence did not finish");
    settle();

    FlexGridControl &grid = *form.ui().FlexGrid;
    KeyTextBox &editor = *form.ui().TXTedit;
    KeyTextBox &countBox = *form.ui().Text5;

    // Enter in the cell editor, walking the cells from (1, 0).
    Figure confirm;
    grid.setRow(1);
    grid.setCol(0);
    form.FlexGrid_Click();
    settle();
    for (int i = -warmUp; i < iterations; ++i) {
        const int cellRow = grid.Row();
        const int cellCol = grid.Col();
        const QString value = cellCol == 0 ? QStringLiteral("Strato %1").arg(i + 1000)
                                           : QString::number(0.5 + 0.01 * ((i + 1000) % 97), 'f', 2);
        editor.setText(value);

        qint64 handler = 0, repaint = 0, floor = 0;
        interleaved(
            i,
            [&] {
                handler = timed([&] {
                    qint16 key = KeyTextBox::kEnter;
                    form.TXTedit_KeyPress(key);
                });
                repaint = timed(settle);
            },
            [&] { floor = timedBareSave(floorPath, form.table()); });
        if (form.table().Aree[cellRow][cellCol + 1] != value || editor.isHidden()
            || (grid.Row() == cellRow && grid.Col() == cellCol))
            return fail("the confirmation did not store, move and reopen");
        if (i >= 0)
            confirm.add(handler, repaint, floor);
    }

    // Enter in the count box with the full count.
    Figure count;
    const int countIterations = qMax(1, iterations / 2);
    for (int i = -qMin(10, warmUp); i < countIterations; ++i) {
        qint64 handler = 0, repaint = 0, floor = 0;
        interleaved(
            i,
            [&] {
                countBox.setFocus();
                countBox.setText(QStringLiteral("100"));
                settle();
                handler = timed([&] {
                    qint16 key = KeyTextBox::kEnter;
                    form.Text5_KeyPress(key);
                });
                repaint = timed(settle);
            },
            [&] { floor = timedBareSave(floorPath, form.table()); });
        if (grid.Rows() != 101 || editor.isHidden() || grid.Row() != 1 || grid.Col() != 0)
            return fail("the count did not reshape the grid and open the editor");
        if (i >= 0)
            count.add(handler, repaint, floor);
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.readAll() != encodeSectionFile(form.table()).bytes)
        return fail("the file on disk does not match the table");
    if (messages)
        return fail("a message box would have been shown");

    std::printf("file.bytes=%lld\n", static_cast<long long>(file.size()));
    confirm.print("confirm");
    count.print("count");
    return 0;
}
