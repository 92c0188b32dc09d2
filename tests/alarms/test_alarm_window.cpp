// The alarm window: its controls, its two modes, what each action stores and
// the boxes it shows; the sounds it installs.
#include "Script.h"
#include "RecordingSound.h"
#include "ScriptedDialogs.h"
#include "SettableClock.h"
#include "TempDatabase.h"
#include "alarms/Fmsg.h"
#include "alarms/SnoozePanel.h"
#include "alarms/Sounds.h"
#include "db/Statements.h"
#include "widgets/RunningText.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString thisPc = QStringLiteral("10.0.0.1");
const QString otherPc = QStringLiteral("10.0.0.2");
const QString lockDeadline = QStringLiteral("UPDATE scadenze SET id=id WHERE ID=");
const QString deletedMeanwhile = QStringLiteral("warning: Scadenza eliminata da altro utente... operazione non consentita!!");
const QString noCount = QStringLiteral("information: Digitare i giorni o i minuti!");
const QString pastQuestion = QStringLiteral("question: Impostare scadenze come già lette?\n"
                                            "P.S. se non vengono impostate come già lette questo messaggio si presenterà ad ogni ingresso al programma.");

// 10 December 2026, 10.30 and 20 seconds.
QDateTime standingNow()
{
    return QDateTime(QDate(2026, 12, 10), QTime(10, 30, 20));
}

// The sound seam, noting also whether an alarm window was already on screen.
class WatchingSound : public RecordingSound {
public:
    void play(const QString &file) override
    {
        bool shown = false;
        for (QWidget *w : QApplication::topLevelWidgets())
            shown = shown || (qobject_cast<Tfrm_msg *>(w) && w->isVisible());
        m_shownAtPlay << shown;
        RecordingSound::play(file);
    }
    const QList<bool> &shownAtPlay() const { return m_shownAtPlay; }

private:
    QList<bool> m_shownAtPlay;
};

// Inserts a row (values for data, ora, scadenza, mail, letto, pc) and gives its id.
QString addDeadline(const TempDatabase &db, const QString &values)
{
    db.exec({QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, mail, letto, pc) VALUES (") + values
             + QLatin1Char(')')});
    const auto reader = db.connect(QStringLiteral("reader"));
    reader->open(reader->t_sca, QStringLiteral("select max(id) from scadenze"));
    return reader->t_sca.value(0, 0).toString();
}

// The row as "scadenza|dd/mm/yyyy|ora|pc|mail|letto", empty when it is gone.
QString rowOf(const TempDatabase &db, const QString &id)
{
    const auto reader = db.connect(QStringLiteral("reader"));
    reader->open(reader->t_sca, QStringLiteral("select scadenza, data, ora, pc, mail, letto from scadenze where id=") + id);
    if (reader->t_sca.rowCount() == 0)
        return {};
    QStringList cells;
    for (int c = 0; c < reader->t_sca.columnCount(); ++c) {
        const QVariant v = reader->t_sca.value(0, c);
        cells << (v.isNull() ? QStringLiteral("<null>")
                  : v.typeId() == QMetaType::QDate ? sql::dateText(v.toDate()) : v.toString());
    }
    return cells.join(QLatin1Char('|'));
}

// Lets a closed window's deferred deletion happen; true when it is gone.
bool windowGone(const QPointer<Tfrm_msg> &w)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return w.isNull();
}

} // namespace

class TestAlarmWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> m_db;
    std::unique_ptr<Tdm> m_dm;
    std::unique_ptr<SettableClock> m_clock;
    std::unique_ptr<WatchingSound> m_sound;
    QPointer<Tfrm_msg> m_window;

    // The row Consiglio d'istituto of 10/12/2026 10.30, of pc and with mail,
    // seen or not, in a window of its own.
    Tfrm_msg *openOn(const QString &id, const QString &text, const QString &pc)
    {
        m_window = Tfrm_msg::openDeadline(*m_dm, {id, QStringLiteral("10/12/2026"), QStringLiteral("10.30"), text, pc},
                                          false, {});
        return m_window;
    }

    QString standardRow(const QString &pcLiteral = QStringLiteral("'10.0.0.1'"), const QString &letto = QStringLiteral("NULL"))
    {
        return addDeadline(*m_db, QStringLiteral("'12/10/2026', '10.30', 'Consiglio d''istituto', 'preside@scuola.example', ")
                                      + letto + QStringLiteral(", ") + pcLiteral);
    }

    void snoozeWith(Tfrm_msg *w, const QString &unit, const QString &count)
    {
        w->Riproponidomani1->trigger();
        QVERIFY(w->pnl_riproponi->isVisible());
        w->pnl_riproponi->findChild<QRadioButton *>(unit)->setChecked(true);
        w->pnl_riproponi->cmb_ggmin->setEditText(count);
        QTest::mouseClick(w->pnl_riproponi->SpeedButton1, Qt::LeftButton);
    }

