#pragma once

// Profilara's one window. Form1 runs the window's handlers (the load at
// start, the start-up sequence, the area count entry, the cell editor and
// the column guidance) and shows what they come to: the grid, the preview,
// the messages. The section it edits is a SectionDocument (section/), which
// owns the table, the history of its changes and the file: every change,
// from a confirmed value to a section loaded from another file, is one call
// there that saves at once. The editing commands beyond the handlers (undo,
// area operations, the spreadsheet clipboard, the drawing, a copy of the
// section) are EditActions, made once and used by the keys and the context
// menus alike. Its controls are laid out by Form1Ui; the area grid layer is
// FlexGridControl, shaped and filled by VisualizzoFlexGrid and
// RiempioFlexGrid. The section code, the count conversion and the guidance
// texts are plain code, tested without a GUI or where the user reads them.

#include "centredwindow.h"
#include "form1ui.h"
#include "section/sectiondocument.h"

#include <QMessageBox>
#include <QStringList>
#include <functional>

class DrawingWindow;
class QKeyEvent;
class EditActions;
enum class SectionFileChoice;

class Form1 : public CentredWindow
{
    Q_OBJECT

public:
    using MessageBoxFn = std::function<void(QMessageBox::Icon, const QString &title, const QString &text)>;
    // A question with buttons of these texts; returns the index of the one
    // chosen (the last one, the cancel button, when the box is closed).
    using QuestionFn = std::function<int(const QString &title, const QString &text, const QStringList &buttons)>;
    // The file the user chose in a file dialog, or nothing.
    using FileChooserFn = std::function<QString(SectionFileChoice choice)>;

    // folder: where the section file lives (the program's folder, programFolder).
    explicit Form1(const QString &folder, QWidget *parent = nullptr);
    ~Form1() override;

    // Replace the modal message box, the question and the file dialog, for tests.
    void setMessageBox(MessageBoxFn messageBox) { m_messageBox = std::move(messageBox); }
    void setQuestion(QuestionFn question) { m_question = std::move(question); }
    void setFileChooser(FileChooserFn chooser) { m_chooseFile = std::move(chooser); }

    // Starts the section's session (its lock and the load of the section
    // file) before the window is shown, and tells what it came to. False when
    // the program must not start.
    bool Form_Load();
    // showCentred() shows the window; the start-up sequence follows.
    bool isReady() const { return m_ready; }

    // The window's handlers.
    void Form_Activate();
    void Command1_Click();
    void Image1_Click();
    void Text5_KeyPress(qint16 &key);
    void FlexGrid_Click();
    void FlexGrid_KeyPress(QKeyEvent *event);
    void TXTedit_KeyPress(qint16 &key);
    void TXTedit_KeyDown(qint16 &key);
    void TXTedit_LostFocus();
    void FlexGrid_Scroll();
    void ScriveContenutoFile();

    const DrawingWindow *drawing() const { return m_drawing; }
    const SectionTable &table() const { return m_document.table(); }
    const QString &valoreVecchio() const { return ValoreVecchio; }
    const Form1Ui &ui() const { return m_ui; }

signals:
    void ready(); // the start-up sequence has finished

protected:
    void firstShown() override { Form_Activate(); }
    void closeEvent(QCloseEvent *event) override;

private:
    bool tellSave(const std::optional<SessionSave> &saved, const QString &consequence);
    bool saveBeforeClosing();
    void recover();
    void hideEditor();

    // The commands, and what they need.
    void connectCommands();
    void showDrawing();
    void refreshDrawing();
    void saveCopy();
    void loadSection();
    SectionCell currentCell() const;
    void apply(const SectionOutcome &outcome, const QString &consequence);
    void showSection(const SectionCell &openOn);
    void showAreas();

    Form1Ui m_ui;
    SectionDocument m_document;
    QString m_folder;
    QString ValoreVecchio;
    EditActions *m_actions = nullptr;
    DrawingWindow *m_drawing = nullptr; // made when first asked for
    MessageBoxFn m_messageBox;
    QuestionFn m_question;
    FileChooserFn m_chooseFile;
    bool m_ready = false;
};
