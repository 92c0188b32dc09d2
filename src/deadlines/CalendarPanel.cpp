#include "deadlines/CalendarPanel.h"

#include "db/Fdm.h"
#include "db/Statements.h"
#include "deadlines/DayList.h"
#include "platform/Clock.h"
#include "platform/ErrorReport.h"
#include "widgets/FieldLabel.h"
#include "widgets/MonthCalendar.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>

namespace velmora {

namespace {

const QColor deadlineBlue(0xB7, 0xDB, 0xFF);
const QColor holidayRed(0xFF, 0x00, 0x00);

QLabel *label(const QString &text, QWidget *parent, const char *name = nullptr)
{
    auto *l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

CalendarPanel::CalendarPanel(Tdm &dm, DayList &days, QWidget *parent)
    : QWidget(parent), m_dm(dm), m_days(days)
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);
    Panel1->setStyleSheet(QStringLiteral("QWidget#Panel1 { background: #75BAFF; }"));
    cmb_mese = new QComboBox(Panel1);
    cmb_mese->setObjectName(QStringLiteral("cmb_mese"));
    cmb_mese->addItems({QStringLiteral("Gennaio"), QStringLiteral("Febbraio"), QStringLiteral("Marzo"),
                        QStringLiteral("Aprile"), QStringLiteral("Maggio"), QStringLiteral("Giugno"),
                        QStringLiteral("Luglio"), QStringLiteral("Agosto"), QStringLiteral("Settembre"),
                        QStringLiteral("Ottobre"), QStringLiteral("Novembre"), QStringLiteral("Dicembre")});
    cmb_mese->setMaxVisibleItems(12);
    edt_anno = new QSpinBox(Panel1);
    edt_anno->setObjectName(QStringLiteral("edt_anno"));
    // The field has no bounds of its own: the calendar refuses what it cannot show.
    edt_anno->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    // A year is taken once typed, not at each of its digits.
    edt_anno->setKeyboardTracking(false);
    SpeedButton1 = new QToolButton(Panel1);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("Vai ad oggi"));
    lbl_oggi = label(QStringLiteral("..."), Panel1, "lbl_oggi");
    lbl_oggi->setAlignment(Qt::AlignCenter);
    lbl_oggi->setStyleSheet(QStringLiteral("color: blue; font-weight: bold;"));

    auto *top = new QGridLayout(Panel1);
    top->setContentsMargins(6, 4, 6, 4);
    top->addWidget(fieldLabel(QStringLiteral("MESE"), cmb_mese), 0, 0);
    top->addWidget(cmb_mese, 0, 1);
    top->addWidget(fieldLabel(QStringLiteral("ANNO"), edt_anno), 0, 2);
    top->addWidget(edt_anno, 0, 3);
    top->addWidget(SpeedButton1, 0, 4);
    top->addWidget(lbl_oggi, 1, 0, 1, 5);

    pnl_festa = label(QString(), this, "pnl_festa");
    pnl_festa->setAutoFillBackground(true);
    pnl_festa->setAlignment(Qt::AlignCenter);
    pnl_festa->setMinimumHeight(20);
    pnl_festa->setStyleSheet(QStringLiteral("QLabel#pnl_festa { background: #D2E9FF; color: red; font-weight: bold; }"));

    calendario = new MonthCalendar(this);
    calendario->setObjectName(QStringLiteral("calendario"));
    calendario->setAccessibleName(QStringLiteral("Calendario"));

