// In-process timings of the drawing window on a 100-area section, each
// beside the drawing alone, as the window had it before its quantities:
//
//   worked out: the geometry with the pipe's shares and the check of the
//               coefficients, the quantities and the table's cells
//               (goal: under 2 ms); floor: the geometry alone
//   drawn:      the window refreshed and painted whole (drawing, table of
//               quantities, problems), as one frame (goal: under 16 ms);
//               floor: the drawing's picture set and painted alone
//   depths:     200 depths of the section, one whose area 2 follows P, read
//               once (goal: under 2 ms); beside one drawing of it
//   stretches:  1,000 stretches of the same section and their totals per
//               price code (goal: under 10 ms); beside one drawing of it
//
// usage: bench_drawing [iterations]

#include "benchsection.h"
#include "takeoff/depthtable.h"
#include "takeoff/sectionquantities.h"
#include "takeoff/stretches.h"
#include "window/drawing/drawingwindow.h"
#include "window/fontsubstitutions.h"
#include "window/drawing/sectionpicture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Series
{
    std::vector<double> ms;

    double quantile(double q) const
    {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        return sorted.empty() ? 0 : sorted[static_cast<size_t>(q * double(sorted.size() - 1) + 0.5)];
    }
};

template<typename F>
double timed(F &&f)
{
    QElapsedTimer timer;
    timer.start();
    f();
    return double(timer.nsecsElapsed()) / 1e6;
}

void printRow(const char *figure, const Series &ours, const Series &floor, double goalMs)
{
    const double median = ours.quantile(0.5);
    std::printf("%-30s %9.3f %9.3f %7.2f  < %5.1f %-4s p10-p90 %.3f-%.3f | floor %.3f-%.3f\n", figure, median,
                floor.quantile(0.5), median / std::max(floor.quantile(0.5), 1e-9), goalMs,
                median < goalMs ? "ok" : "MISS", ours.quantile(0.1), ours.quantile(0.9), floor.quantile(0.1),
                floor.quantile(0.9));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication app(argc, argv);
    setFontSubstitutions();
    const int iterations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

    const SectionTable table = benchSection();
    const ExampleDimensions dimensions;
    DrawingWindow window(table, QString(), nullptr);
    QFont font(QStringLiteral("Microsoft Sans Serif")); // the main window's, which it takes
    font.setPixelSize(11);
    window.setFont(font);
    window.refresh();
    window.show();
    QCoreApplication::processEvents(); // laid out as shown
    SectionPicture picture;
    picture.setFont(font);
    picture.resize(window.picture().size());
    QPixmap frame(window.size());
    QPixmap pictureFrame(picture.size());

    // Along the pipeline: a section whose area 2 follows P.
    SectionTable followed = table;
    followed.Aree[2][2] = QStringLiteral("*1.20");
    std::vector<Stretch> stretches;
    for (int s = 0; s < 1000; ++s)
    {
        Stretch stretch;
        stretch.name = QStringLiteral("P%1-P%2").arg(s).arg(s + 1);
        stretch.length = QStringLiteral("35,5");
        stretch.start = QString::number(1.5 + 0.01 * (s % 100), 'f', 2);
        stretch.end = QString::number(1.6 + 0.01 * (s % 90), 'f', 2);
        stretches.push_back(stretch);
    }

    Series workedOut, geometry, drawn, pictureAlone, depths, stretched, oneDrawing;
    for (int i = 0; i < iterations; ++i) {
        oneDrawing.ms.push_back(timed([&] { (void)drawSection(followed, dimensions); }));
        depths.ms.push_back(timed([&] {
            const TrenchSection section(followed);
            std::vector<DepthRow> rows;
            for (int d = 0; d < 200; ++d)
                rows.push_back(depthRow(section, {dimensions.L, 1.5 + 0.02 * d, dimensions.D}));
        }));
        stretched.ms.push_back(timed([&] {
            const TrenchSection section(followed);
            (void)stretchTakeoff(section, dimensions.L, {dimensions.D, dimensions.DN}, stretches);
        }));
        geometry.ms.push_back(timed([&] { (void)drawSection(table, dimensions); }));
        workedOut.ms.push_back(
            timed([&] { (void)quantityCells(sectionQuantities(drawSection(table, dimensions))); }));
        pictureAlone.ms.push_back(timed([&] {
            picture.setDrawing(drawSection(table, dimensions), dimensions);
            picture.render(&pictureFrame);
        }));
        drawn.ms.push_back(timed([&] {
            window.refresh();
            window.render(&frame);
        }));
    }

    std::printf("\n%-30s %9s %9s %7s  %-7s %-4s %s\n", "drawing, 100 areas (medians)", "ms", "floor", "ratio",
                "goal", "", "spread");
    printRow("worked out (with quantities)", workedOut, geometry, 2);
    printRow("drawn (window, one frame)", drawn, pictureAlone, 16);
    printRow("200 depths", depths, oneDrawing, 2);
    printRow("1,000 stretches", stretched, oneDrawing, 10);
    std::printf("window %d x %d, drawing %d x %d pixels; iterations: %d\n", window.width(), window.height(),
                picture.width(), picture.height(), iterations);
    return 0;
}
