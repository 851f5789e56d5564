#include <QFile>
#include <QImage>
#include <QLineF>
#include <QTest>
#include <QtEndian>

#include <cmath>

// The program colours bands and writes labels over the example picture at
// fixed places; these checks keep the committed picture matched to them.

namespace {

const QString assetsDir = QStringLiteral(PROFILARA_ASSETS_DIR);
const QPointF pipeCentre(214, 230);
constexpr double pipeRadius = 43;

bool isDark(QRgb c) { return qMax(qMax(qRed(c), qGreen(c)), qBlue(c)) < 100; }
bool isWhite(QRgb c) { return qMin(qMin(qRed(c), qGreen(c)), qBlue(c)) > 230; }
QImage picture() { return QImage(assetsDir + QStringLiteral("/esempio.bmp")); }

} // namespace

class TestExamplePicture : public QObject
{
    Q_OBJECT

private slots:
    void isUncompressed24BitBmp();
    void highlightLinesRunOnTheDrawing_data();
    void highlightLinesRunOnTheDrawing();
    void shareLabelsSitInsideTheirPipeHalf_data();
    void shareLabelsSitInsideTheirPipeHalf();
    void titleBandIsBlank();
    void iconsAreDrawnAtTheirSize_data();
    void iconsAreDrawnAtTheirSize();
    void icoHas256ColoursAndAMask();
};

void TestExamplePicture::isUncompressed24BitBmp()
{
    QFile file(assetsDir + QStringLiteral("/esempio.bmp"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(54);
    QCOMPARE(header.size(), 54);
    const auto *bytes = reinterpret_cast<const uchar *>(header.constData());
    QCOMPARE(header.left(2), QByteArray("BM"));
    QCOMPARE(qFromLittleEndian<qint32>(bytes + 18), 479);
    QCOMPARE(qFromLittleEndian<qint32>(bytes + 22), 354);
    QCOMPARE(qFromLittleEndian<quint16>(bytes + 28), quint16(24));
    QCOMPARE(qFromLittleEndian<quint32>(bytes + 30), 0u); // BI_RGB
}

void TestExamplePicture::highlightLinesRunOnTheDrawing_data()
{
    QTest::addColumn<QLineF>("line");
    QTest::addColumn<double>("width");
    QTest::newRow("Line1 right overhang") << QLineF(318, 70, 358, 70) << 10.0;
    QTest::newRow("Line2 H2") << QLineF(150, 230, 150, 70) << 10.0;
    QTest::newRow("Line3 H3 on P") << QLineF(94, 69.7, 94, 27) << 10.0;
    QTest::newRow("Line4 pipe bottom on P") << QLineF(94, 272.7, 94, 230) << 10.0;
    QTest::newRow("Line5 upright") << QLineF(286, 230, 286, 134) << 7.0;
    QTest::newRow("Line6 area 2 wall") << QLineF(286, 230, 306.7, 134) << 7.0;
}

void TestExamplePicture::highlightLinesRunOnTheDrawing()
{
    QFETCH(QLineF, line);
    QFETCH(double, width);
    const QImage image = picture();
    QVERIFY(!image.isNull());

    // Every pixel step along the band has a black pixel whose centre lies
    // within one pixel across the line (and one pixel along it).
    const QPointF along = line.unitVector().p2() - line.p1();
    const QPointF across(-along.y(), along.x());
    const int steps = int(std::ceil(line.length()));
    for (int i = 0; i <= steps; ++i) {
        const QPointF at = line.pointAt(double(i) / steps);
        bool dark = false;
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                const QPoint px(int(std::floor(at.x())) + dx, int(std::floor(at.y())) + dy);
                const QPointF offset = QPointF(px) + QPointF(0.5, 0.5) - at;
                if (std::abs(QPointF::dotProduct(offset, across)) <= 1
                    && std::abs(QPointF::dotProduct(offset, along)) <= 1)
                    dark = dark || isDark(image.pixel(px));
            }
        }
        QVERIFY2(dark, qPrintable(QStringLiteral("no line under (%1, %2)").arg(at.x()).arg(at.y())));
    }

    // The band itself stays mostly blank so the colour reads as a band.
    const QRect bounds = QRectF(line.p1(), line.p2()).normalized()
                                 .adjusted(-width, -width, width, width).toRect();
    int inBand = 0, white = 0;
    for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
        for (int x = bounds.left(); x <= bounds.right(); ++x) {
            const QPointF offset = QPointF(x + 0.5, y + 0.5) - line.p1();
            const double a = QPointF::dotProduct(offset, along);
            if (a >= 0 && a <= line.length()
                && std::abs(QPointF::dotProduct(offset, across)) <= width / 2) {
                ++inBand;
                white += isWhite(image.pixel(x, y));
            }
        }
    }
    QVERIFY2(white >= 0.6 * inBand, qPrintable(QStringLiteral("%1 of %2 white")
                                                    .arg(white).arg(inBand)));
}

