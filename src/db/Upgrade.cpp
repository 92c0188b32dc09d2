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
    return ran;
}

QStringList upgradeAfterConnect(Tdm &dm)
{
    QStringList ran;
    dm.open(dm.t_ann, QStringLiteral("select * from annuali"));
    if (dm.t_ann.columnCount() < 5)
        apply(dm, dm.t_ann,
              QStringLiteral("ALTER TABLE ANNUALI ADD ORA CHAR(5), "
                             "ALTER COLUMN SCADENZA TYPE VARCHAR(250)"),
              ran);

    dm.open(dm.t_sca, QStringLiteral("select * from scadenze"));
    if (dm.t_sca.declaredWidth(QStringLiteral("SCADENZA")) < 250)
        apply(dm, dm.t_sca, QStringLiteral("ALTER TABLE SCADENZE ALTER COLUMN SCADENZA TYPE VARCHAR(250)"), ran);
    return ran;
}

} // namespace velmora
