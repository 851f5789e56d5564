#include "reportlayout.h"

#include "wrappedtext.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace {

constexpr double kPadding = 3;   // inside a table's cell
constexpr double kFooterGap = 8; // between the last row and "Pagina N di M"

} // namespace

struct ReportLayout::Row
{
    struct Cell
    {
        WrappedText text;
        double x = 0;
        double width = 0;
    };
    std::vector<Cell> cells;
    bool bordered = false;
    double spaceBefore = 0;
    Painter picture;
    QSizeF pictureSize;

    double padding() const { return bordered ? kPadding : 0; }
    // The height of its first two lines, as they start a page.
    double leadHeight() const
    {
        if (picture)
            return pictureSize.height();
        double lines = 0;
        for (const Cell &cell : cells)
            lines = std::max(lines, cell.text.height(0, std::min(2, cell.text.lineCount())));
        return lines + 2 * padding();
    }
    double height() const
    {
        if (picture)
            return pictureSize.height();
        double lines = 0;
        for (const Cell &cell : cells)
            lines = std::max(lines, cell.text.height());
        return lines + 2 * padding();
    }
};

struct ReportLayout::Block
{
    std::vector<Row> rows;
    bool table = false; // its first row is a header, repeated on every page
    bool keepWithNext = false;
};

// A row, or a part of one, on a page.
struct ReportLayout::Placed
{
    int page = 0;
    double y = 0;
    double height = 0;
    const Row *row = nullptr;
    std::vector<std::pair<int, int>> lines; // each cell's lines [first, last)
};

ReportLayout::ReportLayout(const QFont &font, const QSizeF &page)
    : m_font(font), m_page(page), m_footer(QFontMetricsF(font).height() + kFooterGap)
{
}

ReportLayout::~ReportLayout() = default;

ReportLayout::Row ReportLayout::textRow(const QStringList &texts, const QList<double> &widths, const TextStyle &style,
                                        bool bordered, const std::function<bool(int)> &alignRight,
                                        const std::function<bool(int)> &bold) const
{
    Row row;
    row.bordered = bordered;
    row.spaceBefore = style.spaceBefore;
    double x = 0;
    for (qsizetype c = 0; c < texts.size(); ++c) {
        const double width = widths.value(c, 1) * m_page.width();
        QFont font = m_font;
        font.setBold(style.bold || (bold && bold(int(c))));
        if (style.size != 1 && m_font.pixelSize() > 0)
            font.setPixelSize(qRound(m_font.pixelSize() * style.size));
        else if (style.size != 1)
            font.setPointSizeF(m_font.pointSizeF() * style.size);
        const Qt::Alignment alignment = style.centred                   ? Qt::AlignHCenter
                                        : alignRight && alignRight(int(c)) ? Qt::AlignRight
                                                                           : Qt::AlignLeft;
        row.cells.push_back({WrappedText(texts[c], font, width - 2 * row.padding(), alignment), x, width});
        x += width;
    }
    return row;
}

void ReportLayout::addParagraph(const QString &text, const TextStyle &style)
{
    Block block;
    block.keepWithNext = style.keepWithNext;
    block.rows.push_back(textRow({text}, {1.0}, style, false, {}, {}));
    m_blocks.push_back(std::move(block));
    m_laidOut = false;
}

void ReportLayout::addTable(const Table &table)
{
    Block block;
    block.table = true;
    TextStyle header;
    header.bold = true;
    header.centred = true;
    header.spaceBefore = 4;
    for (qsizetype r = 0; r < table.cells.size(); ++r) {
        const auto bold = [&table, r](int column) { return table.bold && table.bold(int(r) - 1, column); };
        block.rows.push_back(r == 0 ? textRow(table.cells[r], table.widths, header, true, {}, {})
                                    : textRow(table.cells[r], table.widths, {}, true, table.alignRight, bold));
    }
    m_blocks.push_back(std::move(block));
    m_laidOut = false;
}

