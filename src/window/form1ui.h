#pragma once

class CaptionFrame;
class ExamplePicture;
class FlexGridControl;
class KeyTextBox;
class LinesBox;
class QComboBox;
class QImage;
class QString;
class QLabel;
class QPushButton;
class QWidget;

// The controls of the main window, created with their fixed positions,
// texts, fonts, colours, visibility, stacking and tab order.
struct Form1Ui
{
    QPushButton *Command1 = nullptr;
    LinesBox *Text2 = nullptr;
    LinesBox *Text1 = nullptr;
    CaptionFrame *Frame1 = nullptr;
    QComboBox *Combo1 = nullptr;
    KeyTextBox *Text5 = nullptr;
    KeyTextBox *TXTedit = nullptr;
    QComboBox *Combo2 = nullptr;
    FlexGridControl *FlexGrid = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label1 = nullptr;
    ExamplePicture *Image1 = nullptr;

    void setupUi(QWidget *form);
    // The guidance for grid column 0..5 in the notes box and over the
    // example picture; cleared for any other column.
    void showGuidance(int column) const;
};

// Reads a compiled-in picture of the given format with the built-in reader
// only: left to detect the format, QImageReader loads every image plugin
// installed to ask whether it reads the file.
QImage readAsset(const QString &path, const char *format);
