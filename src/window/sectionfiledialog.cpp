#include "sectionfiledialog.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QStandardPaths>

QString chooseSectionFile(QWidget *parent, SectionFileChoice choice)
{
    const bool save = choice == SectionFileChoice::SaveCopy;
    QFileDialog dialog(parent, save ? QStringLiteral("Salva copia della sezione")
                                    : QStringLiteral("Carica sezione da file"));
    dialog.setNameFilter(QStringLiteral("Sezioni (*.txt)"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    const QString platform = QGuiApplication::platformName();
    if (platform != u"windows" && platform != u"cocoa")
        dialog.setOption(QFileDialog::DontUseNativeDialog); // a desktop's own may not speak Italian
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
