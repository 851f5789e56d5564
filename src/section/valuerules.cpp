#include "valuerules.h"

#include "encoding.h"
#include "itemreader.h"

namespace {

bool hasLineBreak(const QString &value)
{
    return value.contains(u'\r') || value.contains(u'\n');
}

ValueLine unwritable(const QString &problem)
{
    return {ValueLine::Form::Unwritable, {}, problem};
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
    if (hasLineBreak(typed))
        return QStringLiteral("Il valore non può andare a capo: nel file ogni valore occupa una riga.");
    if (const ValueLine line = valueLine(typed); line.form != ValueLine::Form::Bare)
        return line.problem;
    return std::nullopt;
}

} // namespace

ValueLine valueLine(const QString &value)
{
    std::optional<QByteArray> bytes = toWindows1252(value);
    if (!bytes)
        return unwritable(characterProblem(firstUnwritable(value).value_or(QString())));
    if (!hasLineBreak(value) && ItemReader::takesLineWhole(value))
        return {ValueLine::Form::Bare, *bytes, {}};
    // A quoted item runs to the next double quote, so only a value without
    // one reads back from between quotes.
    if (!value.contains(u'"'))
        return {ValueLine::Form::Quoted, '"' + *bytes + '"', {}};
    return unwritable(QStringLiteral("Il valore «%1» non può essere scritto nel file: contiene le "
                                     "virgolette insieme a una virgola o a un a capo, oppure comincia "
                                     "con le virgolette.")
                          .arg(value.left(40)));
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
