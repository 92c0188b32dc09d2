// What a screen reader meets in every window the program creates at start,
// and in those it makes on demand (a print preview, a service's progress):
// each input is named by its label, each button by its caption (an icon-only
// one by its tooltip), each grid by its title, never by the group around it;
// within each group the focus moves as the eye reads.
#include "Script.h"
#include "TempRoot.h"
#include "app/Startup.h"
#include "institution/ListLayouts.h"
#include "report/PreviewWindow.h"
#include "report/Report.h"
#include "widgets/ProgressWindow.h"
#include "support/ScriptedDialogs.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

using namespace velmora;
using velmora::test::ScriptedDialogs;

namespace {

// The roles of what a user fills in, presses or reads as a list.
const QList<QAccessible::Role> namedRoles = {
    QAccessible::EditableText, QAccessible::ComboBox,    QAccessible::SpinBox, QAccessible::PushButton,
    QAccessible::CheckBox,     QAccessible::RadioButton, QAccessible::ButtonMenu,
    QAccessible::ButtonDropDown, QAccessible::Table,     QAccessible::List,    QAccessible::Tree,
    QAccessible::Slider,
};

QString stripAmp(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

// Parts that belong to another control: the field inside a drop-down list
// or a spin box, the headers, bars and cells of a grid, the view of a
// scrolled area.
bool partOfAnother(const QWidget *w)
{
    if (const auto *area = qobject_cast<const QAbstractScrollArea *>(w->parentWidget()); area && area->viewport() == w)
        return true;
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        if (qobject_cast<const QComboBox *>(p) || qobject_cast<const QAbstractSpinBox *>(p)
            || qobject_cast<const QAbstractItemView *>(p))
            return true;
        if (p->isWindow())
            break;
    }
    return false;
}

// Menus, drop-down popups and tooltips are not windows of the program's own.
bool ownWindow(const QWidget *w)
{
    const Qt::WindowType type = w->windowType();
    return !qobject_cast<const QMenu *>(w) && type != Qt::Popup && type != Qt::ToolTip;
}

// Whether a user reaches it: a control of a named role, or anything else
// that takes the focus with the tab key.
bool needsName(const QWidget *w, QAccessibleInterface *iface)
{
    // Left out: what is never shown, and the page control and its bar, whose tabs carry the captions.
    const bool hiddenOnPurpose = w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->isHidden();
    if (partOfAnother(w) || w->isWindow() || !ownWindow(w->window()) || hiddenOnPurpose
        || qobject_cast<const QTabWidget *>(w) || qobject_cast<const QTabBar *>(w))
        return false;
    return namedRoles.contains(iface->role()) || (w->focusPolicy() & Qt::TabFocus);
}

// The name the control carries itself: set on it, given by a label beside
// it, or its own caption. A group's title is not a name of its own. A name
// set on a drop-down list is not heard over AT-SPI: only its label counts.
QString ownName(const QWidget *w)
{
    if (!w->accessibleName().isEmpty() && !qobject_cast<const QComboBox *>(w))
        return w->accessibleName();
    const auto labels = w->parentWidget()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
    for (const QLabel *label : labels)
        if (label->buddy() == w)
            return stripAmp(label->text());
    if (const auto *button = qobject_cast<const QAbstractButton *>(w))
        return stripAmp(button->text());
    return {};
}

bool labelledBy(QAccessibleInterface *iface, const QString &name)
{
    for (const auto &[label, relation] : iface->relations(QAccessible::Label))
        if (label->text(QAccessible::Name) == name)
            return true;
    return false;
}

QString describe(const QWidget *w)
{
    return w->window()->objectName() + QLatin1Char('/') + w->objectName() + QStringLiteral(" (")
           + QLatin1String(w->metaObject()->className()) + QLatin1Char(')');
}

QList<QWidget *> ownWindows()
{
    QList<QWidget *> windows;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (ownWindow(w))
            windows << w;
    return windows;
}

// Shown, so that every layout has placed its widgets (nothing plays: no alarm is raised).
void layOut(QWidget *window)
{
    window->show();
    QCoreApplication::processEvents();
}

QRect placeIn(const QWidget *w, const QWidget *window)
{
    return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
}

// b comes after a for the eye: lower down, or on the same line further right.
bool readsAfter(const QRect &a, const QRect &b)
{
    if (b.center().y() > a.bottom())
        return true;
    if (a.center().y() > b.bottom())
        return false;
    return b.center().x() > a.center().x();
}

// Part b comes after part a for the eye: below it, or in a column further right.
bool comesAfter(const QRect &a, const QRect &b)
{
    return b.top() >= a.bottom() - 2 || b.left() >= a.right() - 2;
}

// The part of its page (or window) that a control belongs to: below the
// page, or the window, and the single panels that only wrap the rest, the
// widget that holds it among several. The page control's own tabs: none.
QWidget *partOfPage(QWidget *w)
{
    QList<QWidget *> chain;   // from the window down to w
    for (QWidget *p = w; p; p = p->isWindow() ? nullptr : p->parentWidget())
        chain.prepend(p);
    for (int i = 0; i + 1 < chain.size(); ++i)
        if (qobject_cast<QStackedWidget *>(chain[i]->parentWidget()))
            chain = chain.mid(i);   // a page: its parts count, not the window's
    if (qobject_cast<QTabBar *>(w) || qobject_cast<QTabWidget *>(w))
        return nullptr;
    for (int i = 0; i + 1 < chain.size(); ++i) {
        int shown = 0;
        for (const QWidget *child : chain[i]->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            shown += child->isVisibleTo(chain[i]) ? 1 : 0;
        if (shown > 1)
            return chain[i + 1];
    }
    return w;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void everyControlNamed();
    void editorNames_data();
    void editorNames();
    void tabOrder();

private:
    QWidget *control(const char *name) const;

    std::optional<test::TempRoot> m_root;
    std::optional<ScriptedDialogs> m_dialogs;
    std::optional<Startup> m_startup;
    // The windows made on demand, built as the program builds them.
    struct NoRows : report::DataSource {
        int rowCount() const override { return 0; }
        QString text(int, const QString &) const override { return {}; }
    } m_noRows;
    std::optional<report::Report> m_report;
    std::optional<report::PreviewWindow> m_preview;
    std::optional<ProgressWindow> m_progress;
};

void TestAccessibility::initTestCase()
{
    m_root.emplace();
    m_dialogs.emplace();
    m_root->writeConnectionFile("127.0.0.2/1:/nowhere.fdb\n");
    m_startup.emplace();
    QVERIFY(m_startup->prepare());
    // Names and order need no connection.
    m_startup->frm_menu->timer_connetti.stop();
    m_report.emplace(lists::deadlineLayout(), m_noRows);
    m_preview.emplace(*m_report);
    m_progress.emplace(QStringLiteral("Copia del database"));
    QVERIFY(ownWindows().size() >= 5);
}

void TestAccessibility::cleanupTestCase()
{
    m_progress.reset();
    m_preview.reset();
    m_startup.reset();
    VERIFY_DIALOGS_DONE(*m_dialogs);
}

QWidget *TestAccessibility::control(const char *name) const
{
    return m_startup->frm_menu->findChild<QWidget *>(QLatin1String(name));
}

void TestAccessibility::everyControlNamed()
{
    QStringList unnamed;
    int checked = 0;
    for (QWidget *window : ownWindows()) {
        for (QWidget *w : window->findChildren<QWidget *>()) {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
            if (!iface || !needsName(w, iface))
                continue;
            ++checked;
            const QString name = ownName(w);
            const QString heard = iface->text(QAccessible::Name);
            if (name.isEmpty())
                unnamed << describe(w) + QStringLiteral(": no name");
            else if (iface->role() == QAccessible::ComboBox) {
                // A list reads its value as its name on this platform; a
                // screen reader names it by the label that labels it.
                if (!labelledBy(iface, name))
                    unnamed << describe(w) + QStringLiteral(": no label \"%1\" labels it").arg(name);
            } else if (heard != name)
                unnamed << describe(w) + QStringLiteral(": heard \"%1\", named \"%2\"").arg(heard, name);
        }
    }
    QVERIFY(checked > 30);
    QVERIFY2(unnamed.isEmpty(), qPrintable(QLatin1Char('\n') + unnamed.join(QLatin1Char('\n'))));
}

void TestAccessibility::editorNames_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");

    QTest::newRow("description") << "edt_scad" << "Scadenza";
    QTest::newRow("date") << "mke_data_scad" << "Data";
    QTest::newRow("hour") << "edt_ora" << "Ora";
    QTest::newRow("minute") << "edt_min" << "Min.";
    QTest::newRow("addressee") << "cmb_utente_scad" << "Da visualizzare solo sul PC di:";
    QTest::newRow("address") << "edt_mail_dest" << "Invia avviso alla mail:";
    QTest::newRow("icon-only exit") << "BitBtn9" << "Esci";
    QTest::newRow("general list") << "dbg_scad" << "ELENCO SCADENZE GENERALE";
    QTest::newRow("menu button") << "sbt_menu" << "Funzioni aggiuntive";
}

void TestAccessibility::editorNames()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QWidget *w = this->control(control.toLatin1().constData());
    QVERIFY(w);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), name);
}

