#include "fontsubstitutions.h"

#include <QFont>
#include <QStringList>

void setFontSubstitutions()
{
    QFont::insertSubstitutions(QStringLiteral("Microsoft Sans Serif"),
                               {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}
