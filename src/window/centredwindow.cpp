#include "centredwindow.h"

#include <QEvent>
#include <QScreen>

void CentredWindow::showCentred()
{
    centreOnScreen();
    m_centring = true; // a platform may activate the window within show()
    show();
}

// Before the window is first shown its frame is not known and the client
// area stands for it.
void CentredWindow::centreOnScreen()
{
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - QRect(QPoint(), frameGeometry().size()).center());
}

// A window manager frames the window only after it is shown; by its first
// activation the frame is known, and the window is centred again by it.
void CentredWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_centring) {
        m_centring = false;
        if (frameGeometry().size() != size())
            centreOnScreen();
    }
}

void CentredWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        QMetaObject::invokeMethod(this, &CentredWindow::firstShown, Qt::QueuedConnection);
    }
}
