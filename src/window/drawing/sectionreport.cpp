#include "sectionreport.h"

#include "takeoff/sectionquantities.h"
#include "sectionpicture.h"

#include <QDir>
#include <QAbstractTextDocumentLayout>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>

namespace {

constexpr int kDrawingObject = QTextFormat::UserObject + 1;
// The page is laid out in pixels of 1/96 inch, as the window is.
constexpr int kDotsPerInch = 96;
constexpr double kPixelsPerPaperMetre = kDotsPerInch / 0.0254;
// The most of the page's height the drawing may take.
constexpr double kDrawingShare = 0.42;

// The drawing as one object in the text of the report, at a fixed scale.
class DrawingObject : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    DrawingObject(const SectionDrawing &drawing, const ExampleDimensions &dimensions, const QFont &font,
                  double pixelsPerMetre)
        : m_drawing(drawing), m_dimensions(dimensions), m_font(font), m_pixelsPerMetre(pixelsPerMetre)
    {
    }

    QSizeF intrinsicSize(QTextDocument *, int, const QTextFormat &) override
    {
        return SectionPicture::sizeAt(m_font, m_drawing, m_dimensions, m_pixelsPerMetre);
    }
    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *, int, const QTextFormat &) override
    {
        SectionPicture::paint(*painter, rect, m_font, m_drawing, m_dimensions, m_pixelsPerMetre);
    }

private:
    const SectionDrawing &m_drawing;
    ExampleDimensions m_dimensions;
    QFont m_font;
    double m_pixelsPerMetre;
};

QString cell(const QString &text, bool number = false)
{
    return QStringLiteral("<td%1>%2</td>")
        .arg(number ? QStringLiteral(" align=\"right\"") : QString(), text.toHtmlEscaped());
}

QString heading(const QString &text)
{
    return QStringLiteral("<p style=\"margin-top:12px; font-weight:bold\">%1</p>").arg(text.toHtmlEscaped());
}

QString tableStart()
{
    return QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\" "
                          "style=\"border-collapse:collapse; border-color:#000000\">");
}

