#include "drawingwindow.h"

#include "depthtab.h"
#include "dimensionbox.h"
#include "itemstab.h"
#include "jobcommands.h"
#include "stretchimports.h"
#include "placement.h"
#include "section/ownfiles.h"
#include "section/sectionclipboard.h"
#include "section/sectionfile.h"
#include "sectionpicture.h"
#include "sectionreport.h"
#include "sectiontab.h"
#include "stretchestab.h"
#include "drawingwidgets.h"
#include "takeoff/numbers.h"
#include "takeoff/sectionquantities.h"
#include "takeoff/xpwe.h"
#include "job/jobfile.h"
#include "window/messageboxes.h"
#include "window/sectionfiledialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The image of the drawing for the clipboard: at least twice its size on
// screen and 1600 pixels wide, for a sharp print in a report.
constexpr double kCopyMinimumWidth = 1600;

std::optional<QString> askPath(QWidget *parent, SectionFileChoice choice, const QString &offered)
{
    const QString path = chooseSectionFile(parent, choice, offered);
    return path.isEmpty() ? std::nullopt : std::optional(path);
}

QString notSaved(const QString &what)
{
    return QStringLiteral("%1 non è stato scritto: la sezione non è salvata nel file. Risolvere prima il salvataggio.")
        .arg(what);
}

} // namespace

