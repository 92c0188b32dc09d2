#include "db/Upgrade.h"

#include "db/Fdm.h"
#include "fb/Error.h"

namespace velmora {

namespace {

// Closes the set that found the need, then runs and commits the statement.
void apply(Tdm &dm, fb::ResultSet &detector, const QString &sql, QStringList &ran)
{
    detector.close();
    dm.run(sql);
    ran << sql;
}

// Statements that only work together, run in one transaction: all of them
// or none, so that a failure leaves the step to be detected again.
void applyTogether(Tdm &dm, fb::ResultSet &detector, const QStringList &statements, QStringList &ran)
{
    detector.close();
    dm.tr_query.start();
    for (const QString &sql : statements) {
        dm.query.setText(sql);
        dm.query.execute();
    }
    dm.tr_query.commit();
    ran << statements;
}

bool anyNull(const fb::ResultSet &set, int column)
{
    for (int row = 0; row < set.rowCount(); ++row)
        if (set.isNull(row, column))
            return true;
    return false;
}

// A key for each message, so that the one shown is the one removed. Firebird
// cannot add an identity column to a table that has rows: a sequence and a
// trigger give the key, also to the rows that older copies of the program
// still insert with their three columns.
void keyMessages(Tdm &dm, QStringList &ran)
{
    dm.open(dm.t_sms, QStringLiteral("select * from messaggi"));
    if (dm.t_sms.columnIndex(QStringLiteral("ID")) < 0) {
        applyTogether(dm, dm.t_sms,
                      {QStringLiteral("CREATE SEQUENCE GEN_MESSAGGI_ID"),
                       QStringLiteral("ALTER TABLE MESSAGGI ADD ID INTEGER"),
                       QStringLiteral("CREATE TRIGGER MESSAGGI_BI FOR MESSAGGI ACTIVE BEFORE INSERT POSITION 0 AS "
                                      "BEGIN IF (NEW.ID IS NULL) THEN NEW.ID = NEXT VALUE FOR GEN_MESSAGGI_ID; END")},
                      ran);
        dm.open(dm.t_sms, QStringLiteral("select * from messaggi"));
    }
    // Also when numbering the rows already there failed on an earlier start.
    if (anyNull(dm.t_sms, dm.t_sms.columnIndex(QStringLiteral("ID"))))
        apply(dm, dm.t_sms, QStringLiteral("UPDATE MESSAGGI SET ID = NEXT VALUE FOR GEN_MESSAGGI_ID WHERE ID IS NULL"),
              ran);
    dm.t_sms.close();
}

// The key that keeps one deadline per date, time and workstation, which
// stops two workstations generating the same year at the same moment from
// storing it twice. Older databases lack it. The database itself refuses
// it while rows break it: those rows stay, and so does the database,
// without the key as before; the next connection tries again.
void keyDeadlines(Tdm &dm, QStringList &ran)
{
    const QString sameKey = QStringLiteral(
        "select count(*) from rdb$indices i where i.rdb$relation_name = 'SCADENZE' and i.rdb$unique_flag = 1"
        " and (select count(*) from rdb$index_segments s where s.rdb$index_name = i.rdb$index_name) = 3"
        " and (select count(*) from rdb$index_segments s where s.rdb$index_name = i.rdb$index_name"
        " and trim(s.rdb$field_name) in ('DATA', 'ORA', 'PC')) = 3");
    const QString add = QStringLiteral("ALTER TABLE SCADENZE ADD CONSTRAINT UQ_SCADENZE UNIQUE (DATA, ORA, PC)");
    try {
        // In a set of its own: the pages' lists keep their statements.
        fb::ResultSet keys;
        dm.open(keys, sameKey);
        if (keys.value(0, 0).toLongLong() > 0)
            return;
        dm.run(add);
        ran << add;
    } catch (const NotConnected &) {
        throw;
    } catch (const fb::Error &) {
        // Rows breaking the key, its name taken, the table in use. Refused
        // at the commit, the change must be undone here: the next commit
        // would try it again and fail.
        if (dm.tr_query.active())
            dm.tr_query.rollback();
    }
}

} // namespace

QStringList upgradeOnConnect(Tdm &dm)
{
    QStringList ran;
    try {
        dm.open(dm.t_par, QStringLiteral("select * from parametri"));
    } catch (const fb::Error &) {
        apply(dm, dm.t_par,
              QStringLiteral("CREATE TABLE PARAMETRI (SMTP VARCHAR(50), PORTA_SMTP CHAR(5), "
                             "USER_NAME VARCHAR(50), PW VARCHAR(20), MAIL_MITT VARCHAR(50), "
                             "NOME_MITT VARCHAR(100), IND_MAIL VARCHAR(1000));"),
              ran);
        apply(dm, dm.t_par, QStringLiteral("INSERT INTO parametri(porta_smtp) VALUES('25')"), ran);
    }

    dm.open(dm.t_sca, QStringLiteral("select * from scadenze ROWS 1 to 1"));
    if (dm.t_sca.columnCount() <= 6)
        apply(dm, dm.t_sca, QStringLiteral("ALTER TABLE SCADENZE ADD MAIL VARCHAR(50)"), ran);

    dm.open(dm.t_par, QStringLiteral("select * from parametri"));
    if (dm.t_par.columnCount() <= 7)
        apply(dm, dm.t_par,
              QStringLiteral("ALTER TABLE PARAMETRI ADD OGGETTO VARCHAR(150), "
                             "ADD MSG_INIZIO VARCHAR(1000), ADD MSG_FINE VARCHAR(1000)"),
              ran);

    keyMessages(dm, ran);
    return ran;
}

QStringList upgradeAfterConnect(Tdm &dm)
{
    QStringList ran;
    // Read in sets of their own: this runs after the page on screen was
    // filled, and its lists keep what they show.
    fb::ResultSet annual;
    dm.open(annual, QStringLiteral("select * from annuali ROWS 1 TO 1"));
    if (annual.columnCount() < 5)
        apply(dm, annual,
              QStringLiteral("ALTER TABLE ANNUALI ADD ORA CHAR(5), "
                             "ALTER COLUMN SCADENZA TYPE VARCHAR(250)"),
              ran);

    fb::ResultSet deadlines;
    dm.open(deadlines, QStringLiteral("select * from scadenze ROWS 1 TO 1"));
    if (deadlines.declaredWidth(QStringLiteral("SCADENZA")) < 250)
        apply(dm, deadlines, QStringLiteral("ALTER TABLE SCADENZE ALTER COLUMN SCADENZA TYPE VARCHAR(250)"), ran);
    keyDeadlines(dm, ran);
    return ran;
}

} // namespace velmora
