#include "alarms/Fmsg.h"

#include "alarms/AlarmStatements.h"
#include "alarms/SnoozePanel.h"
#include "alarms/Sounds.h"
#include "db/Fdm.h"
#include "db/Statements.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ErrorReport.h"
#include "platform/Sound.h"
#include "widgets/MailMark.h"
#include "widgets/RunningText.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora {

namespace {

const QString lockedRow = QStringLiteral("Probabile record bloccato da altro utente!");
const QString deletedMeanwhile = QStringLiteral("Scadenza eliminata da altro utente... operazione non consentita!!");

QLabel *label(const QString &name, const QString &caption, QWidget *parent, bool bold = false)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QLabel *hiddenLabel(const QString &name, QWidget *parent)
{
    QLabel *l = label(name, {}, parent);
    l->hide();
    return l;
}

QPlainTextEdit *memo(const QString &name, QWidget *parent)
{
    auto *m = new QPlainTextEdit(parent);
    m->setObjectName(name);
    m->setReadOnly(true);
    QPalette p = m->palette();
    p.setColor(QPalette::Base, QColor(0xE1, 0xF0, 0xFF));
    m->setPalette(p);
    return m;
}

QAction *entry(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

} // namespace

Tfrm_msg::Tfrm_msg(Tdm &dm, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_dm(dm)
{
    setObjectName(QStringLiteral("frm_msg"));
    setWindowTitle(QStringLiteral("VELMORA"));
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0xB0, 0xD8, 0xFF));
    setPalette(p);
    setAutoFillBackground(true);

    RunningText1 = new RunningText(this);
    RunningText1->setObjectName(QStringLiteral("RunningText1"));
    RunningText1->setText(QStringLiteral("S C A D E N Z A"));
    QFont runningFont = RunningText1->font();
    runningFont.setBold(true);
    RunningText1->setFont(runningFont);
    QPalette blue = RunningText1->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    RunningText1->setPalette(blue);

    lbl_ldata = label(QStringLiteral("lbl_ldata"), QStringLiteral("DATA:"), this);
    lbl_lora = label(QStringLiteral("lbl_lora"), QStringLiteral("ORA:"), this);
    lbl_data_msg = label(QStringLiteral("lbl_data_msg"), {}, this, true);
    lbl_ora_msg = label(QStringLiteral("lbl_ora_msg"), {}, this, true);
    lbl_sca_old = label(QStringLiteral("lbl_sca_old"), QStringLiteral("Scadenze pregresse non visionate"), this, true);
    lbl_sca_old->hide();

    img_mail = label(QStringLiteral("img_mail"), {}, this);
    const QPixmap envelope = mailMark();
    img_mail->setPixmap(envelope.scaled(envelope.size() * 2));
    img_mail->setToolTip(QStringLiteral("Messaggio inviato a mezzo mail"));
    img_mail->hide();

    sbt_menu = new QToolButton(this);
    sbt_menu->setObjectName(QStringLiteral("sbt_menu"));
    sbt_menu->setText(QStringLiteral("Menu"));
    sbt_menu->setContextMenuPolicy(Qt::CustomContextMenu);

    pnl_riproponi = new SnoozePanel(this);

    memo_scad_msg = memo(QStringLiteral("memo_scad_msg"), this);
    memo_scad_msg->setAccessibleName(QStringLiteral("Scadenza"));
    memo_scad_msg->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_scad_msg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    pnl_letti = new QFrame(this);
    pnl_letti->setObjectName(QStringLiteral("pnl_letti"));
    sbt_lettii = new QToolButton(pnl_letti);
    sbt_lettii->setObjectName(QStringLiteral("sbt_lettii"));
    sbt_lettii->setText(QStringLiteral("OK"));
    auto *strip = new QHBoxLayout(pnl_letti);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->addStretch();
    strip->addWidget(sbt_lettii);
    strip->addStretch();
    pnl_letti->hide();

    memo_errore = memo(QStringLiteral("memo_errore"), this);
    memo_errore->setAccessibleName(QStringLiteral("Errore di invio della mail"));
    memo_errore->setFixedHeight(48);
    memo_errore->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    lbl_id_msg = hiddenLabel(QStringLiteral("lbl_id_msg"), this);
    lbl_pc_msg = hiddenLabel(QStringLiteral("lbl_pc_msg"), this);
    lbl_giorni = hiddenLabel(QStringLiteral("lbl_giorni"), this);
    lbl_minuti = hiddenLabel(QStringLiteral("lbl_minuti"), this);
    lbl_ore = hiddenLabel(QStringLiteral("lbl_ore"), this);

    buildMenu();
    layOut();
    setFixedSize(360, 420);