DrawingWindow::DrawingWindow(const SectionTable &table, const QString &folder, QWidget *parent)
    : QWidget(parent, Qt::Window), m_table(table), m_folder(folder), m_section(table), m_choosePath(askPath)
{
    setWindowTitle(QStringLiteral("Disegno della sezione"));
    auto *layout = new QVBoxLayout(this);
    // L, P and D on one line, the note under them, then the job's name.
    auto *fields = new QHBoxLayout;
    layout->addLayout(fields);
    m_width = dimensionField(QStringLiteral("Larghezza di fondo L (m)"), 0.80, fields);
    m_depth = dimensionField(QStringLiteral("Profondità P del fondo tubo (m)"), 1.50, fields);
    m_diameter = dimensionField(QStringLiteral("Diametro tubazione D (m)"), 0.40, fields);
    fields->addStretch(1);
    // The pipe's nominal size and wall on a line of their own.
    auto *pipe = new QHBoxLayout;
    layout->addLayout(pipe);
    m_nominal = new QLineEdit;
    m_nominal->setAccessibleName(QStringLiteral("DN"));
    m_nominal->setMaximumWidth(60);
    m_nominal->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), m_nominal));
    m_nominal->installEventFilter(this);
    auto *nominalCaption = new QLabel(QStringLiteral("DN"));
    nominalCaption->setBuddy(m_nominal);
    pipe->addWidget(nominalCaption);
    pipe->addWidget(m_nominal);
    pipe->addSpacing(12);
    connect(m_nominal, &QLineEdit::textChanged, this, &DrawingWindow::refresh);
    m_wall = dimensionField(QStringLiteral("Spessore parete (m)"), 0, pipe);
    m_wall->setAccessibleName(QStringLiteral("Spessore parete"));
    m_wall->setMinimum(0);
    m_wall->setValue(0);
    m_wall->setAllDecimals(true);
    pipe->addStretch(1);
    auto *note = wrappingLabel(QStringLiteral("L, P e D dipendono dalle sezioni tipo standard e qui servono solo "
                                              "come esempio per il disegno: non sono salvati nel file della sezione."));
    layout->addWidget(note);
    // The job's name and its file.
    auto *job = new QHBoxLayout;
    layout->addLayout(job);
    m_job = new QLineEdit;
    m_job->setAccessibleName(QStringLiteral("Lavoro"));
    auto *jobCaption = new QLabel(QStringLiteral("Lavoro"));
    jobCaption->setBuddy(m_job);
    job->addWidget(jobCaption);
    job->addWidget(m_job, 1);
    connect(m_job, &QLineEdit::textChanged, this, &DrawingWindow::showTitle);
    // The job's file: a button each, and its keys while this window has the
    // focus (the main window's keys are its own).
    const struct
    {
        QString text;
        QKeySequence keys;
        std::function<void()> command;
    } jobFile[] = {
        {QStringLiteral("Apri lavoro..."), QKeySequence(Qt::CTRL | Qt::Key_O), [this] { m_jobCommands->open(); }},
        {QStringLiteral("Salva lavoro"), QKeySequence(Qt::CTRL | Qt::Key_S), [this] { m_jobCommands->save(); }},
        {QStringLiteral("Salva lavoro con nome..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         [this] { m_jobCommands->saveAs(); }},
    };
    for (const auto &[text, keys, command] : jobFile) {
        QPushButton *pushButton = commandButton(text);
        connect(pushButton, &QPushButton::clicked, this, command);
        job->addWidget(pushButton);
        auto *shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, command);
    }
    m_summary = wrappingLabel();
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(m_summary);

    m_tabs = new QTabWidget;
    m_sectionTab = new SectionTab;
    m_depthTab = new DepthTab;
    m_stretchesTab = new StretchesTab;
    m_itemsTab = new ItemsTab;
    m_tabs->addTab(m_sectionTab, QStringLiteral("Sezione"));
    m_tabs->addTab(m_depthTab, QStringLiteral("Profondità"));
    m_tabs->addTab(m_stretchesTab, QStringLiteral("Tratti"));
    m_tabs->addTab(m_itemsTab, QStringLiteral("Voci"));
    connect(m_itemsTab, &ItemsTab::itemsChanged, this, &DrawingWindow::refresh);
    connect(m_itemsTab, &ItemsTab::told, this, &DrawingWindow::tell);
    layout->addWidget(m_tabs, 1);
    m_sectionTab->problems()->installEventFilter(this);
    m_job->installEventFilter(this);
    for (QLineEdit *box : m_depthTab->findChildren<QLineEdit *>())
        box->installEventFilter(this);
    connect(m_depthTab, &DepthTab::depthsChanged, this, &DrawingWindow::refresh);
    connect(m_depthTab, &DepthTab::copyRequested, this, &DrawingWindow::copyDepths);
    connect(m_stretchesTab, &StretchesTab::stretchesChanged, this, &DrawingWindow::refresh);
    connect(m_stretchesTab, &StretchesTab::copyRequested, this, &DrawingWindow::copyStretches);
    connect(m_stretchesTab, &StretchesTab::exportRequested, this, &DrawingWindow::exportXpwe);
    connect(m_stretchesTab, &StretchesTab::told, this, &DrawingWindow::tell);
    connect(m_stretchesTab, &StretchesTab::sectionRequested, this, &DrawingWindow::chooseStretchSection);

    auto *buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    const auto button = [&](const QString &text, void (DrawingWindow::*command)()) {
        QPushButton *pushButton = commandButton(text);
        connect(pushButton, &QPushButton::clicked, this, command);
        buttons->addWidget(pushButton);
    };
    button(QStringLiteral("Copia disegno"), &DrawingWindow::copyDrawing);
    button(QStringLiteral("Copia quantità"), &DrawingWindow::copyQuantities);
    button(QStringLiteral("Esporta PDF..."), &DrawingWindow::exportPdf);
    m_status = wrappingLabel();
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    buttons->addWidget(m_status, 1);

    // Ctrl+C anywhere in the window copies the drawing; a box with selected
    // text copies that text instead (see eventFilter).
    auto *copy = new QShortcut(QKeySequence::Copy, this, this, &DrawingWindow::copyDrawing);
    copy->setContext(Qt::WindowShortcut);
    JobCommands::Window window;
    window.current = [this] { return currentJob(); };
    window.apply = [this](const Job &job) { applyJob(job); };
    window.tell = [this](const QString &text) { tell(text); };
    window.choose = [this](SectionFileChoice choice, const QString &offered) {
        return m_choosePath(this, choice,
                            offered.isEmpty() ? QDir(documentsFolder()).filePath(exportFileName(m_job->text(), choice))
                                              : offered);
    };
    window.ask = [this](const QString &title, const QString &text, const QStringList &buttons) {
        return askQuestion(this, title, text, buttons);
    };
    m_jobCommands = new JobCommands(m_folder, documentsFolder(), window, this);

    StretchImports::Window imports;
    imports.stretches = [this] { return m_stretchesTab->stretches(); };
    imports.setStretches = [this](const std::vector<Stretch> &stretches) { m_stretchesTab->setStretches(stretches); };
    imports.wall = [this] { return m_wall->value(); };
    imports.choose = [this](SectionFileChoice choice) { return m_choosePath(this, choice, jobFolder() + u'/'); };
    imports.clipboard = [] { return QApplication::clipboard()->text(); };
    imports.ask = [this](const QString &text, const QStringList &buttons) {
        return m_jobCommands->ask(QStringLiteral("Importazione"), text, buttons);
    };
    imports.tell = [this](const QString &text) { inform(text); };
    m_imports = new StretchImports(imports, this);
    connect(m_stretchesTab, &StretchesTab::importManholesRequested, m_imports, &StretchImports::importManholes);
    connect(m_stretchesTab, &StretchesTab::pasteManholesRequested, m_imports, &StretchImports::pasteManholes);
    connect(m_stretchesTab, &StretchesTab::importSwmmRequested, m_imports, &StretchImports::importSwmm);
    connect(m_jobCommands, &JobCommands::fileChanged, this, &DrawingWindow::showTitle);
    showTitle();
    m_applying = false;
    resize(900, 760);
}

