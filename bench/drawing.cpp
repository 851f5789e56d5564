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
#include "benchtiming.h"
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

    printHeading("drawing, 100 areas (medians)");
    printRow("worked out (with quantities)", workedOut, geometry, 2);
    printRow("drawn (window, one frame)", drawn, pictureAlone, 16);
    printRow("200 depths", depths, oneDrawing, 2);
    printRow("1,000 stretches", stretched, oneDrawing, 10);
    std::printf("window %d x %d, drawing %d x %d pixels; iterations: %d\n", window.width(), window.height(),
                picture.width(), picture.height(), iterations);
    return 0;
}
