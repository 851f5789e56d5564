#pragma once

#include <QMessageBox>
#include <QStringList>

// The window's modal message boxes: a message with an icon and OK, and a
// warning that asks, with a button for each answer (the last one cancels,
// and Escape or the close box choose it).

void showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text);

// The index of the button chosen.
int askQuestion(QWidget *parent, const QString &title, const QString &text, const QStringList &buttons);
