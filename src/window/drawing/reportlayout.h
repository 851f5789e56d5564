#pragma once

#include <QFont>
#include <QList>
#include <QSizeF>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QRectF;

// A report laid out on pages by hand, one block under the other:
// paragraphs, tables and pictures. A table is broken only between its rows,
// never right after its header, and with at least two of its rows on each
// side of a break (a table of fewer than four rows stays whole); its header
// row is repeated at the top of every page it continues on. A paragraph or
// a row is broken (between its lines) only when a whole page cannot hold
// it; the parts of a row go on under the header again. A block marked to
// keep with the next (a heading) starts a new page rather than end one
// without the next block's start: a paragraph or a picture whole, a table's
// header and first two rows. Texts wrap at word boundaries, and anywhere
// within a word longer than their width: nothing is ever cut. Every page
// ends with "Pagina N di M".
class ReportLayout
{
public:
    // page: the printable area, in the device's pixels; font: the text's.
    ReportLayout(const QFont &font, const QSizeF &page);
    ~ReportLayout();
    ReportLayout(const ReportLayout &) = delete;
    ReportLayout &operator=(const ReportLayout &) = delete;

    struct TextStyle
    {
        bool bold = false;
        double size = 1; // times the font's size
        bool centred = false;
        double spaceBefore = 0;
        bool keepWithNext = false;
    };
    void addParagraph(const QString &text, const TextStyle &style);

    struct Table
    {
        QList<QStringList> cells;      // the header row first
        QList<double> widths;          // each column's share of the width
        std::function<bool(int column)> alignRight;
        // Whether a cell of the rows after the header is in bold.
        std::function<bool(int row, int column)> bold;
    };
    void addTable(const Table &table);

    using Painter = std::function<void(QPainter &painter, const QRectF &rect)>;
    void addPicture(const QSizeF &size, Painter paint, bool keepWithNext = false);

    int pageCount() const;
    // The text of each page as it is printed, its rows a line each and its
    // cells separated by tabs (for tests).
    QStringList pageTexts() const;
    // Paints page after page on the device, which has the printable area
    // given, starting on its current page.
    void print(QPagedPaintDevice &device) const;

private:
    struct Row;
    struct Block;
    struct Placed;
    Row textRow(const QStringList &texts, const QList<double> &widths, const TextStyle &style, bool bordered,
                const std::function<bool(int)> &alignRight, const std::function<bool(int)> &bold) const;
    static double leadHeight(const Block &block, double bottom);
    void layout() const;
    void paintPage(QPainter &painter, int page) const;

    QFont m_font;
    QSizeF m_page;
    double m_footer;
    std::vector<Block> m_blocks;
    mutable std::vector<Placed> m_placed;
    mutable int m_pages = 0;
    mutable bool m_laidOut = false;
};
