#pragma once

#include "TempRoot.h"
#include "app/Fmenu.h"
#include "db/Fdm.h"
#include "messages/Fsms.h"
#include "support/ScriptedDialogs.h"

#include <QByteArray>
#include <QStringList>

#include <optional>

class QAction;

namespace velmora::test {

class TempDatabase;

// One workstation's main window as start-up makes it: a drive root of its
// own whose connection file holds the text given, the data module with its
// key, and the send window. Nothing is connected until the test says so.
struct MainWindow {
    explicit MainWindow(const QByteArray &connectionFile, const QString &key = QStringLiteral("10.0.0.7"));

    QAction *entry(const char *name) const;
    void trigger(const char *name) const;
    // The names of the pages whose tabs show.
    QStringList visibleTabs() const;
    // Connected straight to db, as the connection step leaves it.
    void connectTo(const TempDatabase &db);

    TempRoot root;
    ScriptedDialogs dialogs;
    Tdm dm;
    std::optional<Tfrm_menu> frm;
    std::optional<Tfrm_sms> sms;
};

// The connection file's line for db's file, opened by the embedded engine.
QByteArray connectionTo(const TempDatabase &db);

} // namespace velmora::test
