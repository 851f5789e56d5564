#pragma once

#include <QWidget>

// A frame with a caption on its top edge, like a group box whose children
// are placed at fixed positions; the frame clips them.
class CaptionFrame : public QWidget
{
    Q_OBJECT

public:
    explicit CaptionFrame(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return m_caption; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
};
