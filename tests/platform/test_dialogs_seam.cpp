#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/ErrorReport.h"
#include "ScriptedDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace velmora;
using test::ScriptedDialogs;

namespace {

// Acts on the next modal dialog of type W as soon as it shows, so that a test
// can answer a real box. Only observes and closes: a failed check inside would
// leave the box open and the test hanging.
template <class W>
class WhenShown {
public:
    explicit WhenShown(std::function<void(W *)> act)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this, act] {
            if (auto *dialog = qobject_cast<W *>(QApplication::activeModalWidget())) {
                m_timer.stop();
                act(dialog);
            }
        });
        m_timer.start();
    }

private:
    QTimer m_timer;
};

void fail(int what, const QString &text)
{
    if (what == 0)
        throw Error(text);
    if (what == 1)
        throw std::runtime_error(text.toStdString());
    throw 42;
}

struct Thrower {
    void fail(const QString &text) { throw Error(text); }
};

// Shows the box of the given kind through the seam; the answer as text.
QString show(const QString &kind)
{
    Dialogs &d = dialogs();
    if (kind == "question")
        return d.question(QStringLiteral("Domanda?")) ? QStringLiteral("yes") : QStringLiteral("no");
    if (kind == "warning")
        d.warning(QStringLiteral("Attenzione"));
    else if (kind == "information")
        d.information(QStringLiteral("Informazione"));
    else if (kind == "error")
        d.error(QStringLiteral("Errore"));
    else if (kind == "plain")
        d.plain(QStringLiteral("Messaggio"));
    else if (kind == "input")
        return d.input(QStringLiteral("Titolo"), QStringLiteral("Nome"), {}).value_or("<none>");
    else if (kind == "openFile")
        return d.openFile(QStringLiteral("Apri"), QStringLiteral("/tmp"), QStringLiteral("*.fbk"));
    return {};
}

void queue(ScriptedDialogs &d, const QString &answer)
{
    if (answer == "yes")
        d.yes();
    else if (answer == "no")
        d.no();
    else if (answer == "ok")
        d.ok();
    else if (answer == "input")
        d.input(QStringLiteral("testo"));
    else if (answer == "cancel")
        d.cancel();
    else if (answer == "file")
        d.file(QStringLiteral("/tmp/copia.fbk"));
}

} // namespace

class TestDialogsSeam : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answersAndLog();
    void unexpectedBox_data();
    void unexpectedBox();
    void unusedAnswers();
    void installedWhileAlive();
    void guardedReportsError_data();
    void guardedReportsError();
    void guardedSlotThroughConnect();

    void qtQuestion_data();
    void qtQuestion();
    void qtOkBoxes_data();
    void qtOkBoxes();
    void qtInput_data();
    void qtInput();
    void qtOpenFile();
};

void TestDialogsSeam::answersAndLog()
{
    ScriptedDialogs d;
    d.yes().no().ok().ok().ok().ok().input(QStringLiteral("Rossi")).cancel();
    d.file(QStringLiteral("/tmp/copia.fbk")).cancel();

    QCOMPARE(dialogs().question(QStringLiteral("Confermi ATTIVAZIONE?")), true);
    QCOMPARE(dialogs().question(QStringLiteral("Confermi DISATTIVAZIONE?")), false);
    dialogs().warning(QStringLiteral("Non connesso"));
    dialogs().information(QStringLiteral("IP:  10.0.0.7"));
    dialogs().error(QStringLiteral("Errore già segnalato"));
    dialogs().plain(QStringLiteral("Record bloccato da un altro utente!"));
    QCOMPARE(dialogs().input(QStringLiteral("Utente"), QStringLiteral("Nome:"), QStringLiteral("x")),
             std::optional<QString>(QStringLiteral("Rossi")));
    QCOMPARE(dialogs().input(QStringLiteral("Utente"), QStringLiteral("Nome:"), {}), std::nullopt);
    QCOMPARE(dialogs().openFile(QStringLiteral("Ripristino"), QStringLiteral("/srv"), QStringLiteral("*.fbk")),
             QStringLiteral("/tmp/copia.fbk"));
    QCOMPARE(dialogs().openFile(QStringLiteral("Ripristino"), QStringLiteral("/srv"), QStringLiteral("*.fbk")),
             QString());

    QCOMPARE(d.texts(), QStringList({"question: Confermi ATTIVAZIONE?",
                                     "question: Confermi DISATTIVAZIONE?",
                                     "warning: Non connesso",
                                     "information: IP:  10.0.0.7",
                                     "error: Errore già segnalato",
                                     "plain: Record bloccato da un altro utente!",
                                     "input: Utente\nNome:",
                                     "input: Utente\nNome:",
                                     "openFile: Ripristino",
                                     "openFile: Ripristino"}));
    QCOMPARE(d.shown().at(6), (ScriptedDialogs::Box{"input", "Utente\nNome:", "x"}));
    QCOMPARE(d.shown().at(8), (ScriptedDialogs::Box{"openFile", "Ripristino", "/srv\n*.fbk"}));
    QCOMPARE(d.pending(), 0);
    QVERIFY(d.unexpected().isEmpty());
    QCOMPARE(d.problems(), QString());
    VERIFY_DIALOGS_DONE(d);
}

