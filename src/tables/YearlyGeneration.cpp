#include "tables/YearlyGeneration.h"

#include "db/Fdm.h"
#include "db/Sql.h"
#include "db/Statements.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

#include <QPlainTextEdit>
#include <QSet>

namespace velmora {

namespace {

const QString registeredTitle = QStringLiteral("SCADENZE NON INSERITE PERCHE' GIA' REGISTRATE:");
const QString failedTitle = QStringLiteral("SCADENZE NON ANDATE A BUON FINE:");

// A deadline's date and time, as the duplicate test compares them.
QString moment(const QDate &date, const QString &time)
{
    return QString::number(date.toJulianDay()) + QLatin1Char('|') + time;
}

// Every entry of a list, each followed by a line break.
QString entries(const QPlainTextEdit &list)
{
    const QString text = list.toPlainText();
    return text.isEmpty() ? text : text + QLatin1Char('\n');
}

} // namespace

YearlyGeneration::YearlyGeneration(Tdm &dm, QPlainTextEdit &failed, QPlainTextEdit &registered)
    : m_dm(dm), m_failed(failed), m_registered(registered)
{
}

bool YearlyGeneration::accepted(const QString &yearText) const
{
    if (m_dm.t_ann.rowCount() == 0) {
        dialogs().warning(QStringLiteral("Nessuna scadenza annuale registrata!"));
        return false;
    }
    bool number = false;
    const int year = yearText.toInt(&number);
    if (yearText.size() != 4 || !number) {
        dialogs().warning(QStringLiteral("Anno di registrazione assente o improprio!"));
        return false;
    }
    if (year < sql::dateText(now().date()).mid(6, 4).toInt()) {
        dialogs().warning(QStringLiteral("L'anno di registrazione non può essere inferiore a quello in corso!"));
        return false;
    }
    return dialogs().question(QStringLiteral("Confermi operazione?"));
}

bool YearlyGeneration::run(const QString &yearText)
{
    if (!accepted(yearText))
        return false;
    // The duplicate test reads every stored deadline of this workstation,
    // whatever a search left in the list.
    m_dm.open(m_dm.t_sca, sql::generalList(m_dm));
    m_dm.sblocca(QStringLiteral("1"));
    m_failed.clear();
    m_registered.clear();
    generate(yearText.toInt());
    // The general list, the day list and the calendar show what was stored.
    m_dm.rereadDeadlines();
    report();
    return true;
}

void YearlyGeneration::generate(int year)
{
    const fb::ResultSet &list = m_dm.t_sca;
    QSet<QString> taken;
    taken.reserve(list.rowCount());
    const int dateColumn = list.columnIndex(QStringLiteral("data"));
    const int timeColumn = list.columnIndex(QStringLiteral("ora"));
    for (int r = 0; r < list.rowCount(); ++r)
        taken.insert(moment(list.value(r, dateColumn).toDate(), list.value(r, timeColumn).toString()));

    const fb::ResultSet &annual = m_dm.t_ann;
    const int day = annual.columnIndex(QStringLiteral("giorno"));
    const int month = annual.columnIndex(QStringLiteral("mese"));
    const int time = annual.columnIndex(QStringLiteral("ora"));
    const int text = annual.columnIndex(QStringLiteral("scadenza"));
    const QDate today = now().date();
    for (int r = 0; r < annual.rowCount(); ++r) {
        const qlonglong d = annual.value(r, day).toLongLong();
        const qlonglong m = annual.value(r, month).toLongLong();
        const QString ora = annual.value(r, time).toString();
        const QString scadenza = annual.value(r, text).toString();
        const QString entry = QString::number(d) + QLatin1Char('/') + QString::number(m) + QStringLiteral("  -  ") + scadenza;
        const QDate date(year, int(m), int(d));
        // A day missing from this year (29 February) or a row without a
        // time cannot make a deadline that would ever be announced.
        if (!date.isValid() || ora.trimmed().isEmpty()) {
            m_failed.appendPlainText(entry);
            continue;
        }
        const QString key = moment(date, ora);
        // Also a moment this run stored already: in a database without the
        // annual table's key two rows may share their day, month and time.
        if (taken.contains(key)) {
            m_registered.appendPlainText(entry);
            continue;
        }
        try {
            m_dm.run(QStringLiteral("INSERT INTO scadenze(scadenza,data,ora,letto,pc) VALUES('") + testo_sql(scadenza)
                     + QStringLiteral("', ") + data_sql(sql::dateText(date)) + QStringLiteral(", '") + testo_sql(ora)
                     + QStringLiteral("', '") + (date <= today ? QStringLiteral("S") : QString())
                     + QStringLiteral("', 'tutti')"));
            taken.insert(key);
        } catch (const std::exception &) {
            m_failed.appendPlainText(entry);
        }
    }
}

void YearlyGeneration::report()
{
    const bool failed = !m_failed.toPlainText().isEmpty();
    const bool registered = !m_registered.toPlainText().isEmpty();
    if (failed && registered) {
        dialogs().information(registeredTitle + QLatin1Char('\n') + entries(m_registered) + QStringLiteral("\n\n")
                              + failedTitle + entries(m_failed));
        return;
    }
    if (failed)
        dialogs().information(failedTitle + QLatin1Char('\n') + entries(m_failed));
    if (registered)
        dialogs().information(registeredTitle + QLatin1Char('\n') + entries(m_registered));
    dialogs().information(QStringLiteral("Operazione effettuata!"));
}

} // namespace velmora
