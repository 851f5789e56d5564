#include "valuerules.h"

#include "encoding.h"
#include "itemreader.h"
#include "numbertext.h"

#include <algorithm>

namespace {

ValueLine unwritable(const QString &problem)
{
    return {ValueLine::Form::Unwritable, problem};
}

// How value goes into the file, without its bytes.
ValueLine valueLine(const QString &value)
{
    QByteArray unused;
    return appendValueLine(unused, value);
}

QString characterProblem(const QString &character)
{
    return QStringLiteral("Il carattere «%1» non può essere scritto nel file, che usa la codifica "
                          "Windows-1252.")
        .arg(character);
}

// What a user may type: text the file holds bare, without the characters the
// application that reads the file takes as separators or delimiters. A
// decimal comma is the likely mistake, so the advice names the point.
std::optional<QString> typedProblem(const QString &typed)
{
    if (typed.contains(u','))
        return QStringLiteral("Il valore non può contenere la virgola: nel file la virgola separa i "
                              "valori. I decimali si scrivono con il punto, per esempio 0.5");
    if (typed.contains(u'"'))
        return QStringLiteral("Il valore non può contenere le virgolette (\"): nel file delimitano i "
                              "valori.");
    if (typed.contains(u'\t'))
        return QStringLiteral("Il valore non può contenere il carattere di tabulazione.");
    if (ItemReader::holdsLineBreak(typed))
        return QStringLiteral("Il valore non può andare a capo: nel file ogni valore occupa una riga.");
    // Many readers of text files stop at Ctrl+Z (0x1A); no control
    // character is safe in a line of text.
    const auto control = std::find_if(typed.begin(), typed.end(), [](QChar c) { return c < u' ' || c == u'\x7f'; });
    if (control != typed.end())
        return QStringLiteral("Il valore non può contenere caratteri di controllo (qui il carattere di codice "
                              "%1): il programma che legge il file potrebbe fermarsi lì.")
            .arg(control->unicode());
    // What is left is written bare unless a character has no byte.
    if (const ValueLine line = valueLine(typed); line.form == ValueLine::Form::Unwritable)
        return line.problem;
    return std::nullopt;
}

} // namespace

namespace {

// Appends value bare, when the load reads its line back as itself, or else
// in double quotes.
ValueLine appendLine(QByteArray &out, const QString &value, bool bare)
{
    const qsizetype start = out.size();
    if (!bare)
        out += '"';
    if (!appendWindows1252(out, value)) {
        out.truncate(start);
        return unwritable(characterProblem(firstUnwritable(value).value_or(QString())));
    }
    if (bare)
        return {ValueLine::Form::Bare, {}};
    // A quoted item runs to the next double quote, so only a value without
    // one reads back from between quotes.
    if (!value.contains(u'"')) {
        out += '"';
        return {ValueLine::Form::Quoted, {}};
    }
    out.truncate(start);
    return unwritable(QStringLiteral("Il valore «%1» non può essere scritto nel file: contiene le "
                                     "virgolette insieme a una virgola o a un a capo, oppure comincia "
                                     "con le virgolette.")
                          .arg(value.left(40)));
}

} // namespace

ValueLine appendValueLine(QByteArray &out, const QString &value)
{
    return appendLine(out, value, !ItemReader::holdsLineBreak(value) && ItemReader::takesLineWhole(value));
}

ValueLine appendHeaderLine(QByteArray &out, const QString &line)
{
    return appendLine(out, line, !ItemReader::holdsLineBreak(line));
}

bool isNumberColumn(int column)
{
    return column >= 1 && column <= 4;
}

bool isDecimalNumber(const QString &value, QChar separator)
{
    const std::optional<NumberText> number = readNumberText(value);
    return number && number->separator == separator;
}

QString withDecimalPoint(const QString &value, int column)
{
    if (!isNumberColumn(column) || !isDecimalNumber(value, u','))
        return value;
    return QString(value).replace(u',', u'.'); // its one comma, the blanks around kept
}

std::optional<QString> confirmationProblem(const QString &value, bool changedByUser)
{
    if (changedByUser)
        return typedProblem(value);
    // A value as it stands, such as a quoted one from another program's
    // file, is confirmed whenever the file can hold it.
    if (const ValueLine line = valueLine(value); line.form == ValueLine::Form::Unwritable)
        return line.problem;
    return std::nullopt;
}