void TestDialogsSeam::unexpectedBox_data()
{
    QTest::addColumn<QString>("answer"); // queued before the box; empty: none
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("result"); // what the box returns to the program

    QTest::newRow("question, empty queue") << "" << "question" << "no";
    QTest::newRow("question answered ok") << "ok" << "question" << "no";
    QTest::newRow("question answered with input") << "input" << "question" << "no";
    QTest::newRow("warning, empty queue") << "" << "warning" << "";
    QTest::newRow("warning answered yes") << "yes" << "warning" << "";
    QTest::newRow("error, empty queue") << "" << "error" << "";
    QTest::newRow("information answered cancel") << "cancel" << "information" << "";
    QTest::newRow("plain answered no") << "no" << "plain" << "";
    QTest::newRow("input, empty queue") << "" << "input" << "<none>";
    QTest::newRow("input answered with a file") << "file" << "input" << "<none>";
    QTest::newRow("input answered yes") << "yes" << "input" << "<none>";
    QTest::newRow("openFile, empty queue") << "" << "openFile" << "";
    QTest::newRow("openFile answered with input") << "input" << "openFile" << "";
    QTest::newRow("openFile answered ok") << "ok" << "openFile" << "";
}

void TestDialogsSeam::unexpectedBox()
{
    QFETCH(QString, answer);
    QFETCH(QString, kind);
    QFETCH(QString, result);

    ScriptedDialogs d;
    queue(d, answer);
    QCOMPARE(show(kind), result);

    QCOMPARE(d.shown().size(), 1);
    QCOMPARE(d.shown().first().kind, kind);
    QCOMPARE(d.unexpected().size(), 1);
    QVERIFY2(d.unexpected().first().contains(d.texts().first()), qPrintable(d.unexpected().first()));
    QCOMPARE(d.pending(), 0); // a misfit answer is used up
    QVERIFY(d.problems().contains(d.unexpected().first()));
}

void TestDialogsSeam::unusedAnswers()
{
    ScriptedDialogs d;
    d.yes().input(QStringLiteral("Bianchi")).ok();
    QVERIFY(dialogs().question(QStringLiteral("Prosegui?")));
    QCOMPARE(d.pending(), 2);
    QVERIFY(d.unexpected().isEmpty());
    const QString problems = d.problems();
    QVERIFY2(problems.contains("answer not used: input(\"Bianchi\")"), qPrintable(problems));
    QVERIFY2(problems.contains("answer not used: ok()"), qPrintable(problems));
    QVERIFY2(problems.contains("question: Prosegui?"), qPrintable(problems));
    dialogs().input(QStringLiteral("T"), QStringLiteral("P"), {});
    dialogs().plain(QStringLiteral("Fatto"));
    VERIFY_DIALOGS_DONE(d);
}

void TestDialogsSeam::installedWhileAlive()
{
    const Dialogs *qtBoxes = &dialogs();
    {
        ScriptedDialogs d;
        QCOMPARE(&dialogs(), static_cast<Dialogs *>(&d));
    }
    QCOMPARE(&dialogs(), qtBoxes);
}

void TestDialogsSeam::guardedReportsError_data()
{
    QTest::addColumn<int>("what");
    QTest::addColumn<QString>("text");
    QTest::newRow("program error") << 0 << "Impossibile aprire l'archivio «Velmora.FDB»: è già in uso";
    QTest::newRow("standard exception") << 1 << "disco pieno";
    QTest::newRow("anything else") << 2 << "Errore sconosciuto";
}

void TestDialogsSeam::guardedReportsError()
{
    QFETCH(int, what);
    QFETCH(QString, text);

    ScriptedDialogs d;
    d.ok();
    bool ranPastThrow = false;
    guarded([&] {
        fail(what, text);
        ranPastThrow = true;
    });
    QVERIFY(!ranPastThrow);
    QCOMPARE(d.shown(), QList<ScriptedDialogs::Box>({{"error", text, {}}}));
    VERIFY_DIALOGS_DONE(d);
}

