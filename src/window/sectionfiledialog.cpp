#include "sectionfiledialog.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QStandardPaths>

QString chooseSectionFile(QWidget *parent, SectionFileChoice choice)
{
    const bool pdf = choice == SectionFileChoice::ExportPdf;
    const bool save = choice != SectionFileChoice::Load;
    QFileDialog dialog(parent, pdf    ? QStringLiteral("Esporta PDF")
                               : save ? QStringLiteral("Salva copia della sezione")
                                      : QStringLiteral("Carica sezione da file"));
    dialog.setNameFilter(pdf ? QStringLiteral("Documenti PDF (*.pdf)") : QStringLiteral("Sezioni (*.txt)"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(pdf ? QStringLiteral("pdf") : QStringLiteral("txt"));
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (pdf)
        dialog.selectFile(QStringLiteral("Sezione tipo personalizzata.pdf"));
    const QString platform = QGuiApplication::platformName();
    if (platform != u"windows" && platform != u"cocoa")
        dialog.setOption(QFileDialog::DontUseNativeDialog); // a desktop's own may not speak Italian
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
