#include "messageboxes.h"

#include <QPushButton>

void showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

int askQuestion(QWidget *parent, const QString &title, const QString &text, const QStringList &buttons)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton *> added;
    for (const QString &label : buttons)
        added << box.addButton(label, added.size() + 1 == buttons.size() ? QMessageBox::RejectRole
                                                                          : QMessageBox::AcceptRole);
    box.setDefaultButton(qobject_cast<QPushButton *>(added.first()));
    box.setEscapeButton(added.last());
    box.exec();
    return int(added.indexOf(box.clickedButton()));
}
