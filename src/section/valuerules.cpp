#include "valuerules.h"

#include "encoding.h"

std::optional<QString> valueProblem(const QString &value)
{
    if (value.contains(u','))
        return QStringLiteral("Il valore non può contenere la virgola: nel file la virgola separa i "
                              "valori. I decimali si scrivono con il punto, per esempio 0.5");
    if (value.contains(u'"'))
        return QStringLiteral("Il valore non può contenere le virgolette (\"): nel file delimitano i "
                              "valori.");
    if (value.contains(u'\t'))
        return QStringLiteral("Il valore non può contenere il carattere di tabulazione.");
    if (value.contains(u'\r') || value.contains(u'\n'))
        return QStringLiteral("Il valore non può andare a capo: nel file ogni valore occupa una riga.");
    if (const std::optional<QString> bad = firstUnwritable(value))
        return QStringLiteral("Il carattere «%1» non può essere scritto nel file, che usa la codifica "
                              "Windows-1252.")
            .arg(*bad);
    return std::nullopt;
}