void ReportLayout::addPicture(const QSizeF &size, Painter paint, bool keepWithNext)
{
    Block block;
    block.keepWithNext = keepWithNext;
    Row row;
    row.picture = std::move(paint);
    row.pictureSize = size;
    row.spaceBefore = 8;
    block.rows.push_back(std::move(row));
    m_blocks.push_back(std::move(block));
    m_laidOut = false;
}

// The least of a block that must start on the page where it starts: a
// paragraph or a picture whole; a table's header with its first two rows,
// or all of them when it has fewer than four (two must stand together on
// each side of a break); of a row taller than the page, its first two lines.
double ReportLayout::leadHeight(const Block &block, double bottom)
{
    const size_t rows = block.table && block.rows.size() > 4 ? 3 : block.rows.size();
    double height = 0;
    for (size_t r = 0; r < rows; ++r) {
        const Row &row = block.rows[r];
        if (height + row.height() > bottom && !row.picture)
            return height + row.leadHeight();
        height += row.height();
    }
    return height;
}

void ReportLayout::layout() const
{
    if (m_laidOut)
        return;
    m_placed.clear();
    const double bottom = m_page.height() - m_footer;
    int page = 0;
    double y = 0;
    double top = 0; // where the page's own content starts, below a header repeated there
    const auto place = [&](const Row &row) {
        Placed placed{page, y, row.height(), &row, {}};
        for (const Row::Cell &cell : row.cells)
            placed.lines.emplace_back(0, cell.text.lineCount());
        m_placed.push_back(placed);
        y += placed.height;
    };
    // A new page, under the header of the table that goes on there.
    const auto newPage = [&](const Row *header) {
        ++page;
        y = 0;
        if (header)
            place(*header);
        top = y;
    };
    // A row taller than a page, in parts of whole lines from where it is.
    const auto placeInParts = [&](const Row &row, const Row *header) {
        std::vector<int> next(row.cells.size(), 0);
        const auto done = [&] {
            for (size_t c = 0; c < row.cells.size(); ++c)
                if (next[c] < row.cells[c].text.lineCount())
                    return false;
            return true;
        };
        while (!done()) {
            Placed part{page, y, 0, &row, {}};
            const double room = bottom - y - 2 * row.padding();
            for (size_t c = 0; c < row.cells.size(); ++c) {
                const WrappedText &text = row.cells[c].text;
                int last = next[c];
                while (last < text.lineCount() && text.height(next[c], last + 1) <= room)
                    ++last;
                part.lines.emplace_back(next[c], last);
            }
            // A line taller than the page still goes somewhere.
            const auto none = [&] {
                return std::all_of(part.lines.begin(), part.lines.end(), [](auto l) { return l.first == l.second; });
            };
            for (size_t c = 0; none() && c < row.cells.size(); ++c)
                if (next[c] < row.cells[c].text.lineCount())
                    ++part.lines[c].second;
            for (size_t c = 0; c < row.cells.size(); ++c) {
                part.height = std::max(part.height, row.cells[c].text.height(next[c], part.lines[c].second));
                next[c] = part.lines[c].second;
            }
            part.height += 2 * row.padding();
            m_placed.push_back(part);
            y += part.height;
            if (!done())
                newPage(header);
        }
    };
    // A row whole where it fits, else whole on the next page; one taller
    // than a page in parts, from here when its first lines fit.
    const auto placeRow = [&](const Row &row, const Row *header) {
        const bool tall = !row.picture && (header ? header->height() : 0) + row.height() > bottom;
        if (y > top && y + row.height() > bottom && (!tall || y + row.leadHeight() > bottom))
            newPage(header);
        if (tall)
            placeInParts(row, header);
        else
            place(row);
    };
    bool held = false; // the block before is kept with this one
    for (size_t b = 0; b < m_blocks.size(); ++b) {
        const Block &block = m_blocks[b];
        // What must start on this page: the block's lead, after every
        // block kept with the next one before it.
        double lead = 0;
        size_t last = b;
        for (; m_blocks[last].keepWithNext && last + 1 < m_blocks.size(); ++last) {
            for (const Row &row : m_blocks[last].rows)
                lead += row.height();
            lead += m_blocks[last + 1].rows.front().spaceBefore;
        }
        lead += leadHeight(m_blocks[last], bottom);
        const double space = y > 0 ? block.rows.front().spaceBefore : 0;
        if (!held && y > 0 && y + space + lead > bottom)
            newPage(nullptr);
        else
            y += space;
        held = block.keepWithNext;
        if (!block.table) {
            placeRow(block.rows.front(), nullptr);
            continue;
        }
        // The header, then the rows under it on every page; the last two
        // rows stand together.
        const Row &header = block.rows.front();
        place(header);
        const size_t rows = block.rows.size() - 1;
        int onPage = 0;
        for (size_t r = 1; r <= rows; ++r) {
            const Row &row = block.rows[r];
            if (r + 1 == rows && onPage >= 2) {
                const double lastTwo = row.height() + block.rows[rows].height();
                if (y + row.height() <= bottom && y + lastTwo > bottom && header.height() + lastTwo <= bottom) {
                    newPage(&header);
                    onPage = 0;
                }
            }
            const int before = page;
            placeRow(row, &header);
            onPage = page == before ? onPage + 1 : 1;
        }
    }
    m_pages = page + 1;
    m_laidOut = true;
}