void TestExamplePicture::shareLabelsSitInsideTheirPipeHalf_data()
{
    QTest::addColumn<QRect>("box");
    QTest::addColumn<bool>("upperHalf");
    QTest::newRow("Label3 upper half") << QRect(197, 206, 34, 19) << true;
    QTest::newRow("Label4 lower half") << QRect(197, 238, 34, 19) << false;
}

void TestExamplePicture::shareLabelsSitInsideTheirPipeHalf()
{
    QFETCH(QRect, box);
    QFETCH(bool, upperHalf);
    const QImage image = picture();
    QVERIFY(!image.isNull());

    const QPointF centre = QRectF(box).center();
    QVERIFY(QLineF(centre, pipeCentre).length() < pipeRadius);
    QCOMPARE(centre.y() < pipeCentre.y(), upperHalf);

    int dark = 0;
    const QRect inside = box.adjusted(1, 1, -1, -1);
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const double fromOutline = QLineF(QPointF(x, y), pipeCentre).length() - pipeRadius;
            if (std::abs(fromOutline) > 1.5)
                dark += isDark(image.pixel(x, y));
        }
    }
    QCOMPARE(dark, 0);
}

void TestExamplePicture::titleBandIsBlank()
{
    const QImage image = picture();
    QVERIFY(!image.isNull());
    for (int y = 1; y <= 16; ++y)
        for (int x = 78; x <= 375; ++x)
            QVERIFY2(image.pixel(x, y) == qRgb(255, 255, 255),
                     qPrintable(QStringLiteral("(%1, %2) not white").arg(x).arg(y)));
}

void TestExamplePicture::iconsAreDrawnAtTheirSize_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("size");
    QTest::newRow("window icon") << "profilara.png" << 32;
    QTest::newRow("executable icon") << "profilara.ico" << 32;
    for (int size : {48, 64, 128, 256})
        QTest::addRow("menu %d", size) << QStringLiteral("icons/profilara-%1.png").arg(size) << size;
}

// Every size shows the same drawing: a clear corner and the pipe's blue at
// the pipe's centre, (16, 22.5) on the 32-pixel grid.
void TestExamplePicture::iconsAreDrawnAtTheirSize()
{
    QFETCH(QString, file);
    QFETCH(int, size);
    const QImage image(assetsDir + QLatin1Char('/') + file);
    QCOMPARE(image.size(), QSize(size, size));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(image.pixel(16 * size / 32, int(22.5 * size / 32)), qRgb(0x5C, 0x8F, 0xC8));
}

void TestExamplePicture::icoHas256ColoursAndAMask()
{
    QFile file(assetsDir + QStringLiteral("/profilara.ico"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray ico = file.readAll();
    const auto *bytes = reinterpret_cast<const uchar *>(ico.constData());
    // Directory, bitmap header, 256-entry palette, 32 x 32 indices, 32 mask rows of 4 bytes.
    QCOMPARE(ico.size(), 6 + 16 + 40 + 1024 + 1024 + 128);
    QCOMPARE(qFromLittleEndian<quint16>(bytes + 4), quint16(1));  // one image
    QCOMPARE(bytes[6 + 2], uchar(0));                              // 256 colours
    QCOMPARE(qFromLittleEndian<quint16>(bytes + 6 + 6), quint16(8));
    QCOMPARE(qFromLittleEndian<qint32>(bytes + 22 + 8), 64);       // colour rows + mask rows
    QCOMPARE(qFromLittleEndian<quint16>(bytes + 22 + 14), quint16(8));
}

QTEST_GUILESS_MAIN(TestExamplePicture)
#include "tst_examplepicture.moc"
