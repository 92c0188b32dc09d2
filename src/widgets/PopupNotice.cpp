#include "PopupNotice.h"

#include "platform/ErrorReport.h"
#include "platform/NestedWait.h"

#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <vector>

namespace velmora {

namespace {

constexpr int side = 150;
constexpr int border = 8;
constexpr int rightMargin = 20;
constexpr int stepPixels = 20;
constexpr int stepMs = 50;
const QColor topColour(0x82, 0xBF, 0xF2);
const QString closeLink = QStringLiteral("close");

// Waits while the program goes on answering: timers, paints, clicks. False
// when the program is ending.
bool pauseWithEvents(int milliseconds)
{
    return NestedWait(milliseconds).pause();
}

QTextCharFormat highlight()
{
    QTextCharFormat format;
    format.setForeground(QColor(0xC0, 0x00, 0x00));
    format.setBackground(QColor(0xFF, 0xFF, 0xA0));
    return format;
}

} // namespace

PopupNotice::PopupNotice(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HTMLPopup1"));
    setFixedSize(side, side);
    // A notice must not take the keyboard away from what the user is doing.
    setAttribute(Qt::WA_ShowWithoutActivating);

    m_browser->setAccessibleName(QStringLiteral("Avviso"));
    m_browser->setOpenLinks(false);
    m_browser->setFrameShape(QFrame::NoFrame);
    m_browser->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_browser->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The gradient that paintEvent draws shows through.
    m_browser->viewport()->setAutoFillBackground(false);
    QPalette palette = m_browser->palette();
    palette.setBrush(QPalette::Base, Qt::transparent);
    m_browser->setPalette(palette);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(border, border, border, border);
    layout->addWidget(m_browser);

    connect(m_browser, &QTextBrowser::highlighted, this, guardedSlot(this, &PopupNotice::hover));
    connect(m_browser, &QTextBrowser::anchorClicked, this, guardedSlot(this, &PopupNotice::linkClicked));
}

void PopupNotice::showText(const QString &html)
{
    m_html = html;
    m_hovered.clear();
    render();
    slideIn();
}

void PopupNotice::slideIn()
{
    const QRect area = screen()->availableGeometry();
    const int x = area.x() + area.width() - rightMargin - width();
    const int below = area.y() + area.height();
    const int standing = below - height();
    int y = below;
    move(x, y);
    show();
    raise();   // a notice already on screen comes forward again
    while (y > standing) {
        if (!pauseWithEvents(stepMs))
            return;
        y = std::max(standing, y - stepPixels);
        move(x, y);
    }
}

void PopupNotice::hover(const QUrl &link)
{
    const QString href = link.toString();
    // Re-rendering may report the same link again: only a change repaints.
    if (href == m_hovered)
        return;
    m_hovered = href;
    render();
}

void PopupNotice::linkClicked(const QUrl &link)
{
    if (link.toString() == closeLink)
        hide();
}

void PopupNotice::render()
{
    m_browser->setHtml(m_html);
    if (m_hovered.isEmpty())
        return;
    QTextDocument *document = m_browser->document();
    // Ranges first: merging formats splits the fragments being walked.
    std::vector<std::pair<int, int>> ranges;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorHref() == m_hovered)
                ranges.emplace_back(it.fragment().position(), it.fragment().length());
    for (const auto &[position, length] : ranges) {
        QTextCursor cursor(document);
        cursor.setPosition(position);
        cursor.setPosition(position + length, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(highlight());
    }
}

void PopupNotice::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient ground(0, 0, 0, height());
    ground.setColorAt(0, topColour);
    ground.setColorAt(1, Qt::white);
    painter.fillRect(rect(), ground);
}

} // namespace velmora
