// A second workstation in its own process: sends one message through its
// send window to the person named, then says "sent".
#include "ScriptedDialogs.h"
#include "db/Fdm.h"
#include "messages/Fsms.h"

#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: message_sender <connection> <sender> <addressee> <text>\n");
        return 2;
    }
    const QString sender = QString::fromUtf8(argv[2]);
    velmora::Tdm dm;
    dm.pc = QStringLiteral("10.0.0.99");
    dm.databaseName = QString::fromLocal8Bit(argv[1]);
    velmora::test::ScriptedDialogs dialogs;
    try {
        dm.connect();
        dm.open(dm.t_sms, QStringLiteral("select * from messaggi"));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    velmora::Tfrm_sms window(dm, [sender] { return sender; });
    window.openFromMenu();
    window.cmb_utente->setCurrentIndex(window.cmb_utente->findText(QString::fromUtf8(argv[3])));
    window.memo_sms->setPlainText(QString::fromUtf8(argv[4]));
    dialogs.yes();
    window.BitBtn1->click();
    if (!dialogs.problems().isEmpty() || window.isVisible()) {
        std::fprintf(stderr, "%s\n", qPrintable(dialogs.problems()));
        return 1;
    }
    std::printf("sent\n");
    return 0;
}