    GroupBox6 = new QGroupBox(QStringLiteral("LEGENDA"), this);
    GroupBox6->setObjectName(QStringLiteral("GroupBox6"));
    auto *swatch = label(QString(), GroupBox6);
    swatch->setFixedSize(18, 14);
    swatch->setStyleSheet(QStringLiteral("background: #B7DBFF; border: 1px solid gray;"));
    auto *red = label(QStringLiteral("Giorni in rosso:"), GroupBox6);
    red->setStyleSheet(QStringLiteral("color: red;"));
    auto *legend = new QGridLayout(GroupBox6);
    legend->setContentsMargins(6, 2, 6, 2);
    legend->addWidget(swatch, 0, 0);
    legend->addWidget(label(QStringLiteral("Giorni  con  scadenze  attive"), GroupBox6), 0, 1);
    legend->addWidget(red, 0, 2);
    legend->addWidget(label(QStringLiteral("Festività registrate"), GroupBox6), 0, 3);
    legend->setColumnStretch(1, 1);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);
    column->addWidget(Panel1);
    column->addWidget(pnl_festa);
    column->addWidget(calendario);
    column->addWidget(GroupBox6);

    calendario->setCellPainter([this](int col, int row, const QString &text, MonthCalendar::CellStyle &style) {
        if (col == 0 && row == 0)
            findMarks();   // the first cell of every repaint: one pass over each list
        const int day = row > 0 ? text.toInt() : 0;
        if (day <= 0)
            return;
        if (m_deadlineDays.test(static_cast<std::size_t>(day)))
            style.background = deadlineBlue;
        if (m_holidays.test(static_cast<std::size_t>(day))) {
            style.font.setBold(true);
            style.text = holidayRed;
        }
    });
    connect(cmb_mese, &QComboBox::activated, this, guardedSlot(this, &CalendarPanel::monthChosen));
    connect(edt_anno, &QSpinBox::valueChanged, this, guardedSlot(this, &CalendarPanel::yearChanged));
    connect(calendario, &MonthCalendar::dateChanged, this, guardedSlot(this, &CalendarPanel::dateChanged));
    connect(calendario, &MonthCalendar::doubleClicked, this, [this] { Q_EMIT dayPicked(calendario->date()); });
    connect(SpeedButton1, &QToolButton::clicked, this, guardedSlot(this, &CalendarPanel::goToToday));
}

QString CalendarPanel::longDate(const QDate &day)
{
    return QLocale(QLocale::Italian).toString(day, QStringLiteral("dddd  d  MMMM  yyyy"));
}

void CalendarPanel::findMarks()
{
    m_deadlineDays.reset();
    m_holidays.reset();
    const int month = cmb_mese->currentIndex() + 1;
    const QString year = edt_anno->text();
    const fb::ResultSet &deadlines = m_dm.t_sca_timer;
    const int dateColumn = deadlines.columnIndex(QStringLiteral("data"));
    if (dateColumn >= 0) {
        for (int r = 0; r < deadlines.rowCount(); ++r) {
            const QDate d = deadlines.value(r, dateColumn).toDate();
            if (d.isValid() && d.month() == month && sql::dateText(d).mid(6, 4) == year)
                m_deadlineDays.set(static_cast<std::size_t>(d.day()));
        }
    }
    const fb::ResultSet &holidays = m_dm.t_fes;
    const int dayColumn = holidays.columnIndex(QStringLiteral("giorno"));
    const int monthColumn = holidays.columnIndex(QStringLiteral("mese"));
    if (dayColumn >= 0 && monthColumn >= 0) {
        for (int r = 0; r < holidays.rowCount(); ++r) {
            const qlonglong day = holidays.value(r, dayColumn).toLongLong();
            if (holidays.value(r, monthColumn).toLongLong() == month && day >= 1 && day <= 31)
                m_holidays.set(static_cast<std::size_t>(day));
        }
    }
}

void CalendarPanel::followCalendar()
{
    const QSignalBlocker blockMonth(cmb_mese);
    const QSignalBlocker blockYear(edt_anno);
    cmb_mese->setCurrentIndex(calendario->month() - 1);
    edt_anno->setValue(calendario->year());
    calendario->update();
}

void CalendarPanel::monthChosen(int index)
{
    try {
        calendario->setMonth(index + 1);
    } catch (...) {
        followCalendar();
        throw;
    }
    calendario->update();
}

void CalendarPanel::yearChanged(int year)
{
    if (edt_anno->text().isEmpty())
        return;
    try {
        calendario->setYear(year);
    } catch (...) {
        followCalendar();
        throw;
    }
    calendario->update();
}

void CalendarPanel::dateChanged(const QDate &day)
{
    lbl_oggi->setText(longDate(day));
    m_days.setCaption(day);
    const bool holiday = m_dm.t_fes.isOpen()
                         && m_dm.t_fes.locate(QStringLiteral("giorno;mese"), {qlonglong(day.day()), qlonglong(day.month())}, false);
    pnl_festa->setText(holiday ? m_dm.t_fes.value(QStringLiteral("festa")).toString() : QString());
    m_days.showDay(day);
}

void CalendarPanel::showYear(int year)
{
    edt_anno->setValue(year);
    const QSignalBlocker block(cmb_mese);
    cmb_mese->setCurrentIndex(calendario->month() - 1);
}

void CalendarPanel::goToToday()
{
    // The whole date at once: moving the year alone from 29 February to a
    // common year would name a day that does not exist.
    calendario->setFocus();
    calendario->setDate(velmora::now().date());
    followCalendar();
}

} // namespace velmora
