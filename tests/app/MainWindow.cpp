#include "MainWindow.h"

#include "db/Upgrade.h"
#include "support/TempDatabase.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>

namespace velmora::test {

MainWindow::MainWindow(const QByteArray &connectionFile, const QString &key)
{
    root.writeConnectionFile(connectionFile);
    dm.pc = key;
    frm.emplace();
    frm->setDataModule(&dm);
    sms.emplace(dm, [this] { return frm->workstationUser(); });
    frm->setMessageWindow(&*sms);
}

QAction *MainWindow::entry(const char *name) const
{
    return frm->pop_menu->findChild<QAction *>(QLatin1String(name));
}

void MainWindow::trigger(const char *name) const
{
    entry(name)->trigger();
}

QStringList MainWindow::visibleTabs() const
{
    QStringList names;
    for (int i = 0; i < frm->pgc_menu->count(); ++i)
        if (frm->pgc_menu->isTabVisible(i))
            names << frm->pgc_menu->widget(i)->objectName();
    return names;
}

void MainWindow::connectTo(const TempDatabase &db)
{
    dm.databaseName = db.file();
    dm.connect();
    upgradeOnConnect(dm);
}

QByteArray connectionTo(const TempDatabase &db)
{
    return (db.file() + QLatin1Char('\n')).toUtf8();
}

} // namespace velmora::test