QString DrawingWindow::documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

Job DrawingWindow::currentJob() const
{
    Job job;
    job.name = m_job->text();
    const ExampleDimensions dimensions = this->dimensions();
    job.L = dimensions.L;
    job.P = dimensions.P;
    job.D = dimensions.D;
    job.DN = dimensions.DN;
    job.wall = m_wall->value();
    job.depths = m_depthTab->typedDepths();
    // A row emptied by an edit stays in its table until the next paste or
    // deletion; the job has none.
    job.stretches = m_stretchesTab->stretches();
    std::erase_if(job.stretches, [](const Stretch &stretch) { return stretch.isEmpty(); });
    job.items = m_itemsTab->items();
    std::erase_if(job.items, [](const PriceItem &item) { return item.isEmpty(); });
    return job;
}

void DrawingWindow::applyJob(const Job &job)
{
    m_applying = true; // one refresh, at the end
    m_job->setText(job.name);
    m_width->setValue(job.L);
    m_depth->setValue(job.P);
    m_diameter->setValue(job.D);
    m_nominal->setText(job.DN ? QString::number(*job.DN) : QString());
    m_wall->setValue(job.wall);
    m_depthTab->setTypedDepths(job.depths);
    m_stretchesTab->setStretches(job.stretches);
    m_itemsTab->setItems(job.items);
    m_applying = false;
    refresh();
}

bool DrawingWindow::hasJobChanges() const
{
    return m_jobCommands->hasChanges();
}

bool DrawingWindow::settleJob()
{
    return m_jobCommands->settle(QStringLiteral("Il lavoro ha modifiche non salvate. Salvarle prima di uscire?"));
}

void DrawingWindow::setQuestion(const JobCommands::Question &ask)
{
    m_jobCommands->setQuestion(ask);
}

void DrawingWindow::showTitle()
{
    if (m_jobCommands)
        setWindowTitle(m_jobCommands->title());
}

// A stretch's section, chosen in a dialog: kept relative to the job's
// folder where it lies under it, as the job's file keeps it.
void DrawingWindow::chooseStretchSection(int row)
{
    const QString folder = jobFolder();
    const std::optional<QString> path = m_choosePath(this, SectionFileChoice::StretchSection, folder + u'/');
    if (path)
        m_stretchesTab->setSection(row, storedSectionPath(*path, folder));
}

DimensionBox *DrawingWindow::dimensionField(const QString &label, double value, QHBoxLayout *fields)
{
    auto *field = new DimensionBox;
    field->setValue(value);
    field->setAccessibleName(label);
    field->installEventFilter(this);
    auto *caption = new QLabel(label);
    caption->setBuddy(field);
    fields->addWidget(caption);
    fields->addWidget(field);
    fields->addSpacing(12);
    connect(field, &QDoubleSpinBox::valueChanged, this, &DrawingWindow::refresh);
    connect(field, &DimensionBox::tooPrecise, this, [this, label](const QString &text) {
        tell(QStringLiteral("«%1» non è stato accettato in «%2»: le dimensioni si scrivono al millimetro, con al "
                            "massimo tre decimali.")
                 .arg(text, label));
    });
    return field;
}

ExampleDimensions DrawingWindow::dimensions() const
{
    bool whole = false;
    const int DN = m_nominal->text().toInt(&whole);
    return {m_width->value(), m_depth->value(), m_diameter->value(), whole && DN > 0 ? std::optional(DN) : std::nullopt};
}