void TestDialogsSeam::guardedSlotThroughConnect()
{
    ScriptedDialogs d;
    d.ok();
    Thrower thrower;
    QObject sender;
    QObject::connect(&sender, &QObject::objectNameChanged, &sender,
                     guardedSlot(&thrower, &Thrower::fail));
    sender.setObjectName(QStringLiteral("Scadenza non trovata"));
    QCOMPARE(d.texts(), QStringList({"error: Scadenza non trovata"}));
    VERIFY_DIALOGS_DONE(d);
}

void TestDialogsSeam::qtQuestion_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("expected");
    QTest::newRow("yes") << int(QMessageBox::Yes) << true;
    QTest::newRow("no") << int(QMessageBox::No) << false;
}

void TestDialogsSeam::qtQuestion()
{
    QFETCH(int, button);
    QFETCH(bool, expected);

    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    WhenShown<QMessageBox> answer([&](QMessageBox *box) {
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->standardButtons();
        if (QAbstractButton *b = box->button(QMessageBox::StandardButton(button)))
            b->click();
        else
            box->done(0);
    });
    QCOMPARE(dialogs().question(QStringLiteral("Confermi <b>ATTIVAZIONE</b>?")), expected);
    QCOMPARE(title, QStringLiteral("Velmora"));
    QCOMPARE(text, QStringLiteral("Confermi <b>ATTIVAZIONE</b>?"));
    QCOMPARE(icon, QMessageBox::Question);
    QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No);
}

void TestDialogsSeam::qtOkBoxes_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("icon");
    QTest::newRow("warning") << "warning" << int(QMessageBox::Warning);
    QTest::newRow("information") << "information" << int(QMessageBox::Information);
    QTest::newRow("error") << "error" << int(QMessageBox::Critical);
    QTest::newRow("plain") << "plain" << int(QMessageBox::NoIcon);
}

void TestDialogsSeam::qtOkBoxes()
{
    QFETCH(QString, kind);
    QFETCH(int, icon);

    QString title, text;
    int shownIcon = -1;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::StandardButtons buttons;
    WhenShown<QMessageBox> answer([&](QMessageBox *box) {
        title = box->windowTitle();
        text = box->text();
        shownIcon = box->icon();
        format = box->textFormat();
        buttons = box->standardButtons();
        if (QAbstractButton *ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->done(0);
    });
    show(kind);
    QCOMPARE(title, QStringLiteral("Velmora"));
    QVERIFY(!text.isEmpty());
    QCOMPARE(shownIcon, icon);
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void TestDialogsSeam::qtInput_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("accepted") << true;
    QTest::newRow("cancelled") << false;
}

void TestDialogsSeam::qtInput()
{
    QFETCH(bool, accept);
    const auto expected = accept ? std::optional<QString>(QStringLiteral("Verdi")) : std::nullopt;

    QString title, label, initial;
    WhenShown<QInputDialog> answer([&](QInputDialog *dialog) {
        title = dialog->windowTitle();
        label = dialog->labelText();
        initial = dialog->textValue();
        dialog->setTextValue(QStringLiteral("Verdi"));
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
    QCOMPARE(dialogs().input(QStringLiteral("Nuovo utente"), QStringLiteral("Cognome:"),
                             QStringLiteral("Rossi")),
             expected);
    QCOMPARE(title, QStringLiteral("Nuovo utente"));
    QCOMPARE(label, QStringLiteral("Cognome:"));
    QCOMPARE(initial, QStringLiteral("Rossi"));
}

void TestDialogsSeam::qtOpenFile()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString backup = folder.filePath(QStringLiteral("copia.fbk"));
    QFile file(backup);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    QString title;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    WhenShown<QFileDialog> answer([&](QFileDialog *dialog) {
        title = dialog->windowTitle();
        mode = dialog->fileMode();
        dialog->selectFile(backup);
        static_cast<QDialog *>(dialog)->accept(); // public there, QFileDialog's override runs
    });
    QCOMPARE(dialogs().openFile(QStringLiteral("Ripristino archivio"), folder.path(),
                                QStringLiteral("Copie (*.fbk)")),
             backup);
    QCOMPARE(title, QStringLiteral("Ripristino archivio"));
    QCOMPARE(mode, QFileDialog::ExistingFile);
}

QTEST_MAIN(TestDialogsSeam)
#include "test_dialogs_seam.moc"
