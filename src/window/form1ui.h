#pragma once

class CaptionFrame;
class ExamplePicture;
class FlexGridControl;
class KeyTextBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// The controls of the main window, created with their fixed positions,
// texts, fonts, colours, visibility, stacking and tab order.
struct Form1Ui
{
    QPushButton *Command1 = nullptr;
    QPlainTextEdit *Text2 = nullptr;
    QPlainTextEdit *Text1 = nullptr;
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
};
