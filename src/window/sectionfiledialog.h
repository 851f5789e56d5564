#pragma once

#include <QString>

class QWidget;

// The file dialogs of "Salva copia della sezione..." and "Carica sezione da
// file..." (section files, *.txt), of "Esporta PDF..." and of "Esporta
// XPWE...", of the job's file and of the files a job reads, from the
// user's documents. Windows and macOS show their own
// dialog, in the system's language; elsewhere it is Qt's, which
// ItalianQtTexts makes speak Italian.
enum class SectionFileChoice {
    SaveCopy,
    Load,
    ExportPdf,
    ExportXpwe,
    OpenJob,        // "Apri lavoro", a job's file (*.profilara)
    SaveJob,        // "Salva lavoro"
    StretchSection, // "Sezione del tratto", a section file to read
    ImportManholes, // "Importa pozzetti", a table (*.csv *.txt)
    ImportSwmm,     // "Importa da SWMM", a model (*.inp)
};

// The file chosen, or nothing when the user cancelled. The dialog opens on
// offered, a file's path (its folder and name); by default in the user's
// documents, with the kind's own name for an export.
QString chooseSectionFile(QWidget *parent, SectionFileChoice choice, const QString &offered = {});

// The name an export offers: the job's name, trimmed, each character that a
// Windows file name cannot hold (\ / : * ? " < > | and control characters)
// made "-", with the export's suffix; the export's own name when there is
// no job's name or Windows reserves it for a device (CON, NUL, COM1...).
QString exportFileName(const QString &job, SectionFileChoice choice);
