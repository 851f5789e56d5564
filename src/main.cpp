#include "runningmark.h"
#include "section/sectionfile.h"
#include "window/fontsubstitutions.h"
#include "window/form1.h"
#include "window/italianqttexts.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const RunningMark running; // for the installer, before any message
    // Style metrics (scroll bars) as at 96 dots per inch, like the layout and
    // the fonts, whatever logical DPI the desktop reports.
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication app(argc, argv);
    setFontSubstitutions();
    ItalianQtTexts qtTexts;
    QCoreApplication::installTranslator(&qtTexts);
#ifdef PROFILARA_APP_ID
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(PROFILARA_APP_ID));
#endif
    Form1 form(programFolder(QCoreApplication::applicationDirPath()));
    if (!form.Form_Load())
        return 1;
    form.showCentred();
    return app.exec();
}
