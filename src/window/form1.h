#pragma once

// Profilara's one window. Form1 runs the window's handlers: the load at
// start, the start-up sequence, the area count entry, the cell editor and the
// column guidance; it shows the messages and tells screen readers where the
// editor box is. Beyond those it maps the editing keys and the context menus
// to the plain operations of section/ (SectionHistory for undo and redo, the
// area operations, the spreadsheet clipboard), each change saved at once.
// The section it edits is its SectionSession, which holds the table, the
// lock and the file and says in words what to tell the user. Its
// controls are laid out by Form1Ui; the area grid layer is FlexGridControl,
// shaped and filled by VisualizzoFlexGrid and RiempioFlexGrid. Everything
// that is not the window (the session, the preview text, the guidance texts,
// the count conversion) is plain code in section/ and beside this class. The
// section code and the count conversion are tested without a GUI; the
// guidance texts are tested where the user reads them, in the notes box.

#include "form1ui.h"
#include "section/areaoperations.h"
#include "section/sectionhistory.h"
#include "section/sectionsession.h"

#include <QMessageBox>
#include <QStringList>
#include <QWidget>
#include <functional>

class DrawingWindow;
class QKeyEvent;

class Form1 : public QWidget
{
    Q_OBJECT

public:
    using MessageBoxFn = std::function<void(QMessageBox::Icon, const QString &title, const QString &text)>;
    // A question with buttons of these texts; returns the index of the one
    // chosen (the last one, the cancel button, when the box is closed).
    using QuestionFn = std::function<int(const QString &title, const QString &text, const QStringList &buttons)>;

    // folder: where the section file lives (the program's folder, programFolder).
    explicit Form1(const QString &folder, QWidget *parent = nullptr);

    // Replaces the modal message box, for tests.
    void setMessageBox(MessageBoxFn messageBox) { m_messageBox = std::move(messageBox); }
    void setQuestion(QuestionFn question) { m_question = std::move(question); }

    // Starts the section's session (its lock and the load of the section
    // file) before the window is shown, and tells what it came to. False when
    // the program must not start.
    bool Form_Load();
    // Shows the window, its frame centred on the screen; the start-up
    // sequence follows.
    void showCentred();
    bool isReady() const { return m_ready; }

    // The window's handlers.
    void Form_Activate();
    void Command1_Click();
    void Image1_Click();
    void Text5_KeyPress(qint16 &key);
    void FlexGrid_Click();
    void TXTedit_KeyPress(qint16 &key);
    void TXTedit_KeyDown(qint16 &key);
    void TXTedit_LostFocus();
    void FlexGrid_Scroll();
    void ScriveContenutoFile();

    // The editing commands beyond the handlers: the keys in the editor box
    // and on the grid, and the items of their context menus. Each change is
    // one save and one step of the history.
    void undoChange();
    void redoChange();
    void insertArea();
    void deleteArea();
    void moveArea(int by);
    void copyTable();
    void pasteBlock(const QString &text);
    // Opens the drawing of the section, or brings it to the front.
    void showDrawing();
    const DrawingWindow *drawing() const { return m_drawing; }

    const SectionTable &table() const { return m_session.table(); }
    const QString &valoreVecchio() const { return ValoreVecchio; }
    const Form1Ui &ui() const { return m_ui; }
    const SectionHistory &history() const { return m_history; }

signals:
    void ready(); // the start-up sequence has finished

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void centreOnScreen();
    bool saveSection(const QString &consequence);
    bool saveBeforeClosing();
    void recover();
    void hideEditor();
    void describeEditor(int row, int column);
    void applyGuidance(int column);
    void clearGuidance();
    bool TXTedit_Shortcut(const QKeyEvent &event);
    void showEditMenu(const QPoint &globalPos, bool inEditor);
    void applyAreaEdit(const std::function<AreaEdit(SectionTable &table, const SectionCell &at)> &edit);
    void showSection(const SectionCell &openOn);
    void showAreas();
    SectionCell currentCell() const;

    Form1Ui m_ui;
    SectionSession m_session;
    QString m_folder;
    QString ValoreVecchio;
    QString m_openedText; // the editor box's text when it last opened
    SectionHistory m_history;
    DrawingWindow *m_drawing = nullptr; // made when first asked for
    MessageBoxFn m_messageBox;
    QuestionFn m_question;
    bool m_activated = false;
    bool m_centring = false; // shown, not yet centred by its frame
    bool m_ready = false;
};
