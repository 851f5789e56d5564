#include "guidance.h"

#include <QStringList>

namespace {

QString joinLines(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

ColumnGuidance guidanceFor(int column)
{
    ColumnGuidance g;
    switch (column) {
    case 0:
        g.hint = QStringLiteral("Inserire la descrizione dell'area. Nell'esempio l'AREA 1 potrebbe chiamarsi "
                                "SABBIA, l'AREA 2 REINTERRO e l'AREA 3 MASSICCIATA");
        break;
    case 1:
        g.hint = joinLines({
            QStringLiteral("Immettere direttamente l'altezza H dell'area "),
            QStringLiteral("(H2 - linea rossa nell'esempio)"),
            QStringLiteral("oppure digitare * (che indica la dipendenza dell'altezza dalla profondità della "
                           "tubazione) seguito dalla somma delle altezze fisse al di sopra di P "),
            QStringLiteral("(H3+parte di H1 - linee blu nell'esempio)"),
        });
        g.lines = {false, true, true, true, false, false};
        break;
    case 2:
        g.hint = joinLines({
            QStringLiteral("Digitare solo il valore di X,"),
            QStringLiteral("penserà il programma a raddoppiarlo intendendo la sezione simmetrica"),
        });
        g.lines = {true, false, false, false, false, false};
        break;
    case 3:
        g.hint = joinLines({
            QStringLiteral("Inserire la tangente dell'angolo di inclinazione delle pareti."),
            QStringLiteral("Generalmente uguale a 0.1"),
        });
        g.lines = {false, false, false, false, true, true};
        break;
    case 4:
        g.hint = joinLines({
            QStringLiteral("Se un'area della sezione include una parte di tubazione è possibile inserire qui il "
                           "coefficiente di area tubazione da detrarre nel computo."),
            QStringLiteral("Nell'esempio l'AREA 1 e l'AREA 2 contengono entrambe il 50% della superficie della "
                           "tubazione, per cui il coefficiente sarebbe 0.5 "),
        });
        g.halfLabels = true;
        break;
    case 5:
        g.hint = QStringLiteral("Inserire il codice di una voce di Elenco Prezzi esistente");
        break;
    default:
        break;
    }
    return g;
}
