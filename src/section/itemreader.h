#pragma once

#include <QString>
#include <optional>

// Reads a section file's text as a sequence of items, so that files written
// by other programs with quoted, comma-separated values load as well:
// - a line without commas that does not begin (after blanks) with a double
//   quote is one item, taken whole; an empty line is an empty item;
// - otherwise blanks before an item are skipped, an item ends at a comma or a
//   line end, and an item that begins with a double quote runs to the next
//   double quote (line ends included), the quotes not being part of it and
//   anything after the closing quote up to the next comma or line end being
//   dropped.
// Line ends are CR LF, LF or CR.
class ItemReader
{
public:
    explicit ItemReader(const QString &text) : m_text(text) {}

    // The next item, or nothing when the text has ended.
    std::optional<QString> next();

    // Whether a line (without its line end) is read whole, as one item.
    static bool takesLineWhole(QStringView line);
    // Whether text holds a line end (CR or LF) that would split its line.
    static bool holdsLineBreak(QStringView text);

private:
    bool atLineEnd() const;
    void skipLineEnd();
    qsizetype lineEnd() const;

    const QString &m_text;
    qsizetype m_pos = 0;
    bool m_atLineStart = true;
};
