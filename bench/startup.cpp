// Profilara's start-up, for the driver to time as a whole process: the
// window is created on the given folder, loaded and shown as main() does,
// and the program exits once the start-up sequence has finished and the
// window has painted after it.
//
// usage: bench_startup <folder>
// exit status: 0 done, 1 the load refused to start, 2 timed out, 3 a
// message box would have been shown, 64 bad arguments.

#include "window/fontsubstitutions.h"
#include "window/form1.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>

namespace {

// Watches every paint in the window: the run is over at the first paint
// after `ready`, once the window itself has painted at least once.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(Form1 &form) : m_form(form) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == &m_form) {
            if (watched == &m_form)
                m_windowPainted = true;
            if (m_form.isReady() && m_windowPainted && !m_done) {
                m_done = true;
                QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
            }
        }
        return QObject::eventFilter(watched, event);
    }
    bool done() const { return m_done; }

private:
    Form1 &m_form;
    bool m_windowPainted = false;
    bool m_done = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setFontSubstitutions();
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: bench_startup <folder>\n");
        return 64;
    }

    Form1 form(args.at(1));
    bool messaged = false;
    form.setMessageBox([&messaged](QMessageBox::Icon, const QString &, const QString &text) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        messaged = true;
    });
    PaintWatch watch(form);
    app.installEventFilter(&watch);
    QTimer::singleShot(10000, &app, [] { QCoreApplication::exit(2); });

    if (!form.Form_Load())
        return 1;
    form.showCentred();
    const int rc = app.exec();
    if (rc != 0)
        return rc;
    if (!watch.done())
        return 2;
    return messaged ? 3 : 0;
}
