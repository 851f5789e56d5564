#include "editorannouncer.h"

#include "guidance.h"
#include "keytextbox.h"
#include "section/sectiontable.h"

void announceEditor(KeyTextBox &box, int row, int column)
{
    box.announce(QStringLiteral("Area %1, %2").arg(row).arg(columnTitle(column)),
                 guidanceFor(column).hintLines().join(QLatin1Char('\n')));
}
