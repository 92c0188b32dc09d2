#pragma once

#include "ScriptedDialogs.h"
#include "SettableClock.h"
#include "TempDatabase.h"
#include "db/Statements.h"
#include "db/Upgrade.h"
#include "deadlines/CalendarPanel.h"
#include "deadlines/DayList.h"
#include "deadlines/DeadlineEditor.h"
#include "deadlines/DeadlinePage.h"
#include "deadlines/SearchPanel.h"
#include "widgets/DataGrid.h"
#include "widgets/MaskedDateEdit.h"
#include "widgets/MaskedTimeEdit.h"
#include "widgets/MonthCalendar.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace velmora::test {

inline const QString thisPc = QStringLiteral("10.0.0.1");
inline const QString otherPc = QStringLiteral("10.0.0.2");

// One workstation's deadline page on a database, as the connection leaves
// it and "Gestione scadenze" opens it, with the clock standing still.
struct Workstation {
    std::unique_ptr<Tdm> dm;
    std::unique_ptr<DeadlinePage> page;

    Workstation(const TempDatabase &db, const QString &key)
        : dm(db.connect(key)), page(std::make_unique<DeadlinePage>(*dm))
    {
        upgradeOnConnect(*dm);
        upgradeAfterConnect(*dm);
        dm->open(dm->t_sca_timer, sql::generalList(*dm));
        dm->open(dm->t_pc, sql::users());
        dm->t_pc.close();
    }

    // The showing of the main window and "Gestione scadenze".
    void show()
    {
        page->presetFields();
        page->loadChoices();
        QVERIFY(page->open());
    }

    DeadlineEditor &editor() const { return *page->editor; }

    void fill(const QString &text, const QString &date, const QString &hour, const QString &minute,
              const QString &address = {})
    {
        DeadlineEditor &e = editor();
        e.edt_scad->setText(text);
        e.mke_data_scad->setText(date);
        e.edt_ora->setText(hour);
        e.edt_min->setText(minute);
        e.edt_mail_dest->setEditText(address);
    }

    void chooseUser(const QString &name)
    {
        QComboBox *c = editor().cmb_utente_scad;
        const int i = c->findText(name);
        QVERIFY2(i >= 0, qPrintable(name));
        c->setCurrentIndex(i);
        Q_EMIT c->activated(i);
    }

    static void click(QPushButton *b) { QTest::mouseClick(b, Qt::LeftButton); }
};

// 10 December 2026, 10.30 and 20 seconds.
inline QDateTime standingNow()
{
    return QDateTime(QDate(2026, 12, 10), QTime(10, 30, 20));
}

// The deadline texts a list holds, in its order.
inline QStringList texts(const fb::ResultSet &list)
{
    QStringList out;
    const int column = list.columnIndex(QStringLiteral("scadenza"));
    for (int r = 0; r < list.rowCount(); ++r)
        out << list.value(r, column).toString();
    return out;
}

// Rows of scadenze as "scadenza|dd/mm/yyyy|ora|pc|mail|letto", by id.
inline QStringList deadlineRows(const TempDatabase &db)
{
    const auto dm = db.connect(QStringLiteral("reader"));
    dm->open(dm->t_sca, QStringLiteral("select scadenza, data, ora, pc, mail, letto from scadenze order by id"));
    QStringList out;
    for (int r = 0; r < dm->t_sca.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < dm->t_sca.columnCount(); ++c) {
            const QVariant v = dm->t_sca.value(r, c);
            cells << (v.isNull() ? QStringLiteral("<null>")
                      : v.typeId() == QMetaType::QDate ? sql::dateText(v.toDate()) : v.toString());
        }
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

inline void completeSettings(const TempDatabase &db)
{
    db.exec({QStringLiteral("UPDATE parametri SET smtp='smtp.scuola.example', porta_smtp='25', user_name='segreteria',"
                            " pw='x', mail_mitt='segreteria@scuola.example', nome_mitt='Segreteria'")});
}

} // namespace velmora::test
