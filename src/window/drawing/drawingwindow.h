#pragma once

#include "job/sectionfiles.h"
#include "jobcommands.h"
#include "takeoff/stretches.h"
#include "takeoff/trenchsection.h"

#include <QWidget>
#include <functional>
#include <optional>

class DepthTab;
class DimensionBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QTabWidget;
class SectionPicture;
class SectionTab;
class StretchesTab;
class ItemsTab;
class StretchImports;
enum class SectionFileChoice;

// The window "Disegno della sezione": the dimensions of the calculation L,
// P and D, the pipe's DN and wall, the job's name with the commands on its
// file (JobCommands), where the section holds along the pipeline, and the
// tabs: "Sezione" (the section drawn to scale, its quantities per metre of
// trench and its problems), "Profondità" (its quantities depth by depth)
// and "Tratti" (the stretches of the job and their totals per price code).
// Buttons copy the drawing (Ctrl+C too), the quantities, the depths and the
// stretches, and export it all as a PDF and the stretches as XPWE. Not
// modal: it follows the table it is given whenever refresh() is called.
class DrawingWindow : public QWidget
{
    Q_OBJECT

public:
    // Asks where to write an export, offering a file's path; nothing when
    // the user cancels.
    using PathChooser =
        std::function<std::optional<QString>(QWidget *parent, SectionFileChoice choice, const QString &offered)>;

    // folder: the section file's, whose own files an export never replaces.
    DrawingWindow(const SectionTable &table, const QString &folder, QWidget *parent);

    // Draws the table as it stands now.
    void refresh();
    // Whether the section file holds the table: while it does not, the
    // window says so and writes no PDF or XPWE.
    void setSaved(bool saved);
    // Shows the window; the first time beside `main`, where the screen has room.
    void showBeside(const QWidget &main);

    // Replaces the file dialogs (for tests).
    void setPathChooser(PathChooser chooser) { m_choosePath = std::move(chooser); }
    // Replaces the question asked before the job's changes would be lost
    // (and the imports' question), and the message box of an import's message.
    void setQuestion(const JobCommands::Question &ask);
    void setInform(std::function<void(const QString &text)> inform) { m_inform = std::move(inform); }

    // The job as the window holds it, and a job put in its place.
    Job currentJob() const;
    void applyJob(const Job &job);
    // Whether the job has changes its file does not hold.
    bool hasJobChanges() const;
    // Asks, when the job has such changes, whether to save them before the
    // program ends; false when the program is to stay open.
    bool settleJob();

    const SectionPicture &picture() const;
    SectionTab &sectionTab() const { return *m_sectionTab; }
    DepthTab &depthTab() const { return *m_depthTab; }
    StretchesTab &stretchesTab() const { return *m_stretchesTab; }
    ItemsTab &itemsTab() const { return *m_itemsTab; }
    QString problemsText() const;
    QString statusText() const;
    QString summaryText() const;

    // The buttons' commands.
    void copyDrawing();
    void copyQuantities();
    void copyDepths();
    void copyStretches();
    void exportPdf();
    void exportXpwe();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    DimensionBox *dimensionField(const QString &label, double value, QHBoxLayout *fields);
    ExampleDimensions dimensions() const;
    void showTitle();
    void chooseStretchSection(int row);
    static QString documentsFolder();
    // The sections the stretches name: the one being edited, or files'.
    SectionFinder sectionFinder();
    // The folder against which a stretch's relative path is read.
    QString jobFolder() const;
    int tableRoom() const;
    bool savedForExport(const QString &what);
    // The path the user chose for an export, offered in the folder of the
    // last one under the job's name; nothing when cancelled or when it
    // names one of the section's own files (the refusal told).
    std::optional<QString> exportPath(SectionFileChoice choice);
    void tell(const QString &text);
    void inform(const QString &text);

    const SectionTable &m_table;
    QString m_folder;
    TrenchSection m_section;
    bool m_saved = true;
    bool m_placed = false;
    DimensionBox *m_width = nullptr;
    DimensionBox *m_depth = nullptr;
    DimensionBox *m_diameter = nullptr;
    QLineEdit *m_nominal = nullptr;
    DimensionBox *m_wall = nullptr;
    JobCommands *m_jobCommands = nullptr;
    class StretchImports *m_imports = nullptr;
    std::function<void(const QString &text)> m_inform;
    class ItemsTab *m_itemsTab = nullptr;
    bool m_applying = true; // a job is being put in place, or the window made: no refresh yet
    SectionFiles m_sectionFiles;
    QLineEdit *m_job = nullptr;
    QLabel *m_summary = nullptr;
    QTabWidget *m_tabs = nullptr;
    SectionTab *m_sectionTab = nullptr;
    DepthTab *m_depthTab = nullptr;
    StretchesTab *m_stretchesTab = nullptr;
    QLabel *m_status = nullptr;
    PathChooser m_choosePath;
    QString m_exportFolder; // the last export's, for the next one
};