    connect(sbt_menu, &QToolButton::clicked, this, guardedSlot(this, &Tfrm_msg::showMenu));
    connect(sbt_menu, &QToolButton::customContextMenuRequested, this, guardedSlot(this, &Tfrm_msg::showMenu));
    connect(pnl_riproponi->SpeedButton1, &QToolButton::clicked, this, guardedSlot(this, &Tfrm_msg::snooze));
    connect(sbt_lettii, &QToolButton::clicked, this, guardedSlot(this, &Tfrm_msg::markPastSeen));
}

void Tfrm_msg::buildMenu()
{
    pop_menu = new QMenu(this);
    pop_menu->setObjectName(QStringLiteral("pop_menu"));
    Ignoramessaggio1 = entry(pop_menu, QStringLiteral("Ignoramessaggio1"), QStringLiteral("Ignora messaggio"));
    pop_menu->addSeparator();
    v_letto = entry(pop_menu, QStringLiteral("v_letto"), QStringLiteral("Imposta come \"visionato\" senza eliminarlo"));
    Eliminamessaggio1 = entry(pop_menu, QStringLiteral("Eliminamessaggio1"), QStringLiteral("Elimina messaggio"));
    pop_menu->addSeparator();
    Riproponidomani1 = entry(pop_menu, QStringLiteral("Riproponidomani1"), QStringLiteral("Riproponi fra..."));

    connect(Ignoramessaggio1, &QAction::triggered, this, [this] { guarded([this] { close(); }); });
    connect(v_letto, &QAction::triggered, this, guardedSlot(this, &Tfrm_msg::markSeen));
    connect(Eliminamessaggio1, &QAction::triggered, this, guardedSlot(this, &Tfrm_msg::remove));
    connect(Riproponidomani1, &QAction::triggered, this, [this] { guarded([this] { pnl_riproponi->show(); }); });
}

void Tfrm_msg::layOut()
{
    auto *dateColumn = new QVBoxLayout;
    dateColumn->addWidget(lbl_ldata);
    dateColumn->addWidget(lbl_data_msg);
    auto *timeColumn = new QVBoxLayout;
    timeColumn->addWidget(lbl_lora);
    timeColumn->addWidget(lbl_ora_msg);
    auto *moment = new QHBoxLayout;
    moment->addLayout(dateColumn);
    moment->addSpacing(24);
    moment->addLayout(timeColumn);
    moment->addWidget(lbl_sca_old);
    moment->addStretch();
    moment->addWidget(img_mail);
    moment->addWidget(sbt_menu);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 8);
    column->addWidget(RunningText1);
    column->addLayout(moment);
    column->addWidget(pnl_riproponi);
    column->addWidget(memo_scad_msg, 1);
    column->addWidget(pnl_letti);
    column->addWidget(memo_errore);
}

Tfrm_msg *Tfrm_msg::openDeadline(Tdm &dm, const AlarmDeadline &d, bool mailMarker, const QString &errorText)
{
    // Owned by itself: WA_DeleteOnClose destroys it when it closes.
    auto *w = new Tfrm_msg(dm);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->fillDeadline(d, mailMarker, errorText);
    w->appear();
    return w;
}

Tfrm_msg *Tfrm_msg::openPast(Tdm &dm, const fb::ResultSet &rows)
{
    // Owned by itself: WA_DeleteOnClose destroys it when it closes.
    auto *w = new Tfrm_msg(dm);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->fillPast(rows);
    w->appear();
    return w;
}

AlarmDeadline Tfrm_msg::held() const
{
    return {lbl_id_msg->text(), lbl_data_msg->text(), lbl_ora_msg->text(), m_storedText, lbl_pc_msg->text()};
}

void Tfrm_msg::fillDeadline(const AlarmDeadline &d, bool mailMarker, const QString &errorText)
{
    lbl_id_msg->setText(d.id);
    lbl_data_msg->setText(d.date);
    lbl_ora_msg->setText(d.time);
    memo_scad_msg->setPlainText(d.text);
    m_storedText = d.text;
    lbl_pc_msg->setText(d.pc);
    memo_errore->setPlainText(errorText);
    memo_errore->setVisible(!errorText.isEmpty());
    img_mail->setVisible(mailMarker);
}

