#include "form1ui.h"

#include "captionframe.h"
#include "examplepicture.h"
#include "grid/flexgridcontrol.h"
#include "guidance.h"
#include "keytextbox.h"
#include "linesbox.h"
#include "section/sectionfile.h"
#include "systemcolours.h"
#include "twips.h"

#include <QComboBox>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>

namespace {

// The classic dialog font MS Sans Serif is a bitmap font that Qt cannot
// scale; Windows itself draws it with its TrueType successor, and so does
// the window.
QFont windowFont()
{
    QFont font(QStringLiteral("Microsoft Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(fontPixels(8.25));
    return font;
}

QFont arial(double points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(fontPixels(points));
    font.setBold(bold);
    return font;
}

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette pal = widget->palette();
    pal.setColor(role, colour);
    widget->setPalette(pal);
}

// A label with a transparent background that takes the size of its text.
QLabel *textLabel(QWidget *parent, const QString &text, const QFont &font, const QColor &colour, int left,
                  int top)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    setColour(label, QPalette::WindowText, colour);
    label->move(px(left), px(top));
    label->adjustSize();
    return label;
}

QLabel *fixedLabel(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

LinesBox *readOnlyBox(QWidget *parent, const QRect &geometry, bool scrollBar)
{
    auto *box = new LinesBox(parent);
    box->setGeometry(geometry);
    box->setTabChangesFocus(true);
    box->setFocusPolicy(Qt::StrongFocus);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(scrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setColour(box, QPalette::Base, systemColour(SystemColour::ActiveBorder));
    return box;
}

QComboBox *hiddenCombo(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setEditText(text);
    combo->setGeometry(geometry);
    setColour(combo, QPalette::Base, kPaleCyan);
    combo->hide();
    return combo;
}

// The example picture as drawn, for those who cannot see it.
const QString kPictureDescription = QStringLiteral(
    "Sezione di scavo composta da tre aree sovrapposte: l'AREA 1 sul fondo, l'AREA 2 al centro e l'AREA 3 in "
    "sommità. La tubazione, di sezione circolare, sta per metà nell'AREA 1 e per metà nell'AREA 2. Sono quotate "
    "le altezze H1, H2 e H3 delle tre aree e, a sinistra, la profondità P, dalla sommità della sezione al fondo "
    "della tubazione. In basso è quotata la larghezza L del fondo scavo; in alto l'AREA 3 è più larga dell'AREA 2 "
    "di X per lato. Le pareti delle aree sono inclinate: le inclinazioni sono indicate come tan alfa 1, tan alfa "
    "2 e tan alfa 3.");

// A box named after the heading above it, which is also its label for
// assistive technology.
void nameAfterHeading(QWidget *box, QLabel *heading)
{
    heading->setBuddy(box);
    box->setAccessibleName(heading->text());
}

} // namespace

QImage readAsset(const QString &path, const char *format)
{
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

void Form1Ui::setupUi(QWidget *form)
{
    form->setFont(windowFont());
    form->setPalette(lightPalette()); // before the controls, which take it from the window
    form->setAutoFillBackground(true);

    // Created bottom-most first: later siblings lie above earlier ones.
    Image1 = new ExamplePicture(readAsset(QStringLiteral(":/assets/esempio.bmp"), "bmp"), form);
    Image1->setGeometry(twipsRect(120, 600, 7245, 5370));

    Label1 = textLabel(form, QStringLiteral("ESEMPIO DI SEZIONE TIPO COSTITUITA DA 3 AREE"), arial(9, false), kGrey,
                       1320, 645);
    Label3 = textLabel(form, QStringLiteral("50%"), arial(12, true), kRed, 3105, 3720);
    Label4 = textLabel(form, QStringLiteral("50%"), arial(12, true), kRed, 3105, 4200);
    for (QLabel *half : {Label3, Label4}) {
        half->setAlignment(Qt::AlignCenter);
        half->hide();
    }

    const QFont instructionFont = arial(9.75, true);
    Label2 = textLabel(form, QStringLiteral("Solamente un'area può avere l'altezza H dipendente dalla profondità P. "),
                       instructionFont, kBlue, 120, 315);
    Label5 = textLabel(form,
                       QStringLiteral("Inserire le AREE iniziando dal fondo della sezione e procedendo verso la "
                                      "sommità"),
                       instructionFont, kBlue, 120, 50);
    Label6 = fixedLabel(form, QStringLiteral("Note"), twipsRect(7440, 600, 2895, 255));
    Label7 = fixedLabel(form, QStringLiteral("Contenuto del file definitivo"), twipsRect(7440, 3000, 2895, 255));
    Label8 = textLabel(form,
                       QStringLiteral("La larghezza L di fondo scavo è determinata in base alle sezioni tipo "
                                      "standard"),
                       instructionFont, kBlue, 120, 8640);

    const QString countCaption = QStringLiteral("Numero aree della sezione");
    Frame1 = new CaptionFrame(countCaption + QStringLiteral(":    "), form);
    Frame1->setGeometry(twipsRect(120, 6120, 10215, 2415));

    FlexGrid = new FlexGridControl(Frame1);
    FlexGrid->setGeometry(twipsRect(240, 360, 9825, 1815));
    Combo2 = hiddenCombo(Frame1, QStringLiteral("Combo2"), twipsRect(6240, 3600, 1815, 315));

    TXTedit = new KeyTextBox(Frame1);
    TXTedit->setGeometry(twipsRect(9240, 120, 855, 285));
    TXTedit->setFrame(false);
    // A line edit cuts its text at 32,767 characters unless told otherwise;
    // the editor takes any value the file can hold.
    TXTedit->setMaxLength(int(kMaxSectionFileBytes));
    TXTedit->setToolTip(QStringLiteral("premere INVIO per confermare l'immissione"));
    setColour(TXTedit, QPalette::Base, kPaleCyan);
    setColour(TXTedit, QPalette::Text, systemColour(SystemColour::ButtonText));
    TXTedit->hide();

    Text5 = new KeyTextBox(Frame1);
    Text5->setGeometry(twipsRect(2160, 0, 735, 285));
    Text5->setMaxLength(int(kMaxSectionFileBytes)); // the count box has no limit of its own
    Text5->setSelectAllOnFocus(true); // a count typed replaces the one shown
    Combo1 = hiddenCombo(Frame1, QStringLiteral("Combo1"), twipsRect(7320, 120, 1815, 315));

    Text1 = readOnlyBox(form, twipsRect(7440, 840, 2895, 2055), false);
    Text2 = readOnlyBox(form, twipsRect(7440, 3240, 2895, 2655), true);

    Command1 = new QPushButton(QStringLiteral("Esci"), form);
    Command1->setGeometry(twipsRect(8400, 8640, 1935, 375));
    Command1->setAutoDefault(false);

    // What assistive technology reads: every control that takes the focus
    // is named after what the window shows beside it.
    Text5->setAccessibleName(countCaption);
    FlexGrid->setAccessibleTableName(QStringLiteral("Aree della sezione"));
    nameAfterHeading(Text1, Label6);
    nameAfterHeading(Text2, Label7);
    Image1->setAccessibleName(Label1->text());
    Image1->setAccessibleDescription(kPictureDescription);

    // Tab order by tab index; hidden controls and labels never take the focus.
    for (QLabel *label : {Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8})
        label->setFocusPolicy(Qt::NoFocus);
    Image1->setFocusPolicy(Qt::NoFocus);
    Frame1->setFocusPolicy(Qt::NoFocus);
    QWidget::setTabOrder(TXTedit, Text5);
    QWidget::setTabOrder(Text5, FlexGrid);
    QWidget::setTabOrder(FlexGrid, Text1);
    QWidget::setTabOrder(Text1, Text2);
    QWidget::setTabOrder(Text2, Command1);
}

void Form1Ui::showGuidance(int column) const
{
    const ColumnGuidance guidance = guidanceFor(column);
    Text1->setLines(guidance.hintLines());
    for (int n = 1; n <= 6; ++n)
        Image1->setLineVisible(n, guidance.lines.at(n - 1));
    Label3->setVisible(guidance.halfLabels);
    Label4->setVisible(guidance.halfLabels);
}