// The title, the date and the areas' values as the file holds them.
QString aboveTheDrawing(const SectionTable &table, const QDate &date)
{
    QString html = QStringLiteral("<p style=\"font-size:20px; font-weight:bold\">Sezione tipo personalizzata</p>");
    html += QStringLiteral("<p>%1</p>").arg(QLocale(QLocale::Italian, QLocale::Italy).toString(date, u"d MMMM yyyy"));
    html += heading(QStringLiteral("Aree della sezione"));
    html += tableStart() + QStringLiteral("<tr><th>Area</th>");
    for (int column = 0; column < SectionTable::kColumns; ++column)
        html += QStringLiteral("<th>%1</th>").arg(columnTitle(column).toHtmlEscaped());
    html += QStringLiteral("</tr>");
    for (int area = 1; area <= table.areaCount(); ++area) {
        html += QStringLiteral("<tr>") + cell(QString::number(area), true);
        for (int column = 1; column <= SectionTable::kColumns; ++column)
            html += QStringLiteral("<td style=\"white-space:pre-wrap\">%1</td>")
                        .arg(table.Aree[area][column].toHtmlEscaped());
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

// The share of the page's width of each column of quantities, in per cent.
constexpr int kQuantityWidths[] = {6, 20, 10, 8, 9, 9, 10, 9, 10, 9};

// The example dimensions, the quantities and the problems.
QString belowTheDrawing(const SectionDrawing &drawing, const ExampleDimensions &dimensions)
{
    QString html = QStringLiteral("<p>Dimensioni d'esempio, non salvate nel file: L = %1 m, P = %2 m, D = %3 m</p>")
                       .arg(metres(dimensions.L), metres(dimensions.P), metres(dimensions.D));
    html += heading(QStringLiteral("Quantità per metro di scavo"));
    const QList<QStringList> cells = quantityCells(sectionQuantities(drawing));
    html += tableStart();
    for (qsizetype row = 0; row < cells.size(); ++row) {
        html += QStringLiteral("<tr>");
        const bool total = row == cells.size() - 1;
        for (qsizetype column = 0; column < cells[row].size(); ++column) {
            QString text = cells[row][column].toHtmlEscaped();
            if (row == 0) { // each unit on a line of its own
                html += QStringLiteral("<th width=\"%1%\">%2</th>")
                            .arg(kQuantityWidths[column])
                            .arg(text.replace(QStringLiteral(" ("), QStringLiteral("<br>(")));
                continue;
            }
            html += total ? QStringLiteral("<td%1><b>%2</b></td>")
                                .arg(column >= 3 ? QStringLiteral(" align=\"right\"") : QString(), text)
                          : cell(cells[row][column], column == 0 || column >= 3);
        }
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>") + heading(QStringLiteral("Problemi del disegno"));
    const QStringList problems =
        drawing.problems.isEmpty() ? QStringList{QStringLiteral("Nessun problema rilevato.")} : drawing.problems;
    for (const QString &problem : problems)
        html += QStringLiteral("<p>%1</p>").arg(problem.toHtmlEscaped());
    return html;
}

} // namespace

std::optional<QString> writeSectionReport(const QString &path, const SectionTable &table,
                                          const ExampleDimensions &dimensions, const QDate &date, const QFont &font)
{
    const auto failure = [&path](const QString &reason) {
        return QStringLiteral("Il PDF non è stato salvato in %1 (il sistema risponde: «%2»).").arg(QDir::toNativeSeparators(path), reason);
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(kDotsPerInch);
        writer.setTitle(QStringLiteral("Sezione tipo personalizzata"));
        writer.setCreator(QStringLiteral("Profilara"));
        const QSizeF page(writer.width(), writer.height());

        // The drawing at the largest usual scale at which it fits its room.
        const SectionDrawing drawing = drawSection(table, dimensions);
        const QSizeF room(page.width(), page.height() * kDrawingShare);
        const double fitted = SectionPicture::scaleToFit(font, drawing, dimensions, room);
        int scale = fitted > 0 ? standardScale(kPixelsPerPaperMetre / fitted) : 1;
        // Drawn smaller, more labels may move beside their areas: the next
        // usual scale, until it fits.
        while (fitted > 0 && scale < 1'000'000) {
            const QSizeF size = SectionPicture::sizeAt(font, drawing, dimensions, kPixelsPerPaperMetre / scale);
            if (size.width() <= room.width() && size.height() <= room.height())
                break;
            scale = standardScale(scale + 1);
        }
        DrawingObject drawingObject(drawing, dimensions, font, kPixelsPerPaperMetre / scale);

        QTextDocument document;
        document.setDefaultFont(font);
        document.setDocumentMargin(0);
        document.setPageSize(page);
        document.documentLayout()->registerHandler(kDrawingObject, &drawingObject);
        QTextCursor cursor(&document);
        cursor.insertHtml(aboveTheDrawing(table, date));
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        centred.setTopMargin(12);
        cursor.insertBlock(centred, QTextCharFormat());
        if (!drawing.areas.empty()) {
            QTextCharFormat object;
            object.setObjectType(kDrawingObject);
            cursor.insertText(QString(QChar::ObjectReplacementCharacter), object);
            cursor.insertBlock(centred, QTextCharFormat());
            cursor.insertText(QStringLiteral("Scala 1:%1").arg(scale));
        } else {
            cursor.insertText(QStringLiteral("Nessuna area da disegnare."));
        }
        QTextBlockFormat spaced; // the first paragraph below takes this block's format
        spaced.setTopMargin(12);
        cursor.insertBlock(spaced, QTextCharFormat());
        cursor.insertHtml(belowTheDrawing(drawing, dimensions));
        document.print(&writer);
    }
    if (!file.commit())
        return failure(file.errorString());
    return std::nullopt;
}

#include "sectionreport.moc"
