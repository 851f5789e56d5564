// The floor for the start-up figure: a bare Qt Widgets program that shows
// one empty window of Profilara's size and exits after its first paint.
// With --label the window also shows one line of text, so the process pays
// for the font database as any window with text does.

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QWidget>

namespace {

// Installed on the application, as the Profilara harness's watch is, so
// that both pay for the same filtering.
class QuitOnPaint : public QObject
{
public:
    explicit QuitOnPaint(QWidget &window) : m_window(window) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched == &m_window && !m_done) {
            m_done = true;
            // Queued, so that the paint in progress is flushed first.
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }
    bool done() const { return m_done; }

private:
    QWidget &m_window;
    bool m_done = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.setFixedSize(700, 603);
    if (QCoreApplication::arguments().contains(QStringLiteral("--label"))) {
        auto *label = new QLabel(QStringLiteral("Numero aree della sezione:"), &window);
        label->move(8, 8);
        label->adjustSize();
    }
    QuitOnPaint quitOnPaint(window);
    app.installEventFilter(&quitOnPaint);
    QTimer::singleShot(10000, &app, [] { QCoreApplication::exit(2); });
    window.show();
    const int rc = app.exec();
    return quitOnPaint.done() ? rc : 2;
}
