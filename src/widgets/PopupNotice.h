#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;
class QUrl;

namespace velmora {

// The pop-up notice HTMLPopup1: a small frameless window, always on top,
// showing a line of rich text with links on a blue-to-white ground. It
// slides up into the bottom right corner of the work area and stays there
// until its "close" link is clicked.
class PopupNotice : public QWidget {
    Q_OBJECT
public:
    explicit PopupNotice(QWidget *parent = nullptr);

    // Replaces the text and slides the notice in from below the work area,
    // running pending events meanwhile; returns once it stands in place.
    void showText(const QString &html);
    const QString &text() const { return m_html; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void slideIn();
    void hover(const QUrl &link);
    void linkClicked(const QUrl &link);
    // The text, with the link under the mouse highlighted.
    void render();

    QTextBrowser *m_browser;
    QString m_html;
    QString m_hovered;
};

} // namespace velmora
