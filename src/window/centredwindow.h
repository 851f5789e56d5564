#pragma once

#include <QWidget>

// A top-level window that shows itself centred on its screen, its frame
// (title bar included) counted once a window manager has framed it, and
// that runs firstShown() once, right after it is first shown, without
// waiting for an activation that may never come (a desktop without a
// window manager sends none).
class CentredWindow : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    void showCentred();

protected:
    virtual void firstShown() = 0;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void centreOnScreen();

    bool m_shown = false;
    bool m_centring = false; // shown, not yet centred by its frame
};