SectionFinder DrawingWindow::sectionFinder()
{
    return [this](const QString &file) -> std::variant<const TrenchSection *, QString> {
        if (file.isEmpty())
            return &m_section;
        return m_sectionFiles.find(file, jobFolder());
    };
}

QString DrawingWindow::jobFolder() const
{
    return m_jobCommands ? m_jobCommands->folder() : documentsFolder();
}

void DrawingWindow::refresh()
{
    if (m_applying)
        return;
    m_section = TrenchSection(m_table);
    const ExampleDimensions dimensions = this->dimensions();
    m_summary->setText(depthSummary(m_section, dimensions).join(u'\n'));
    m_sectionTab->show(drawSection(m_section, dimensions), dimensions, m_saved, tableRoom());
    m_depthTab->show(m_section, dimensions);
    m_stretchesTab->show(m_section, dimensions.L, {dimensions.D, dimensions.DN}, sectionFinder(), m_itemsTab->items());
    m_itemsTab->showProblems(m_stretchesTab->takeoff().itemProblems);
    showTitle();
}

// What the screen leaves for the table of quantities once the rest of the
// window has its least height: on a small screen (a laptop's 768 pixels)
// the table scrolls rather than push the buttons off the screen.
int DrawingWindow::tableRoom() const
{
    constexpr int kTitleBar = 40; // until a window manager has framed the window
    constexpr int kLeast = 120;
    const QScreen *screen = this->screen();
    if (!screen)
        return 0;
    const int frame = isVisible() && frameGeometry().height() > height() ? frameGeometry().height() - height()
                                                                        : kTitleBar;
    const QTableView *table = m_sectionTab->quantitiesView();
    const int rest = minimumSizeHint().height()
                     - (table->minimumHeight() > 0 ? table->minimumHeight() : table->minimumSizeHint().height());
    return std::max(kLeast, screen->availableGeometry().height() - frame - rest);
}

void DrawingWindow::setSaved(bool saved)
{
    m_saved = saved;
}

// The window opens beside the main one where the screen has room, then
// keeps the place and the size the user gives it.
void DrawingWindow::showBeside(const QWidget &main)
{
    if (!m_placed) {
        m_placed = true;
        const QScreen *screen = main.screen();
        const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), size());
        // Framed as the main window is, once shown.
        const QSize frame = main.frameGeometry().size() - main.size();
        resize(size().boundedTo(available.size() - frame));
        move(placeBeside(main.frameGeometry(), size() + frame, available));
    }
    show();
    raise();
    activateWindow();
}

const SectionPicture &DrawingWindow::picture() const
{
    return m_sectionTab->picture();
}

QString DrawingWindow::problemsText() const
{
    return m_sectionTab->problemsText();
}

QString DrawingWindow::statusText() const
{
    return m_status->text();
}

QString DrawingWindow::summaryText() const
{
    return m_summary->text();
}

void DrawingWindow::tell(const QString &text)
{
    m_status->setText(text);
}

// A message of several lines in a message box; its first line stays in
// the status line.
void DrawingWindow::inform(const QString &text)
{
    tell(text.section(u'\n', 0, 0));
    if (m_inform)
        m_inform(text);
    else
        showMessage(this, QMessageBox::Information, QStringLiteral("Profilara"), text);
}

void DrawingWindow::copyDrawing()
{
    const SectionPicture &picture = this->picture();
    const double factor = std::max(2.0, kCopyMinimumWidth / std::max(1, picture.width()));
    const QImage image = picture.image(factor);
    QApplication::clipboard()->setImage(image);
    tell(QStringLiteral("Disegno copiato negli appunti (%1 × %2 pixel).").arg(image.width()).arg(image.height()));
}

// The quantities for a spreadsheet with the user's regional settings, at
// six decimals, and the line that says a section is partial.
void DrawingWindow::copyQuantities()
{
    const SectionDrawing drawing = drawSection(m_section, dimensions());
    QList<QStringList> cells = quantityCells(sectionQuantities(drawing), NumberStyle::copied());
    if (!drawing.whole())
        cells << QStringList{drawing.problems.front()};
    QApplication::clipboard()->setText(cellsAsText(cells));
    tell(QStringLiteral("Quantità copiate negli appunti."));
}

