#pragma once

#include <QString>

class QWidget;

// The file dialogs of "Salva copia della sezione..." and "Carica sezione da
// file..." (section files, *.txt), of "Esporta PDF..." and of "Esporta
// XPWE...", from the user's documents. Windows and macOS show their own
// dialog, in the system's language; elsewhere it is Qt's, which
// ItalianQtTexts makes speak Italian.
enum class SectionFileChoice { SaveCopy, Load, ExportPdf, ExportXpwe };

// The file chosen, or nothing when the user cancelled.
QString chooseSectionFile(QWidget *parent, SectionFileChoice choice);