int ReportLayout::pageCount() const
{
    layout();
    return m_pages;
}

QStringList ReportLayout::pageTexts() const
{
    layout();
    QStringList pages(m_pages);
    for (const Placed &placed : m_placed) {
        QStringList cells;
        for (size_t c = 0; c < placed.row->cells.size(); ++c) {
            const WrappedText &text = placed.row->cells[c].text;
            QStringList lines;
            for (int l = placed.lines[c].first; l < placed.lines[c].second; ++l)
                lines << text.lineText(l);
            cells << lines.join(u' ');
        }
        pages[placed.page] += (placed.row->picture ? QStringLiteral("[disegno]") : cells.join(u'\t')) + u'\n';
    }
    for (int p = 0; p < m_pages; ++p)
        pages[p] += QStringLiteral("Pagina %1 di %2").arg(p + 1).arg(m_pages);
    return pages;
}

void ReportLayout::paintPage(QPainter &painter, int page) const
{
    painter.setPen(QPen(Qt::black, 0.75));
    for (const Placed &placed : m_placed) {
        if (placed.page != page)
            continue;
        const Row &row = *placed.row;
        if (row.picture) {
            const QSizeF size = row.pictureSize;
            painter.save();
            row.picture(painter, QRectF(QPointF((m_page.width() - size.width()) / 2, placed.y), size));
            painter.restore();
            continue;
        }
        for (size_t c = 0; c < row.cells.size(); ++c) {
            const Row::Cell &cell = row.cells[c];
            if (row.bordered)
                painter.drawRect(QRectF(cell.x, placed.y, cell.width, placed.height));
            const auto [first, last] = placed.lines[c];
            cell.text.draw(painter, QPointF(cell.x + row.padding(), placed.y + row.padding()), first, last);
        }
    }
    const QString footer = QStringLiteral("Pagina %1 di %2").arg(page + 1).arg(m_pages);
    painter.setFont(m_font);
    painter.drawText(QRectF(0, m_page.height() - QFontMetricsF(m_font).height(), m_page.width(),
                            QFontMetricsF(m_font).height()),
                     Qt::AlignHCenter | Qt::AlignBottom, footer);
}

void ReportLayout::print(QPagedPaintDevice &device) const
{
    layout();
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int page = 0; page < m_pages; ++page) {
        if (page > 0)
            device.newPage();
        paintPage(painter, page);
    }
}