// Among the controls of one group, the focus goes on as the eye reads; and
// it goes through each part of a page (a group, a column's panel) in one go,
// never leaving it to come back later.
void TestAccessibility::tabOrder()
{
    QStringList wrong;
    const auto check = [&wrong](QWidget *window) {
        layOut(window);
        QHash<QWidget *, QWidget *> lastInGroup;
        QList<QWidget *> partsLeft;
        QWidget *w = window;
        do {
            w = w->nextInFocusChain();
            if (w->isWindow() || !(w->focusPolicy() & Qt::TabFocus) || partOfAnother(w)
                || !w->isVisibleTo(window))
                continue;
            QWidget *&previous = lastInGroup[w->parentWidget()];
            if (previous && !readsAfter(placeIn(previous, window), placeIn(w, window)))
                wrong << describe(previous) + QStringLiteral(" then ") + w->objectName();
            previous = w;
            QWidget *part = partOfPage(w);
            if (!part)
                continue;
            if (!partsLeft.isEmpty() && partsLeft.last() != part) {
                if (partsLeft.contains(part))
                    wrong << describe(w) + QStringLiteral(": back into ") + part->objectName();
                else if (!comesAfter(placeIn(partsLeft.last(), window), placeIn(part, window)))
                    wrong << describe(partsLeft.last()) + QStringLiteral(" then the part ") + part->objectName();
            }
            partsLeft.removeAll(part);
            partsLeft << part;
        } while (w != window);
    };
    Tfrm_menu &menu = *m_startup->frm_menu;
    QTabWidget *pages = menu.pgc_menu;
    for (int i = 0; i < pages->count(); ++i) {
        for (int j = 0; j < pages->count(); ++j)
            pages->setTabVisible(j, j == i);
        pages->setCurrentIndex(i);
        check(&menu);
    }
    for (QWidget *window : ownWindows())
        if (window != &menu)
            check(window);
    QVERIFY2(wrong.isEmpty(), qPrintable(QLatin1Char('\n') + wrong.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
