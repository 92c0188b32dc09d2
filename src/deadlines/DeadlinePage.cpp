#include "deadlines/DeadlinePage.h"

#include "db/Fdm.h"
#include "db/Statements.h"
#include "db/Texts.h"
#include "deadlines/CalendarPanel.h"
#include "deadlines/DayList.h"
#include "deadlines/DeadlineEditor.h"
#include "deadlines/SearchPanel.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ErrorReport.h"
#include "widgets/DataGrid.h"
#include "widgets/MailMark.h"
#include "widgets/MaskedDateEdit.h"
#include "widgets/MonthCalendar.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora {

DeadlinePage::DeadlinePage(Tdm &dm, QWidget *parent) : QWidget(parent), m_dm(dm)
{
    days = new DayList(dm, this);
    calendar = new CalendarPanel(dm, *days, this);
    editor = new DeadlineEditor(dm, *this, this);
    search = new SearchPanel(dm, this);

    GroupBox9 = new QGroupBox(QStringLiteral("ELENCO SCADENZE GENERALE"), this);
    GroupBox9->setObjectName(QStringLiteral("GroupBox9"));
    dbg_scad = new DataGrid(GroupBox9);
    dbg_scad->setObjectName(QStringLiteral("dbg_scad"));
    dbg_scad->setAccessibleName(GroupBox9->title());
    dbg_scad->setResultSet(&dm.t_sca);
    dbg_scad->resultModel().setRowBackground(QColor(0xE1, 0xF0, 0xFF), ResultSetModel::Rows::Alternate);
    dbg_scad->resultModel().setRowMark([this](int row) {
        const int mail = m_dm.t_sca.columnIndex(QStringLiteral("mail"));
        return mail >= 0 && !m_dm.t_sca.value(row, mail).toString().isEmpty() ? mailMark() : QPixmap();
    });
    (new QVBoxLayout(GroupBox9))->addWidget(dbg_scad);

    sbt_menu = new QToolButton(this);
    sbt_menu->setObjectName(QStringLiteral("sbt_menu"));
    sbt_menu->setText(QStringLiteral("Funzioni aggiuntive"));
    sbt_menu->setContextMenuPolicy(Qt::CustomContextMenu);
    auto *hint = new QLabel(QStringLiteral("...attivabili anche cliccando con il tasto destro del mouse sull'icona in basso a destra vicino all'orologio..."), this);
    hint->setObjectName(QStringLiteral("lbl_funzioni"));
    hint->setWordWrap(true);
    hint->setStyleSheet(QStringLiteral("color: #800000;"));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(148, 145);
    Image1->setScaledContents(true);

    auto *menuColumn = new QVBoxLayout;
    menuColumn->addWidget(sbt_menu);
    menuColumn->addWidget(hint);
    menuColumn->addStretch();
    auto *foot = new QHBoxLayout;
    foot->addWidget(Image1);
    foot->addLayout(menuColumn, 1);

    // Close together, so that the page fits a laptop's screen.
    auto *left = new QVBoxLayout;
    left->setSpacing(3);
    left->addWidget(calendar);
    left->addWidget(editor);
    left->addLayout(foot);
    left->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(days, 2);
    right->addWidget(search);
    right->addWidget(GroupBox9, 3);
    auto *columns = new QHBoxLayout(this);
    columns->addLayout(left, 0);
    columns->addLayout(right, 1);
    // The tab key reads the left column down, then the right one.
    setTabOrder(editor->BitBtn9, sbt_menu);
    setTabOrder(sbt_menu, days->SMDBGrid1);

    connect(dbg_scad, &DataGrid::rowClicked, this, guardedSlot(editor, &DeadlineEditor::selectRow));
    connect(dbg_scad, &DataGrid::rowCountShown, this, [this](int count) {
        Q_EMIT countShown(QStringLiteral("Tot. Scadenze: ") + QString::number(count));
    });
    connect(days, &DayList::rowClicked, this, guardedSlot(this, &DeadlinePage::dayRowClicked));
    connect(search, &SearchPanel::listChanged, dbg_scad, &DataGrid::refresh);
    connect(calendar, &CalendarPanel::dayPicked, this, [this](const QDate &day) {
        editor->mke_data_scad->setText(sql::dateText(day));
    });
}

