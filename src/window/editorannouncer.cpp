#include "editorannouncer.h"

#include "guidance.h"
#include "keytextbox.h"
#include "section/sectiontable.h"

#include <QAccessible>

namespace {

void notifyAccessibility(QWidget &widget, QAccessible::Event type)
{
    QAccessibleEvent event(&widget, type);
    QAccessible::updateAccessibility(&event);
}

} // namespace

// Qt reports a changed name or description by itself; one that stays the
// same is reported here. The box keeps the focus while Enter, Up and Down
// move it, and the grid reports its new current cell as focused: the box
// has the last word (unless the window is not active, as during the
// start-up sequence).
void announceEditor(KeyTextBox &box, int row, int column)
{
    const QString name = QStringLiteral("Area %1, %2").arg(row).arg(columnTitle(column));
    if (box.accessibleName() == name)
        notifyAccessibility(box, QAccessible::NameChanged);
    else
        box.setAccessibleName(name);
    const QString description = guidanceFor(column).hintLines().join(QLatin1Char('\n'));
    if (box.accessibleDescription() == description)
        notifyAccessibility(box, QAccessible::DescriptionChanged);
    else
        box.setAccessibleDescription(description);
    if (box.hasFocus())
        notifyAccessibility(box, QAccessible::Focus);
}
