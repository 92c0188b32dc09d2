#include "institution/PrintedLists.h"

#include "db/Fdm.h"
#include "db/Statements.h"
#include "db/Texts.h"
#include "institution/InstitutionHeader.h"
#include "institution/ListLayouts.h"
#include "institution/ResultSetSource.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "report/Print.h"
#include "report/Report.h"

#include <QScopeGuard>

namespace velmora {

namespace {

using List = PrintedLists::List;

const QStringList monthNames{"GENNAIO", "FEBBRAIO", "MARZO",     "APRILE",  "MAGGIO",   "GIUGNO",
                             "LUGLIO",  "AGOSTO",   "SETTEMBRE", "OTTOBRE", "NOVEMBRE", "DICEMBRE"};

// The month's name for 1 to 12; empty for anything else.
void monthName(const report::DataSource &rows, int row, report::Values &values)
{
    bool ok = false;
    const int month = rows.text(row, QStringLiteral("mese")).toInt(&ok);
    values[lists::monthCell] = ok && month >= 1 && month <= 12 ? monthNames[month - 1] : QString();
}

// "SI" only for a deadline marked seen; null and empty are "NO".
void seenMark(const report::DataSource &rows, int row, report::Values &values)
{
    values[lists::seenCell] =
        rows.text(row, QStringLiteral("letto")) == QLatin1String("S") ? QStringLiteral("SI") : QStringLiteral("NO");
}

// What sets each list apart.
struct Facts {
    fb::ResultSet Tdm::*set;
    QString (*statement)(const Tdm &dm);
    const char *empty;
    report::Layout (*layout)();
    const QString &headerKey;
    void (*computed)(const report::DataSource &rows, int row, report::Values &values);
};

const Facts &facts(List list)
{
    static const std::array<Facts, 3> all{{
        {&Tdm::t_sca, &sql::generalList, "Non ci sono scadenze in archivio!", &lists::deadlineLayout,
         lists::deadlineHeader, &seenMark},
        {&Tdm::t_fes, [](const Tdm &) { return sql::holidays(); }, "Non ci sono festività in archivio!",
         &lists::holidayLayout, lists::holidayHeader, &monthName},
        {&Tdm::t_ann, [](const Tdm &) { return sql::annualDeadlines(); }, "Non ci sono scadenze annuali in archivio!",
         &lists::annualLayout, lists::annualHeader, &monthName},
    }};
    return all[static_cast<std::size_t>(list)];
}

void notConnected(const Error &e)
{
    dialogs().warning(notConnectedWarning(e.text()));
}

} // namespace

PrintedLists::PrintedLists(Tdm &dm, QObject *parent) : QObject(parent), m_dm(dm) {}

bool PrintedLists::previewOpen(List list) const
{
    return m_open[static_cast<std::size_t>(list)];
}

void PrintedLists::print(List list)
{
    const Facts &f = facts(list);
    const fb::ResultSet &set = m_dm.*f.set;
    if (set.rowCount() == 0) {
        dialogs().warning(QString::fromUtf8(f.empty));
        return;
    }
    // The preview is not modal: a second one of the same list would only
    // stand in front of the first. The open one comes forward instead.
    if (previewOpen(list)) {
        report::preview().raise(f.layout().title);
        return;
    }
    const ResultSetSource rows(set);
    report::Report report(f.layout(), rows);
    report.beforeGenerate = [this, &f](report::Values &values) { values[f.headerKey] = institutionHeader(m_dm); };
    report.beforeDetail = [&rows, &f](int row, report::Values &values) { f.computed(rows, row, values); };
    // The rows are taken whole here: the set may be read anew while the preview is open.
    try {
        report.generate();
    } catch (const Error &e) {
        notConnected(e);
        return;
    }
    bool &open = m_open[static_cast<std::size_t>(list)];
    open = true;
    const auto closed = qScopeGuard([&open] { open = false; });
    report::preview().show(report);
}

void PrintedLists::printReloaded(List list)
{
    const Facts &f = facts(list);
    try {
        const auto shown = qScopeGuard([this, list] { Q_EMIT reloaded(list); });
        m_dm.open(m_dm.*f.set, f.statement(m_dm));
    } catch (const Error &e) {
        notConnected(e);
        return;
    }
    if (!previewOpen(list))
        print(list);
}

} // namespace velmora