void DrawingWindow::copyDepths()
{
    QApplication::clipboard()->setText(cellsAsText(m_depthTab->cells(m_section, NumberStyle::copied())));
    tell(QStringLiteral("Quantità per profondità copiate negli appunti."));
}

// Both tables of the stretches, one under the other, an empty row between.
void DrawingWindow::copyStretches()
{
    refresh(); // the sections' files as they are now
    const StretchTakeoff &takeoff = m_stretchesTab->takeoff();
    QList<QStringList> cells = stretchCells(takeoff, NumberStyle::copied());
    if (!takeoff.excludedText().isEmpty())
        cells << QStringList{takeoff.excludedText()};
    cells << QStringList() << codeTotalCells(takeoff, NumberStyle::copied());
    QApplication::clipboard()->setText(cellsAsText(cells));
    tell(QStringLiteral("Tratti copiati negli appunti."));
}

// Exports document what the computation program reads: none while the
// file does not hold the section.
bool DrawingWindow::savedForExport(const QString &what)
{
    if (!m_saved)
        tell(notSaved(what));
    return m_saved;
}

std::optional<QString> DrawingWindow::exportPath(SectionFileChoice choice)
{
    const QString folder = m_exportFolder.isEmpty() ? documentsFolder() : m_exportFolder;
    const std::optional<QString> path =
        m_choosePath(this, choice, QDir(folder).filePath(exportFileName(m_job->text(), choice)));
    if (path)
        m_exportFolder = QFileInfo(*path).absolutePath();
    if (path && isSectionOwnFile(m_folder, *path)) {
        tell(ownFileRefusal());
        return std::nullopt;
    }
    return path;
}

void DrawingWindow::exportPdf()
{
    refresh(); // the sections' files as they are now, as the table shows them
    if (!savedForExport(QStringLiteral("Il PDF")))
        return;
    const std::optional<QString> path = exportPath(SectionFileChoice::ExportPdf);
    if (!path)
        return;
    std::vector<double> depths;
    for (const DepthRow &row : m_depthTab->rows())
        depths.push_back(row.P);
    const QString folder = jobFolder();
    const ReportContent content{dimensions(),
                                m_job->text(),
                                QDate::currentDate(),
                                picture().font(),
                                depths,
                                m_stretchesTab->stretches(),
                                sectionFinder(),
                                m_itemsTab->items(),
                                [this, folder](const QString &file) { return m_sectionFiles.table(file, folder); }};
    const std::optional<QString> failure = writeSectionReport(*path, m_table, content);
    tell(failure ? *failure : QStringLiteral("PDF salvato in %1.").arg(QDir::toNativeSeparators(*path)));
}

void DrawingWindow::exportXpwe()
{
    refresh(); // the sections' files as they are now, as the table shows them
    if (!savedForExport(QStringLiteral("Il file XPWE")))
        return;
    const XpweComputo computo = xpweComputo(m_stretchesTab->takeoff(), m_job->text());
    if (computo.isEmpty()) {
        tell(xpweNothing(computo));
        return;
    }
    const std::optional<QString> path = exportPath(SectionFileChoice::ExportXpwe);
    if (!path)
        return;
    const QString where = QDir::toNativeSeparators(*path);
    if (const WriteResult written = writeFileBytes(computo.bytes, *path, InPlace::Refused); written.error) {
        tell(QStringLiteral("Il file XPWE non è stato salvato in %1. %2").arg(where, written.error->message));
        return;
    }
    const QString leftOut = xpweLeftOut(computo);
    tell(QStringLiteral("XPWE salvato in %1.").arg(where) + (leftOut.isEmpty() ? QString() : u' ' + leftOut));
}

// Ctrl+C in a box of the window or in the problems copies their selected
// text, as everywhere; with nothing selected there it is the window's, the
// drawing.
bool DrawingWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        bool selected = false;
        if (const auto *problems = qobject_cast<QPlainTextEdit *>(watched))
            selected = problems->textCursor().hasSelection();
        else if (const auto *dimension = qobject_cast<DimensionBox *>(watched))
            selected = dimension->hasSelectedText();
        else if (const auto *box = qobject_cast<QLineEdit *>(watched))
            selected = box->hasSelectedText();
        // Accepted, the key goes to the box (the read-only problems would
        // leave it to the window); ignored, to the window.
        event->setAccepted(selected);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
