#include "sectionfiledialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

struct Kind
{
    QString title;
    QString filter;
    QString suffix;
    QString suggested; // the file name offered
};

Kind kindOf(SectionFileChoice choice)
{
    switch (choice) {
    case SectionFileChoice::SaveCopy:
        return {QStringLiteral("Salva copia della sezione"), QStringLiteral("Sezioni (*.txt)"), QStringLiteral("txt"), {}};
    case SectionFileChoice::Load:
        return {QStringLiteral("Carica sezione da file"), QStringLiteral("Sezioni (*.txt)"), QStringLiteral("txt"), {}};
    case SectionFileChoice::ExportPdf:
        return {QStringLiteral("Esporta PDF"), QStringLiteral("Documenti PDF (*.pdf)"), QStringLiteral("pdf"),
                QStringLiteral("Sezione tipo personalizzata.pdf")};
    case SectionFileChoice::ExportXpwe:
        return {QStringLiteral("Esporta XPWE"), QStringLiteral("Computo XPWE (*.xpwe)"), QStringLiteral("xpwe"),
                QStringLiteral("Computo scavi.xpwe")};
    case SectionFileChoice::OpenJob:
        return {QStringLiteral("Apri lavoro"), QStringLiteral("Lavori (*.profilara)"), QStringLiteral("profilara"), {}};
    case SectionFileChoice::SaveJob:
        return {QStringLiteral("Salva lavoro"), QStringLiteral("Lavori (*.profilara)"), QStringLiteral("profilara"),
                QStringLiteral("Lavoro.profilara")};
    case SectionFileChoice::StretchSection:
        return {QStringLiteral("Sezione del tratto"), QStringLiteral("Sezioni (*.txt)"), QStringLiteral("txt"), {}};
    case SectionFileChoice::ImportManholes:
        return {QStringLiteral("Importa pozzetti"), QStringLiteral("Tabelle (*.csv *.txt)"), QStringLiteral("csv"), {}};
    case SectionFileChoice::ImportSwmm:
        return {QStringLiteral("Importa da SWMM"), QStringLiteral("Modelli SWMM (*.inp)"), QStringLiteral("inp"), {}};
    }
    return {};
}

// Names Windows keeps for its devices, whatever follows a dot.
bool reservedOnWindows(const QString &name)
{
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9]) *(\\..*)?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    return device.match(name).hasMatch();
}

} // namespace

QString exportFileName(const QString &job, SectionFileChoice choice)
{
    const Kind kind = kindOf(choice);
    QString name = job.trimmed();
    for (QChar &c : name)
        if (QStringView(u"\\/:*?\"<>|").contains(c) || c.category() == QChar::Other_Control)
            c = u'-';
    if (name.isEmpty() || reservedOnWindows(name))
        return kind.suggested;
    return name + u'.' + kind.suffix;
}

QString chooseSectionFile(QWidget *parent, SectionFileChoice choice, const QString &offered)
{
    const Kind kind = kindOf(choice);
    const bool save = choice == SectionFileChoice::SaveCopy || choice == SectionFileChoice::ExportPdf
                      || choice == SectionFileChoice::ExportXpwe || choice == SectionFileChoice::SaveJob;
    QFileDialog dialog(parent, kind.title);
    dialog.setNameFilter(kind.filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(kind.suffix);
    if (!offered.isEmpty()) {
        const QFileInfo file(offered);
        dialog.setDirectory(file.absolutePath());
        dialog.selectFile(file.fileName());
    } else {
        dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        if (!kind.suggested.isEmpty())
            dialog.selectFile(kind.suggested);
    }
    const QString platform = QGuiApplication::platformName();
    if (platform != u"windows" && platform != u"cocoa")
        dialog.setOption(QFileDialog::DontUseNativeDialog); // a desktop's own may not speak Italian
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
