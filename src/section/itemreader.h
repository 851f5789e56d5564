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
// Line ends are CR LF, LF or CR. The reader notes the first text it drops,
// so that a load can tell whether rewriting the file would lose any.
class ItemReader
{
public:
    // Text that a read passed over without making it part of an item.
    struct Dropped
    {
        int line = 0; // 1-based line of the text
        QString text; // from the first dropped character to its line end
    };

    explicit ItemReader(const QString &text) : m_text(text) {}

    // The next item, or nothing when the text has ended.
    std::optional<QString> next();
    // The rest of the current line as one item, commas and double quotes
    // included, or nothing when the text has ended. Only a double quote at
    // the line's start (after blanks) that is not closed on that line opens
    // a quoted item, which runs over the line ends to its closing quote;
    // what follows that quote on its line is dropped.
    std::optional<QString> nextLine();
    // Passes over the rest of the text, as a load does that has read all it
    // needs: any character in it other than blanks, line ends, commas and
    // double quotes is dropped text.
    void dropRest();

    // The first text dropped so far, if any.
    const std::optional<Dropped> &firstDropped() const { return m_dropped; }

    // Whether a line (without its line end) is read whole, as one item.
    static bool takesLineWhole(QStringView line);
    // Whether text holds a line end (CR or LF) that would split its line.
    static bool holdsLineBreak(QStringView text);
    // Whether a line begins, after blanks, with a double quote.
    static bool startsQuoted(QStringView line);

private:
    bool atLineEnd() const;
    void skipLineEnd();
    qsizetype lineEnd() const;
    QString quotedItem();
    void dropUpTo(qsizetype stop);
    void noteDropped(qsizetype at);

    const QString &m_text;
    qsizetype m_pos = 0;
    bool m_atLineStart = true;
    std::optional<Dropped> m_dropped;
};