void Tfrm_msg::fillPast(const fb::ResultSet &rows)
{
    lbl_sca_old->show();
    for (QWidget *w : std::initializer_list<QWidget *>{lbl_ldata, lbl_lora, lbl_data_msg, lbl_ora_msg, sbt_menu})
        w->hide();
    memo_scad_msg->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_scad_msg->clear();
    const int data = rows.columnIndex(QStringLiteral("data"));
    const int ora = rows.columnIndex(QStringLiteral("ora"));
    const int scadenza = rows.columnIndex(QStringLiteral("scadenza"));
    for (int r = 0; r < rows.rowCount(); ++r)
        memo_scad_msg->appendPlainText(QStringLiteral("- ") + rows.value(r, scadenza).toString()
                                       + QStringLiteral("  DATA: ") + sql::dateText(rows.value(r, data).toDate())
                                       + QStringLiteral("  ORA: ") + rows.value(r, ora).toString());
    pnl_letti->show();
}

void Tfrm_msg::appear()
{
    sound().play(alarmSound());
    pnl_riproponi->hide();
    move(screen()->availableGeometry().center() - rect().center());
    show();
}

void Tfrm_msg::showMenu()
{
    pop_menu->popup(sbt_menu->mapToGlobal(sbt_menu->rect().center()));
}

void Tfrm_msg::markSeen()
{
    const auto closeAfter = qScopeGuard([this] { close(); });
    try {
        m_dm.run(alarm::markSeen(held()));
    } catch (const std::exception &) {
        dialogs().error(lockedRow);
        return;
    }
    reloadLists(alarm::generalListMailFirst(m_dm));
    warnIfGone();
}

void Tfrm_msg::remove()
{
    if (!dialogs().question(QStringLiteral("Eliminare Scadenza?")))
        return;
    const auto closeAfter = qScopeGuard([this] { close(); });
    try {
        m_dm.run(alarm::remove(held()));
    } catch (const std::exception &) {
        dialogs().error(QStringLiteral("Scadenza già eliminata o bloccata da un altro utente!"));
        return;
    }
    reloadLists(sql::generalList(m_dm));
}

void Tfrm_msg::snooze()
{
    const QString count = pnl_riproponi->cmb_ggmin->currentText();
    if (!isSnoozeCount(count)) {
        dialogs().information(QStringLiteral("Digitare i giorni o i minuti!"));
        return;
    }
    lbl_giorni->setText(pnl_riproponi->rdb_gg->isChecked() ? count : QStringLiteral("0"));
    lbl_ore->setText(pnl_riproponi->rdb_ore->isChecked() ? count : QStringLiteral("0"));
    lbl_minuti->setText(pnl_riproponi->rdb_min->isChecked() ? count : QStringLiteral("0"));

    const auto closeAfter = qScopeGuard([this] { close(); });
    const AlarmDeadline d = held();
    const SnoozeCounts counts{lbl_giorni->text().toInt(), lbl_ore->text().toInt(), lbl_minuti->text().toInt()};
    try {
        m_dm.run(alarm::snooze(d, snoozed({d.date, d.time}, counts, velmora::now().time())));
    } catch (const std::exception &) {
        dialogs().error(QStringLiteral("Probabile record bloccato da altro utente!!"));
        return;
    }
    reloadLists(sql::generalList(m_dm));
    warnIfGone();
}

void Tfrm_msg::markPastSeen()
{
    if (!dialogs().question(QStringLiteral("Impostare scadenze come già lette?\n"
                                           "P.S. se non vengono impostate come già lette questo messaggio si presenterà ad ogni ingresso al programma."))) {
        close();
        return;
    }
    m_dm.sblocca(QStringLiteral("1"));
    try {
        m_dm.run(sql::markPastSeen(m_dm, velmora::now()));
    } catch (const std::exception &) {
        dialogs().error(lockedRow);
        return;
    }
    close();
}

void Tfrm_msg::reloadLists(const QString &generalList)
{
    m_dm.open(m_dm.t_sca, generalList);
    m_dm.open(m_dm.t_sca_gg, sql::dayList(m_dm, velmora::now().date()));
    m_dm.reopen(m_dm.t_sca_timer);
    Q_EMIT listsReloaded();
}

void Tfrm_msg::warnIfGone()
{
    if (!m_dm.t_sca.locate(QStringLiteral("id"), {held().id.toLongLong()}, false))
        dialogs().warning(deletedMeanwhile);
}

void Tfrm_msg::mousePressEvent(QMouseEvent *event)
{
    guarded([&] {
        const bool onSurface = event->button() == Qt::LeftButton && !childAt(event->position().toPoint());
        m_grip = onSurface ? std::optional(event->globalPosition().toPoint() - pos()) : std::nullopt;
    });
}

void Tfrm_msg::mouseMoveEvent(QMouseEvent *event)
{
    guarded([&] {
        if (m_grip && (event->buttons() & Qt::LeftButton))
            move(event->globalPosition().toPoint() - *m_grip);
    });
}

void Tfrm_msg::mouseReleaseEvent(QMouseEvent *)
{
    guarded([&] { m_grip.reset(); });
}

} // namespace velmora