void DeadlinePage::presetFields()
{
    editor->presetTime();
    calendar->showYear(velmora::now().date().year());
}

void DeadlinePage::loadChoices()
{
    // Not connected: the data module's not-connected warning, for the
    // error report of the showing; the lists stay as they were.
    // The directory's own statement, or the usual one before any page set it.
    m_dm.open(m_dm.t_pc, m_dm.t_pc.sql().isEmpty() ? sql::users() : m_dm.t_pc.sql());
    const QStringList users = m_dm.t_pc.texts(QStringLiteral("utente"));
    m_dm.open(m_dm.t_par, sql::settings());
    const QVariant addresses = m_dm.t_par.rowCount() > 0 ? m_dm.t_par.value(QStringLiteral("ind_mail")) : QVariant();
    m_dm.t_par.close();
    editor->fillLists(users, addresses);
}

bool DeadlinePage::open()
{
    const QDateTime now = velmora::now();
    try {
        m_dm.open(m_dm.t_sca, sql::pastUnseen(m_dm, now));
    } catch (const std::exception &e) {
        dbg_scad->refresh();
        dialogs().warning(notConnectedWarning(QString::fromUtf8(e.what())));
        return false;
    }
    if (m_dm.t_sca.rowCount() > 0
        && dialogs().question(QStringLiteral("Risultano esistere scadenze precedenti alla data odierna. Impostarle come già lette?\n"
                                             "P.S. se non vengono impostate come già lette questo messaggio si presenterà ad ogni ingresso al programma."))) {
        m_dm.sblocca(QStringLiteral("1"));
        try {
            m_dm.run(sql::markPastSeen(m_dm, now));
        } catch (const std::exception &) {
            dbg_scad->refresh();
            dialogs().error(QStringLiteral("Modifica non effettuabile...errore procedurale!"));
            return false;
        }
        m_dm.reopen(m_dm.t_sca_timer);
    }
    load();
    return true;
}

void DeadlinePage::load()
{
    m_dm.open(m_dm.t_fes, sql::holidays());
    m_dm.open(m_dm.t_sca, sql::generalList(m_dm));
    days->showToday(velmora::now().date());
    showNearest();
    dbg_scad->refresh();
    calendar->calendario->update();
}

void DeadlinePage::showNearest()
{
    fb::ResultSet &list = m_dm.t_sca;
    if (!list.locate(QStringLiteral("data"), {velmora::now().date()}, false))
        list.first();
    for (; !list.eof(); list.next()) {
        if (list.value(QStringLiteral("letto")).toString() == QLatin1String("S"))
            continue;
        Q_EMIT nearestShown(QStringLiteral("Scadenza più vicina: \"") + list.value(QStringLiteral("scadenza")).toString()
                            + QStringLiteral("\" - ") + sql::dateText(list.value(QStringLiteral("data")).toDate())
                            + QStringLiteral("  ") + list.value(QStringLiteral("ora")).toString());
        return;   // the list stays on it
    }
    list.first();
}

void DeadlinePage::focusCalendar()
{
    calendar->calendario->setFocus();
}

void DeadlinePage::refreshLists()
{
    dbg_scad->refresh();
    days->refresh();
    calendar->calendario->update();
}

void DeadlinePage::rereadLists()
{
    m_dm.open(m_dm.t_sca, sql::generalList(m_dm));
    dbg_scad->refresh();
    days->reread();
    m_dm.reopen(m_dm.t_sca_timer);
}

void DeadlinePage::showGeneralRow()
{
    dbg_scad->showCurrentRow();
}

void DeadlinePage::repaintCalendar()
{
    calendar->calendario->update();
}

void DeadlinePage::dayRowClicked()
{
    const fb::ResultSet &day = m_dm.t_sca_gg;
    if (day.rowCount() == 0 || day.eof())
        return;
    if (!m_dm.t_sca.locate(QStringLiteral("id"), {day.value(QStringLiteral("id"))}, false))
        return;
    dbg_scad->showCurrentRow();
    editor->selectRow();
}

} // namespace velmora
