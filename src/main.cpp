#include "window/fontsubstitutions.h"
#include "window/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setFontSubstitutions();
    Form1 form(QCoreApplication::applicationDirPath());
    if (!form.Form_Load())
        return 1;
    form.showCentred();
    return app.exec();
}
