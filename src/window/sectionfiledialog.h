#pragma once

#include <QString>

class QWidget;

// The file dialogs of "Salva copia della sezione..." and "Carica sezione da
// file..." (section files, *.txt) and of "Esporta PDF...", from the user's
// documents. Windows and macOS show their own dialog, in the system's
// language; elsewhere it is Qt's, which ItalianQtTexts makes speak Italian.
enum class SectionFileChoice { SaveCopy, Load, ExportPdf };

// The file chosen, or nothing when the user cancelled.
QString chooseSectionFile(QWidget *parent, SectionFileChoice choice);