private Q_SLOTS:
    // One database for every case, emptied before each: making one takes long.
    void initTestCase()
    {
        m_db = std::make_unique<TempDatabase>();
    }

    void init()
    {
        m_clock = std::make_unique<SettableClock>(standingNow());
        m_sound = std::make_unique<WatchingSound>();
        m_db->exec({QStringLiteral("DELETE FROM scadenze")});
        m_dm = m_db->connect(thisPc);
        // As the connection step leaves it.
        m_dm->open(m_dm->t_sca_timer, sql::generalList(*m_dm));
    }

    void cleanup()
    {
        delete m_window;
        m_dm.reset();
        m_sound.reset();
        m_clock.reset();
    }

    void cleanupTestCase()
    {
        m_db.reset();
    }

    void controls()
    {
        Tfrm_msg w(*m_dm);
        QCOMPARE(w.objectName(), QStringLiteral("frm_msg"));
        QCOMPARE(w.windowTitle(), QStringLiteral("VELMORA"));
        QCOMPARE(w.windowFlags() & (Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                    | Qt::WindowCloseButtonHint),
                 Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QCOMPARE(w.palette().color(QPalette::Window), QColor(0xB0, 0xD8, 0xFF));
        QVERIFY(!w.isVisible());
        QVERIFY(!w.testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(m_sound->played().isEmpty());

        const QStringList names{"RunningText1", "lbl_ldata", "lbl_lora", "lbl_data_msg", "lbl_ora_msg", "lbl_sca_old",
                                "img_mail", "sbt_menu", "pnl_riproponi", "cmb_ggmin", "rdb_gg", "rdb_ore", "rdb_min",
                                "SpeedButton1", "memo_scad_msg", "pnl_letti", "sbt_lettii", "memo_errore",
                                "lbl_id_msg", "lbl_pc_msg", "lbl_giorni", "lbl_minuti", "lbl_ore", "pop_menu"};
        for (const QString &name : names)
            QVERIFY2(w.findChild<QWidget *>(name), qPrintable(name));
        for (const char *hidden : {"lbl_sca_old", "img_mail", "pnl_letti", "lbl_id_msg", "lbl_pc_msg", "lbl_giorni",
                                   "lbl_minuti", "lbl_ore"})
            QVERIFY2(w.findChild<QWidget *>(QLatin1String(hidden))->isHidden(), hidden);

        QCOMPARE(w.lbl_ldata->text(), QStringLiteral("DATA:"));
        QCOMPARE(w.lbl_lora->text(), QStringLiteral("ORA:"));
        QVERIFY(w.lbl_data_msg->font().bold() && w.lbl_ora_msg->font().bold() && w.lbl_sca_old->font().bold());
        QCOMPARE(w.lbl_sca_old->text(), QStringLiteral("Scadenze pregresse non visionate"));
        QCOMPARE(w.img_mail->toolTip(), QStringLiteral("Messaggio inviato a mezzo mail"));
        QVERIFY(!w.img_mail->pixmap().isNull());
        QCOMPARE(w.sbt_menu->text(), QStringLiteral("Menu"));
        QCOMPARE(w.sbt_lettii->text(), QStringLiteral("OK"));

        for (QPlainTextEdit *m : {w.memo_scad_msg, w.memo_errore}) {
            QVERIFY(m->isReadOnly());
            QCOMPARE(m->palette().color(QPalette::Base), QColor(0xE1, 0xF0, 0xFF));
        }
        QCOMPARE(w.memo_scad_msg->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(w.memo_scad_msg->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

        QStringList entries;
        for (QAction *a : w.pop_menu->actions())
            entries << (a->isSeparator() ? QStringLiteral("-") : a->objectName() + QLatin1Char('=') + a->text());
        QCOMPARE(entries, (QStringList{"Ignoramessaggio1=Ignora messaggio", "-",
                                       "v_letto=Imposta come \"visionato\" senza eliminarlo",
                                       "Eliminamessaggio1=Elimina messaggio", "-",
                                       "Riproponidomani1=Riproponi fra..."}));

        SnoozePanel *p = w.pnl_riproponi;
        QComboBox *count = p->cmb_ggmin;
        QVERIFY(count->isEditable());
        QCOMPARE(count->count(), 30);
        QCOMPARE(count->itemText(0), QStringLiteral("1"));
        QCOMPARE(count->itemText(29), QStringLiteral("30"));
        QCOMPARE(count->maxVisibleItems(), 15);
        QVERIFY(p->rdb_gg->isChecked());
        QCOMPARE(p->rdb_gg->text(), QStringLiteral("Giorni"));
        QCOMPARE(p->rdb_ore->text(), QStringLiteral("Ore"));
        QCOMPARE(p->rdb_min->text(), QStringLiteral("Minuti"));
        QVERIFY(p->SpeedButton1->text().isEmpty());
        QVERIFY(!p->SpeedButton1->icon().isNull());
        count->setEditText({});
        QTest::keyClicks(count->lineEdit(), QStringLiteral("1a-2 b34"));
        QCOMPARE(count->currentText(), QStringLiteral("123"));
        QTest::keyClick(count->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(count->currentText(), QStringLiteral("12"));
    }

    void runningCaption()
    {
        Tfrm_msg w(*m_dm);
        RunningText *caption = w.RunningText1;
        QCOMPARE(caption->text(), QStringLiteral("S C A D E N Z A"));
        QVERIFY(caption->font().bold());
        QCOMPARE(caption->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QVERIFY(!caption->running());
        w.show();
        QVERIFY(caption->running());
        QCOMPARE(caption->offset(), caption->width());
        caption->step();
        const int once = caption->offset();
        QVERIFY(once < caption->width());
        // Right to left until gone past the left edge, then in again at the right.
        int steps = 1;
        while (caption->offset() <= once && steps < 10000) {
            caption->step();
            ++steps;
        }
        QCOMPARE(caption->offset(), caption->width());
        QVERIFY(steps > caption->width() / 2);
        w.hide();
        QVERIFY(!caption->running());
    }

    void deadlineMode_data()
    {
        QTest::addColumn<bool>("mail");
        QTest::addColumn<QString>("error");
        QTest::newRow("plain") << false << QString();
        QTest::newRow("mailed") << true << QString();
        QTest::newRow("mail failed") << true << QStringLiteral("Invio a preside@scuola.example non riuscito");
    }

    void deadlineMode()
    {
        QFETCH(bool, mail);
        QFETCH(QString, error);
        m_window = Tfrm_msg::openDeadline(*m_dm, {"7", "10/12/2026", "10.30", "Consiglio d'istituto", "tutti"}, mail, error);
        Tfrm_msg *w = m_window;
        QCOMPARE(m_sound->played(), QStringList{alarmSound()});
        QCOMPARE(m_sound->shownAtPlay(), QList<bool>{false});
        QVERIFY(w->isVisible());
        QVERIFY(w->testAttribute(Qt::WA_DeleteOnClose));
        const QPoint centre = w->screen()->availableGeometry().center();
        // Placed before the frame is known: centred but for the frame's width.
        QVERIFY((w->frameGeometry().center() - centre).manhattanLength() <= 8);

        QCOMPARE(w->lbl_id_msg->text(), QStringLiteral("7"));
        QCOMPARE(w->lbl_data_msg->text(), QStringLiteral("10/12/2026"));
        QCOMPARE(w->lbl_ora_msg->text(), QStringLiteral("10.30"));
        QCOMPARE(w->memo_scad_msg->toPlainText(), QStringLiteral("Consiglio d'istituto"));
        QCOMPARE(w->lbl_pc_msg->text(), QStringLiteral("tutti"));
        QCOMPARE(w->img_mail->isVisible(), mail);
        QCOMPARE(w->memo_errore->isVisible(), !error.isEmpty());
        QCOMPARE(w->memo_errore->toPlainText(), error);
        QVERIFY(!w->pnl_riproponi->isVisible());
        QVERIFY(!w->lbl_sca_old->isVisible());
        QVERIFY(!w->pnl_letti->isVisible());
        QVERIFY(w->lbl_data_msg->isVisible() && w->sbt_menu->isVisible());
    }

    void menuAtButtonCentre_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");   // right: the context menu event it brings
        QTest::newRow("click") << Qt::LeftButton;
        QTest::newRow("right click") << Qt::RightButton;
    }

    void menuAtButtonCentre()
    {
        QFETCH(Qt::MouseButton, button);
        Tfrm_msg *w = openOn(QStringLiteral("1"), QStringLiteral("x"), thisPc);
        w->move(0, 0);   // room for the whole menu on the screen
        if (button == Qt::LeftButton) {
            QTest::mouseClick(w->sbt_menu, button);
        } else {
            QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(2, 2), w->sbt_menu->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(w->sbt_menu, &rightClick);
        }
        QTRY_VERIFY(w->pop_menu->isVisible());
        QCOMPARE(w->pop_menu->pos(), w->sbt_menu->mapToGlobal(w->sbt_menu->rect().center()));
        w->pop_menu->hide();
    }

    void dragSurface_data()
    {
        QTest::addColumn<bool>("onField");
        QTest::newRow("own surface") << false;
        QTest::newRow("deadline text") << true;
    }

    void dragSurface()
    {
        QFETCH(bool, onField);
        Tfrm_msg *w = openOn(QStringLiteral("1"), QStringLiteral("x"), thisPc);
        const QPoint start = w->pos();
        const QPoint grip = onField ? w->memo_scad_msg->geometry().center() : QPoint(3, 3);
        QCOMPARE(w->childAt(grip) == nullptr, !onField);
        QTest::mousePress(w, Qt::LeftButton, {}, grip);
        QTest::mouseMove(w, grip + QPoint(40, 25));
        QTest::mouseRelease(w, Qt::LeftButton, {}, grip + QPoint(40, 25));
        QCOMPARE(w->pos(), onField ? start : start + QPoint(40, 25));
    }

    void ignore()
    {
        const QString id = standardRow();
        const QString before = rowOf(*m_db, id);
        ScriptedDialogs d;
        Tfrm_msg *w = openOn(id, QStringLiteral("Consiglio d'istituto"), thisPc);
        QSignalSpy reloaded(w, &Tfrm_msg::listsReloaded);
        w->Ignoramessaggio1->trigger();
        QVERIFY(windowGone(m_window));
        QCOMPARE(reloaded.count(), 0);
        QCOMPARE(rowOf(*m_db, id), before);
        VERIFY_DIALOGS_DONE(d);
    }

    void markSeen_data()
    {
        QTest::addColumn<QString>("pc");       // SQL value
        QTest::addColumn<QString>("key");      // as the window holds it
        QTest::addColumn<QString>("stored");
        QTest::newRow("this workstation") << "'10.0.0.1'" << thisPc
                                          << "Consiglio d'istituto|10/12/2026|10.30|10.0.0.1|preside@scuola.example|S";
        QTest::newRow("everyone") << "'tutti'" << "tutti"
                                  << "Consiglio d'istituto|10/12/2026|10.30|tutti|preside@scuola.example|S";
        QTest::newRow("no addressee") << "NULL" << ""
                                      << "Consiglio d'istituto|10/12/2026|10.30||preside@scuola.example|S";
    }

    void markSeen()
    {
        QFETCH(QString, pc);
        QFETCH(QString, key);
        QFETCH(QString, stored);
        const QString id = standardRow(pc);
        ScriptedDialogs d;
        if (pc == QLatin1String("NULL"))
            d.ok();   // not in this workstation's lists any more
        Tfrm_msg *w = openOn(id, QStringLiteral("Consiglio d'istituto"), key);
        QSignalSpy reloaded(w, &Tfrm_msg::listsReloaded);
        w->v_letto->trigger();
        QVERIFY(windowGone(m_window));
        QCOMPARE(rowOf(*m_db, id), stored);
        QCOMPARE(reloaded.count(), 1);
        QCOMPARE(d.texts(), pc == QLatin1String("NULL") ? QStringList{deletedMeanwhile} : QStringList{});
        VERIFY_DIALOGS_DONE(d);

        QCOMPARE(m_dm->t_sca.sql(), QStringLiteral("select data, ora, mail, scadenza, letto, pc, id from scadenze "
                                                   "WHERE (pc='tutti' OR pc='10.0.0.1') ORDER BY data,ora"));
        QCOMPARE(m_dm->t_sca.columnName(2).toLower(), QStringLiteral("mail"));
        QCOMPARE(m_dm->t_sca_gg.sql(), QStringLiteral("select data, ora, scadenza, mail, letto, pc, id from scadenze "
                                                      "WHERE (pc='tutti' OR pc='10.0.0.1') AND data='12/10/2026' ORDER BY data,ora"));
        // The calendar list was read again: it sees the mark.
        QCOMPARE(m_dm->t_sca_timer.locate(QStringLiteral("id;letto"), {id.toLongLong(), QStringLiteral("S")}, false),
                 pc != QLatin1String("NULL"));
    }

    // Marking seen and the snooze write the stored text back exactly, line
    // breaks and non-breaking spaces included.
    void textWrittenBackAsStored_data()
    {
        QTest::addColumn<bool>("snooze");
        QTest::newRow("marked seen") << false;
        QTest::newRow("proposed again") << true;
    }

    void textWrittenBackAsStored()
    {
        QFETCH(bool, snooze);
        const QString text = QStringLiteral("Riga uno\r\nriga due\rriga\u00A0tre");
        const QString id = addDeadline(*m_db, QStringLiteral("'12/10/2026', '10.30', '") + text
                                                   + QStringLiteral("', '', NULL, '10.0.0.1'"));
        ScriptedDialogs d;
        Tfrm_msg *w = openOn(id, text, thisPc);
        if (snooze)
            snoozeWith(w, QStringLiteral("rdb_gg"), QStringLiteral("1"));
        else
            w->v_letto->trigger();
        QVERIFY(windowGone(m_window));
        QCOMPARE(rowOf(*m_db, id).section(QLatin1Char('|'), 0, 0), text);
        VERIFY_DIALOGS_DONE(d);
    }

    void remove_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }

    void remove()
    {
        QFETCH(bool, yes);
        const QString id = standardRow();
        const QString before = rowOf(*m_db, id);
        ScriptedDialogs d;
        yes ? d.yes() : d.no();
        Tfrm_msg *w = openOn(id, QStringLiteral("Consiglio d'istituto"), thisPc);
        QSignalSpy reloaded(w, &Tfrm_msg::listsReloaded);
        w->Eliminamessaggio1->trigger();
        QCOMPARE(d.texts(), QStringList{QStringLiteral("question: Eliminare Scadenza?")});
        VERIFY_DIALOGS_DONE(d);
        QCOMPARE(windowGone(m_window), yes);
        QCOMPARE(rowOf(*m_db, id), yes ? QString() : before);
        QCOMPARE(reloaded.count(), yes ? 1 : 0);
        if (yes) {
            QCOMPARE(m_dm->t_sca.sql(), sql::generalList(*m_dm));
            QCOMPARE(m_dm->t_sca_gg.sql(), sql::dayList(*m_dm, standingNow().date()));
        } else {
            QVERIFY(m_window->isVisible());
        }
    }

    void snooze_data()
    {
        QTest::addColumn<QTime>("now");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("moment");   // dd/mm/yyyy|hh.mm
        QTest::addColumn<QStringList>("counts"); // days, hours, minutes
        QTest::newRow("3 days") << QTime(10, 30, 20) << "rdb_gg" << "3" << "13/12/2026|10.30" << QStringList{"3", "0", "0"};
        QTest::newRow("30 days, next year") << QTime(10, 30, 20) << "rdb_gg" << "30" << "09/01/2027|10.30" << QStringList{"30", "0", "0"};
        QTest::newRow("days typed with a zero first") << QTime(10, 30, 20) << "rdb_gg" << "05" << "15/12/2026|10.30" << QStringList{"05", "0", "0"};
        QTest::newRow("2 hours at 22.30") << QTime(22, 30, 5) << "rdb_ore" << "2" << "10/12/2026|00.30" << QStringList{"0", "2", "0"};
        QTest::newRow("30 hours") << QTime(10, 30, 20) << "rdb_ore" << "30" << "10/12/2026|16.30" << QStringList{"0", "30", "0"};
        QTest::newRow("45 minutes") << QTime(10, 30, 20) << "rdb_min" << "45" << "10/12/2026|11.15" << QStringList{"0", "0", "45"};
        QTest::newRow("90 minutes at 23.50") << QTime(23, 50, 0) << "rdb_min" << "90" << "10/12/2026|01.20" << QStringList{"0", "0", "90"};
    }

    void snooze()
    {
        QFETCH(QTime, now);
        QFETCH(QString, unit);
        QFETCH(QString, count);
        QFETCH(QString, moment);
        QFETCH(QStringList, counts);
        m_clock->set(QDateTime(standingNow().date(), now));
        const QString id = addDeadline(*m_db, QStringLiteral("'12/10/2026', '10.30', 'L''ora dell''assemblea', NULL, 'S', NULL"));
        ScriptedDialogs d;
        d.ok();   // with no addressee the row leaves this workstation's lists
        Tfrm_msg *w = openOn(id, QStringLiteral("L'ora dell'assemblea"), {});
        QSignalSpy reloaded(w, &Tfrm_msg::listsReloaded);
        snoozeWith(w, unit, count);
        QCOMPARE((QStringList{w->lbl_giorni->text(), w->lbl_ore->text(), w->lbl_minuti->text()}), counts);
        QVERIFY(windowGone(m_window));
        QCOMPARE(rowOf(*m_db, id), QStringLiteral("L'ora dell'assemblea|") + moment + QStringLiteral("||<null>|<null>"));
        QCOMPARE(reloaded.count(), 1);
        QCOMPARE(d.texts(), QStringList{deletedMeanwhile});
        VERIFY_DIALOGS_DONE(d);
        QCOMPARE(m_dm->t_sca.sql(), sql::generalList(*m_dm));
    }

    void snoozeKeepsAddressee()
    {
        const QString id = standardRow();
        ScriptedDialogs d;
        Tfrm_msg *w = openOn(id, QStringLiteral("Consiglio d'istituto"), thisPc);
        snoozeWith(w, QStringLiteral("rdb_gg"), QStringLiteral("1"));
        QVERIFY(windowGone(m_window));
        QCOMPARE(rowOf(*m_db, id), QStringLiteral("Consiglio d'istituto|11/12/2026|10.30|10.0.0.1|preside@scuola.example|<null>"));
        VERIFY_DIALOGS_DONE(d);
        QVERIFY(m_dm->t_sca_timer.locate(QStringLiteral("id"), {id.toLongLong()}, false));
        QCOMPARE(m_dm->t_sca_timer.value(QStringLiteral("data")).toDate(), QDate(2026, 12, 11));
    }

    void snoozeRefused_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("count");
        QTest::newRow("empty") << "rdb_gg" << "";
        QTest::newRow("zero days") << "rdb_gg" << "0";
        QTest::newRow("zero hours") << "rdb_ore" << "0";
        QTest::newRow("zeros, minutes") << "rdb_min" << "000";
        QTest::newRow("pasted letters") << "rdb_gg" << "abc";
        QTest::newRow("pasted sign") << "rdb_ore" << "-2";
        QTest::newRow("pasted blank") << "rdb_min" << " 5";
    }

    void snoozeRefused()
    {
        QFETCH(QString, unit);
        QFETCH(QString, count);
        const QString id = standardRow();
        const QString before = rowOf(*m_db, id);
        ScriptedDialogs d;
        d.ok();
        Tfrm_msg *w = openOn(id, QStringLiteral("Consiglio d'istituto"), thisPc);
        QSignalSpy reloaded(w, &Tfrm_msg::listsReloaded);
        snoozeWith(w, unit, count);
        QCOMPARE(d.texts(), QStringList{noCount});
        VERIFY_DIALOGS_DONE(d);
        QVERIFY(!windowGone(m_window));
        QVERIFY(w->isVisible() && w->pnl_riproponi->isVisible());
        QCOMPARE(reloaded.count(), 0);
        QCOMPARE(rowOf(*m_db, id), before);
    }

    void rowDeletedMeanwhile_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("mark seen") << "v_letto" << QStringList{"ok"} << QStringList{deletedMeanwhile};
        QTest::newRow("snooze") << "Riproponidomani1" << QStringList{"ok"} << QStringList{deletedMeanwhile};
        QTest::newRow("delete") << "Eliminamessaggio1" << QStringList{"yes"} << QStringList{"question: Eliminare Scadenza?"};
    }

    void rowDeletedMeanwhile()
    {
        QFETCH(QString, action);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, boxes);
        const QString id = standardRow();
        Tfrm_msg *w = openOn(id, QStringLiteral("Consiglio d'istituto"), thisPc);
        const auto other = m_db->connect(otherPc);
        other->run(QStringLiteral("DELETE FROM scadenze WHERE id=") + id);

        ScriptedDialogs d;
        script(d, answers);
        if (action == QLatin1String("Riproponidomani1"))
            snoozeWith(w, QStringLiteral("rdb_gg"), QStringLiteral("2"));
        else
            w->findChild<QAction *>(action)->trigger();
        QCOMPARE(d.texts(), boxes);
        VERIFY_DIALOGS_DONE(d);
        QVERIFY(windowGone(m_window));
        QCOMPARE(rowOf(*m_db, id), QString());
    }

    void rowLockedElsewhere_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("mark seen") << "v_letto" << QStringList{"ok"}
                                   << QStringList{"error: Probabile record bloccato da altro utente!"};
        QTest::newRow("snooze") << "Riproponidomani1" << QStringList{"ok"}
                                << QStringList{"error: Probabile record bloccato da altro utente!!"};
        QTest::newRow("delete") << "Eliminamessaggio1" << QStringList{"yes", "ok"}
                                << QStringList{"question: Eliminare Scadenza?",
                                               "error: Scadenza già eliminata o bloccata da un altro utente!"};
    }

    void rowLockedElsewhere()
    {
        QFETCH(QString, action);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, boxes);
        const QString id = standardRow();
        const QString before = rowOf(*m_db, id);
        const auto other = m_db->connect(otherPc);
        QVERIFY(other->blocca(lockDeadline, id.toLongLong()));
        Tfrm_msg *w = openOn(id, QStringLiteral("Consiglio d'istituto"), thisPc);
        QSignalSpy reloaded(w, &Tfrm_msg::listsReloaded);

        ScriptedDialogs d;
        script(d, answers);
        if (action == QLatin1String("Riproponidomani1"))
            snoozeWith(w, QStringLiteral("rdb_ore"), QStringLiteral("1"));
        else
            w->findChild<QAction *>(action)->trigger();
        QCOMPARE(d.texts(), boxes);
        VERIFY_DIALOGS_DONE(d);
        QVERIFY(windowGone(m_window));
        QCOMPARE(reloaded.count(), 0);
        other->sblocca(QStringLiteral("1"));
        QCOMPARE(rowOf(*m_db, id), before);
    }

    void pastMode()
    {
        addDeadline(*m_db, QStringLiteral("'12/09/2026', '09.00', 'Scrutini', NULL, NULL, '10.0.0.1'"));
        addDeadline(*m_db, QStringLiteral("'12/10/2026', '08.15', 'Collegio d''istituto', 'a@b.example', 'N', 'tutti'"));
        fb::ResultSet rows;
        m_dm->open(rows, sql::pastUnseen(*m_dm, standingNow()));
        m_window = Tfrm_msg::openPast(*m_dm, rows);
        Tfrm_msg *w = m_window;
        QCOMPARE(m_sound->played(), QStringList{alarmSound()});
        QCOMPARE(m_sound->shownAtPlay(), QList<bool>{false});
        QVERIFY(w->isVisible());
        QVERIFY(w->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(w->memo_scad_msg->toPlainText(), QStringLiteral("- Scrutini  DATA: 09/12/2026  ORA: 09.00\n"
                                                                 "- Collegio d'istituto  DATA: 10/12/2026  ORA: 08.15"));
        QCOMPARE(w->memo_scad_msg->lineWrapMode(), QPlainTextEdit::NoWrap);
        QVERIFY(w->lbl_sca_old->isVisible());
        for (QWidget *hidden : std::initializer_list<QWidget *>{w->lbl_ldata, w->lbl_lora, w->lbl_data_msg, w->lbl_ora_msg,
                                w->sbt_menu, w->img_mail, w->pnl_riproponi})
            QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
        QVERIFY(w->pnl_letti->isVisible() && w->sbt_lettii->isVisible());
        QVERIFY(w->memo_errore->isVisible());
        QVERIFY(w->memo_errore->toPlainText().isEmpty());
        QVERIFY(w->lbl_id_msg->text().isEmpty() && w->lbl_pc_msg->text().isEmpty());
    }

    void pastOk_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("lockedBy");   // "", "this" (its own editor), "other"
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("seen");   // letto of each row afterwards
        QTest::addColumn<bool>("closes");
        const QStringList before{"<null>", "N", "<null>", "<null>", "<null>", "S"};
        const QStringList marked{"S", "S", "S", "<null>", "<null>", "S"};
        QTest::newRow("Yes") << QStringList{"yes"} << "" << QStringList{pastQuestion} << marked << true;
        QTest::newRow("No") << QStringList{"no"} << "" << QStringList{pastQuestion} << before << true;
        QTest::newRow("Yes, own lock released") << QStringList{"yes"} << "this" << QStringList{pastQuestion} << marked << true;
        QTest::newRow("Yes, locked elsewhere") << QStringList{"yes", "ok"} << "other"
                                               << QStringList{pastQuestion, "error: Probabile record bloccato da altro utente!"}
                                               << before << false;
    }

    void pastOk()
    {
        QFETCH(QStringList, answers);
        QFETCH(QString, lockedBy);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, seen);
        QFETCH(bool, closes);
        const QStringList ids{
            addDeadline(*m_db, QStringLiteral("'12/09/2026', '09.00', 'Scrutini', NULL, NULL, '10.0.0.1'")),
            addDeadline(*m_db, QStringLiteral("'12/10/2026', '08.15', 'Collegio', NULL, 'N', 'tutti'")),
            addDeadline(*m_db, QStringLiteral("'12/10/2026', '10.30', 'Questo minuto', NULL, NULL, '10.0.0.1'")),
            addDeadline(*m_db, QStringLiteral("'12/09/2026', '09.00', 'Altrui', NULL, NULL, '10.0.0.2'")),
            addDeadline(*m_db, QStringLiteral("'12/10/2026', '10.31', 'Fra un minuto', NULL, NULL, 'tutti'")),
            addDeadline(*m_db, QStringLiteral("'12/08/2026', '09.00', 'Già vista', NULL, 'S', '10.0.0.1'"))};
        const auto other = m_db->connect(otherPc);
        if (lockedBy == QLatin1String("this"))
            QVERIFY(m_dm->blocca(lockDeadline, ids[0].toLongLong()));
        else if (lockedBy == QLatin1String("other"))
            QVERIFY(other->blocca(lockDeadline, ids[0].toLongLong()));

        fb::ResultSet rows;
        m_dm->open(rows, sql::pastUnseen(*m_dm, standingNow()));
        QCOMPARE(rows.rowCount(), 3);
        Tfrm_msg *w = Tfrm_msg::openPast(*m_dm, rows);
        m_window = w;
        ScriptedDialogs d;
        script(d, answers);
        QTest::mouseClick(w->sbt_lettii, Qt::LeftButton);
        QCOMPARE(d.texts(), boxes);
        VERIFY_DIALOGS_DONE(d);
        QCOMPARE(windowGone(m_window), closes);
        other->sblocca(QStringLiteral("1"));
        if (lockedBy == QLatin1String("this"))
            QVERIFY(!m_dm->tr_blocca.active());

        QStringList letto;
        for (const QString &id : ids)
            letto << rowOf(*m_db, id).section(QLatin1Char('|'), 5);
        QCOMPARE(letto, seen);
    }

    void installSounds_data()
    {
        QTest::addColumn<QString>("existing");   // a file already there, relative to the root
        QTest::addColumn<QString>("alarmAt");    // where alarmSound() points, relative to the root
        QTest::newRow("none") << "" << "Velmora/Allarme/Allarme.wav";
        QTest::newRow("the office's own alarm") << "Velmora/Allarme/Allarme.wav" << "Velmora/Allarme/Allarme.wav";
        QTest::newRow("spelt in capitals") << "VELMORA/ALLARME/ALLARME.WAV" << "VELMORA/ALLARME/ALLARME.WAV";
    }

    void installSounds()
    {
        QFETCH(QString, existing);
        QFETCH(QString, alarmAt);
        QTemporaryDir root;
        const QByteArray previous = qgetenv("VELMORA_ROOT");
        qputenv("VELMORA_ROOT", root.path().toLocal8Bit());
        const auto restore = qScopeGuard([&] { qputenv("VELMORA_ROOT", previous); });
        const QByteArray own("RIFF own sound");
        if (!existing.isEmpty()) {
            QVERIFY(QDir(root.path()).mkpath(QFileInfo(existing).path()));
            QFile f(root.filePath(existing));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(own);
        }

        velmora::installSounds();

        QCOMPARE(alarmSound(), root.filePath(alarmAt));
        auto contents = [](const QString &path) {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        const QByteArray shippedAlarm = contents(QStringLiteral(":/sounds/Allarme.wav"));
        const QByteArray shippedMessage = contents(QStringLiteral(":/sounds/Messaggio.wav"));
        QVERIFY(shippedAlarm.startsWith("RIFF") && shippedAlarm.mid(8, 4) == "WAVE");
        QVERIFY(shippedMessage.startsWith("RIFF") && shippedMessage != shippedAlarm);
        QCOMPARE(contents(alarmSound()), existing.isEmpty() ? shippedAlarm : own);
        QCOMPARE(contents(messageSound()), shippedMessage);
        QCOMPARE(QFileInfo(messageSound()).absolutePath(), QFileInfo(alarmSound()).absolutePath());
        QVERIFY(QFileInfo(messageSound()).isWritable());

        // A missing one comes back; the other stays as it is.
        QFile::remove(messageSound());
        velmora::installSounds();
        QCOMPARE(contents(messageSound()), shippedMessage);
        QCOMPARE(contents(alarmSound()), existing.isEmpty() ? shippedAlarm : own);
    }
};

QTEST_MAIN(TestAlarmWindow)
#include "test_alarm_window.moc"
