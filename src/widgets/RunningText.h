#pragma once

#include <QTimer>
#include <QWidget>

namespace velmora {

// A one-line caption that runs from right to left without end: it enters at
// the right edge and, once gone past the left one, enters again.
class RunningText : public QWidget {
    Q_OBJECT
public:
    explicit RunningText(QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    // Where the caption's left edge stands, in pixels from the widget's left.
    int offset() const { return m_offset; }
    bool running() const { return m_timer.isActive(); }

    // One tick of the timer: the caption moves a step to the left.
    void step();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    // Runs only while on screen: a hidden caption costs nothing.
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QString m_text;
    int m_offset = 0;
    QTimer m_timer;
};

} // namespace velmora
