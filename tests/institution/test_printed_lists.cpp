// The printed lists: what each prints, where, on how many pages, and when
// a list is not printed at all. Each preview is printed to a PDF file and
// read back with poppler.
#include "PdfPreview.h"
#include "ScriptedDialogs.h"
#include "TempDatabase.h"
#include "db/Statements.h"
#include "db/Texts.h"
#include "institution/InstitutionHeader.h"
#include "institution/ListLayouts.h"
#include "institution/PrintedLists.h"
#include "institution/ResultSetSource.h"
#include "report/Print.h"
#include "report/Report.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace velmora;
using namespace velmora::test;
using List = PrintedLists::List;

namespace {

constexpr qreal left = 10;   // the page margin: the layouts' edges count from it
constexpr qreal tolerance = 0.5;

QString centreOf(const PdfWord *w)
{
    return w ? QString::number(w->box.center().x(), 'f', 1) : QStringLiteral("missing");
}

#define VERIFY_AT(word, expected)                                                                      \
    do {                                                                                               \
        const PdfWord *w_ = (word);                                                                    \
        QVERIFY2(w_, "word missing");                                                                  \
        QVERIFY2(qAbs(w_->box.left() - (expected)) <= tolerance,                                        \
                 qPrintable(QStringLiteral("%1 at %2 mm, expected %3").arg(w_->text).arg(w_->box.left()).arg(expected))); \
    } while (false)

#define VERIFY_CENTRED(word, cellLeft, cellWidth)                                                      \
    do {                                                                                               \
        const PdfWord *w_ = (word);                                                                    \
        QVERIFY2(w_, "word missing");                                                                  \
        const qreal c_ = left + (cellLeft) + (cellWidth) / 2;                                          \
        QVERIFY2(qAbs(w_->box.center().x() - c_) <= tolerance,                                          \
                 qPrintable(QStringLiteral("%1 centred at %2 mm, expected %3").arg(w_->text, centreOf(w_)).arg(c_))); \
    } while (false)

const QString institution = QStringLiteral(
    "INSERT INTO ente (denom, dedica, cm, indir, comune, pr, tel, mail) VALUES ('Istituto Comprensivo', 'Manzoni', "
    "'LCIC80000X', 'Via Roma 1', 'Lecco', 'LC', '0341 123456', 'ic@scuola.it')");

} // namespace

class TestPrintedLists : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> m_db;
    std::unique_ptr<Tdm> m_dm;

    void resetTables(const QStringList &rows)
    {
        QStringList sql{"DELETE FROM scadenze", "DELETE FROM festivita", "DELETE FROM annuali", "DELETE FROM ente",
                        institution};
        m_db->exec(sql + rows);
    }
    void openSources()
    {
        m_dm->open(m_dm->t_sca, sql::generalList(*m_dm));
        m_dm->open(m_dm->t_fes, sql::holidays());
        m_dm->open(m_dm->t_ann, sql::annualDeadlines());
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_db = std::make_unique<TempDatabase>();
        m_dm = m_db->connect(QStringLiteral("10.0.0.1"));
    }
    void cleanupTestCase()
    {
        m_dm.reset();
        m_db.reset();
    }

    // The layouts as data: every cell's text or key, points, weight, box and
    // alignment, as the printed lists are described.
    void layoutCells_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("name");   // a fixed text, or the key of a column or computed cell
        QTest::addColumn<qreal>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<qreal>("left");
        QTest::addColumn<qreal>("width");
        QTest::addColumn<qreal>("height");   // 0: not prescribed
        QTest::addColumn<int>("alignment");
        QTest::addColumn<bool>("wrap");
        const int l = Qt::AlignLeft;
        const int c = Qt::AlignHCenter;
        const struct {
            List list;
            const char *name;
            const char *header;
            const char *title;
        } lists[] = {{List::Deadlines, "deadlines", "q_ente0", "ELENCO SCADENZE"},
                     {List::Holidays, "holidays", "q_ente1", "ELENCO FESTIVITA' "},
                     {List::Annuals, "annual", "q_ente2", "ELENCO SCADENZE ANNUALI"}};
        for (const auto &x : lists) {
            const int id = int(x.list);
            QTest::addRow("%s: institution", x.name) << id << "header" << x.header << 10.0 << true << 1.0 << 187.0 << 9.5 << l << true;
            QTest::addRow("%s: list title", x.name) << id << "header" << x.title << 14.0 << true << 0.0 << 190.0 << 0.0 << c << false;
        }
        const auto column = [&](List list, const char *name, const char *title, const char *key, qreal left, qreal width,
                                int align, bool wrap) {
            QTest::addRow("%s: %s title", name, key) << int(list) << "header" << QString::fromUtf8(title) << 9.0 << true << left
                                                     << width << 0.0 << align << false;
            QTest::addRow("%s: %s", name, key) << int(list) << "detail" << key << 10.0 << false << left << width << 0.0
                                               << align << wrap;
        };
        column(List::Deadlines, "deadlines", "Scadenza", "scadenza", 1, 126.5, l, true);
        column(List::Deadlines, "deadlines", "Data", "data", 133, 19.5, l, false);
        column(List::Deadlines, "deadlines", "Ora", "ora", 159, 12.5, l, false);
        column(List::Deadlines, "deadlines", "Visionata", "q_visionata", 174, 14.5, c, false);
        column(List::Holidays, "holidays", "Festività", "festa", 1, 141.5, l, false);
        column(List::Holidays, "holidays", "Giorno", "giorno", 148, 8.5, c, false);
        column(List::Holidays, "holidays", "Mese", "q_mese", 162.5, 25.5, c, false);
        column(List::Annuals, "annual", "DESCRIZIONE SCADENZA", "scadenza", 1, 141.5, l, true);
        column(List::Annuals, "annual", "Giorno", "giorno", 148, 8.5, c, false);
        column(List::Annuals, "annual", "Mese", "q_mese", 162.5, 25.5, c, false);
    }
    void layoutCells()
    {
        QFETCH(int, list);
        QFETCH(QString, band);
        QFETCH(QString, name);
        QFETCH(qreal, points);
        QFETCH(bool, bold);
        QFETCH(qreal, left);
        QFETCH(qreal, width);
        QFETCH(qreal, height);
        QFETCH(int, alignment);
        QFETCH(bool, wrap);
        const report::Layout layout = List(list) == List::Deadlines ? lists::deadlineLayout()
                                      : List(list) == List::Holidays ? lists::holidayLayout()
                                                                      : lists::annualLayout();
        const report::Band &cells = band == QLatin1String("header") ? layout.columnHeader : layout.detail;
        const auto found = std::find_if(cells.cells.begin(), cells.cells.end(), [&name](const report::Cell &cell) {
            return (cell.content == report::Content::Fixed ? cell.text : cell.key) == name;
        });
        QVERIFY2(found != cells.cells.end(), qPrintable(name));
        QCOMPARE(found->points, points);
        QCOMPARE(found->bold, bold);
        QCOMPARE(found->box.left(), left);
        QCOMPARE(found->box.width(), width);
        if (height > 0)
            QCOMPARE(found->box.height(), height);
        QCOMPARE(int(found->alignment), alignment);
        QCOMPARE(found->wrap, wrap);
        // The column titles stand at the bottom of the header band.
        if (band == QLatin1String("header") && points == 9)
            QVERIFY(found->box.bottom() <= 24 && found->box.bottom() >= 23);
    }

    void bands_data()
    {
        QTest::addColumn<int>("list");
        QTest::newRow("deadlines") << int(List::Deadlines);
        QTest::newRow("holidays") << int(List::Holidays);
        QTest::newRow("annual") << int(List::Annuals);
    }
    // A 24 mm header with a double frame, 5.6 mm rows with a thin one, a
    // footer without frame holding "Pag." and the number.
    void bands()
    {
        QFETCH(int, list);
        const report::Layout layout = List(list) == List::Deadlines ? lists::deadlineLayout()
                                      : List(list) == List::Holidays ? lists::holidayLayout()
                                                                      : lists::annualLayout();
        QCOMPARE(layout.columnHeader.height, 24.0);
        QCOMPARE(layout.columnHeader.frame, report::Frame::Double);
        QCOMPARE(layout.detail.height, 5.6);
        QCOMPARE(layout.detail.frame, report::Frame::Thin);
        QCOMPARE(layout.pageFooter.frame, report::Frame::None);
        QCOMPARE(layout.pageFooter.cells.size(), 1);
        QCOMPARE(layout.pageFooter.cells[0].content, report::Content::PageNumber);
        QCOMPARE(layout.pageFooter.cells[0].text, QStringLiteral("Pag."));
        QCOMPARE(layout.family, QStringLiteral("Liberation Sans"));
    }

    void deadlineList()
    {
        resetTables({"INSERT INTO scadenze (data, ora, scadenza, letto, pc) VALUES ('2026-03-02', '08.30', "
                     "'Consegna registri', 'S', '10.0.0.1')",
                     "INSERT INTO scadenze (data, ora, scadenza, letto, pc) VALUES ('2026-03-01', '10.15', "
                     "'Riunione collegio', NULL, 'tutti')",
                     "INSERT INTO scadenze (data, ora, scadenza, letto, pc) VALUES ('2026-03-03', '12.00', "
                     "'Scrutini', '', '10.0.0.1')",
                     "INSERT INTO scadenze (data, ora, scadenza, letto, pc) VALUES ('2026-03-01', '09.00', "
                     "'Altrui', 'S', '10.0.0.2')"});
        openSources();
        PdfPreview preview;
        ScriptedDialogs dialogs;
        PrintedLists lists(*m_dm);
        lists.print(List::Deadlines);
        QCOMPARE(preview.titles, QStringList{"Elenco Scadenze"});
        const QList<PdfPage> &pages = preview.pdfs[0];
        QCOMPARE(pages.size(), 1);
        const PdfPage &page = pages[0];
        QVERIFY(qAbs(page.width - 210) < 0.5 && qAbs(page.height - 297) < 0.5);
        QCOMPARE(page.rows(), QStringList({"Istituto Comprensivo \"Manzoni\" - C.M. LCIC80000X",
                                           "Via Roma 1 - Lecco (LC) - Tel. 0341 123456 - E.Mail: ic@scuola.it",
                                           "ELENCO SCADENZE", "Scadenza Data Ora Visionata",
                                           "Riunione collegio 01/03/2026 10.15 NO",
                                           "Consegna registri 02/03/2026 08.30 SI", "Scrutini 03/03/2026 12.00 NO",
                                           "Pag.1"}));
        VERIFY_AT(page.word("Istituto"), left + 1);
        VERIFY_AT(page.word("Via"), left + 1);
        QVERIFY(qAbs((page.word("ELENCO")->box.left() + page.word("SCADENZE")->box.right()) / 2 - 105) <= tolerance);
        VERIFY_AT(page.word("Scadenza"), left + 1);
        VERIFY_AT(page.word("Data"), left + 133);
        VERIFY_AT(page.word("Ora"), left + 159);
        VERIFY_CENTRED(page.word("Visionata"), 174.0, 14.5);
        VERIFY_AT(page.word("Riunione"), left + 1);
        VERIFY_AT(page.word("01/03/2026"), left + 133);
        VERIFY_AT(page.word("10.15"), left + 159);
        VERIFY_CENTRED(page.word("SI"), 174.0, 14.5);
        // The column titles stand at the bottom of the 24 mm header band.
        const qreal headerBottom = 10 + 24;
        QVERIFY(page.word("Visionata")->box.bottom() <= headerBottom);
        QVERIFY(page.word("Visionata")->box.bottom() >= headerBottom - 1.5);
        // One 5.6 mm band per row.
        QVERIFY(qAbs(page.word("Consegna")->box.top() - page.word("Riunione")->box.top() - 5.6) <= tolerance);
        QVERIFY(page.word("Pag.1")->box.right() <= 200 + tolerance);
        QVERIFY(page.word("Pag.1")->box.left() > 150);
        VERIFY_DIALOGS_DONE(dialogs);
    }

    void listTitle()
    {
        resetTables({"INSERT INTO festivita (giorno, mese, festa) VALUES (25, 12, 'Natale')"});
        openSources();
        PdfPreview preview;
        PrintedLists lists(*m_dm);
        lists.print(List::Holidays);
        const PdfPage &page = preview.pdfs.value(0).value(0);
        const PdfWord *a = page.word("ELENCO");
        const PdfWord *b = page.word("FESTIVITA'");
        QVERIFY(a && b);
        // Centred on the page width, the trailing blank taking its small share.
        QVERIFY(qAbs((a->box.left() + b->box.right()) / 2 - 105) <= 1.5);
        QCOMPARE(lists::holidayLayout().columnHeader.cells[1].text, QStringLiteral("ELENCO FESTIVITA' "));
    }

    void holidayList()
    {
        resetTables({"INSERT INTO festivita (giorno, mese, festa) VALUES (25, 12, 'Natale')",
                     "INSERT INTO festivita (giorno, mese, festa) VALUES (1, 1, 'Capodanno')",
                     "INSERT INTO festivita (giorno, mese, festa) VALUES (15, 13, 'Festa sbagliata')",
                     "INSERT INTO festivita (giorno, mese, festa) VALUES (2, 0, 'Festa zero')"});
        openSources();
        PdfPreview preview;
        ScriptedDialogs dialogs;
        PrintedLists lists(*m_dm);
        lists.print(List::Holidays);
        QCOMPARE(preview.titles, QStringList{QStringLiteral("Elenco festività")});
        const PdfPage &page = preview.pdfs[0][0];
        QCOMPARE(page.rows().mid(2), QStringList({"ELENCO FESTIVITA'", "Festività Giorno Mese", "Festa zero 2",
                                                  "Capodanno 1 GENNAIO", "Natale 25 DICEMBRE",
                                                  "Festa sbagliata 15", "Pag.1"}));
        VERIFY_AT(page.word("Festività"), left + 1);
        VERIFY_AT(page.word("Capodanno"), left + 1);
        VERIFY_CENTRED(page.word("25"), 148.0, 8.5);
        VERIFY_CENTRED(page.word("GENNAIO"), 162.5, 25.5);
        VERIFY_CENTRED(page.word("Mese"), 162.5, 25.5);
        VERIFY_DIALOGS_DONE(dialogs);
    }

    // Every holiday row carries its two vertical lines; annual rows none.
    void holidayLines()
    {
        resetTables({"INSERT INTO festivita (giorno, mese, festa) VALUES (25, 12, 'Natale')",
                     "INSERT INTO festivita (giorno, mese, festa) VALUES (1, 1, 'Capodanno')"});
        openSources();
        const ResultSetSource rows(m_dm->t_fes);
        report::Report report(lists::holidayLayout(), rows);
        report.generate();
        QPrinter printer(QPrinter::HighResolution);
        const QList<report::Page> pages = report.layOut(printer);
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages[0].lines.size(), 4);
        for (const QLineF &line : pages[0].lines) {
            QVERIFY(qFuzzyCompare(line.x1(), line.x2()));
            QVERIFY(qFuzzyCompare(line.x1(), left + 144.5) || qFuzzyCompare(line.x1(), left + 160));
            QVERIFY(qFuzzyCompare(line.length(), 5.6));
        }
        // The header band framed twice as wide as the rows.
        QCOMPARE(pages[0].frames[0].box, QRectF(10, 10, 190, 24));
        QCOMPARE(pages[0].frames[0].width, 2 * pages[0].frames[1].width);
        QCOMPARE(pages[0].frames[1].box, QRectF(10, 34, 190, 5.6));
        QVERIFY(lists::annualLayout().detail.verticalLines.isEmpty());
    }

    // A long description wraps and its row grows; the next row follows it.
    void annualListWraps()
    {
        const QString longText = QStringLiteral("Dichiarazione ") + QString(235, u'x').replace(
                                     QRegularExpression(QStringLiteral("x{9}")), QStringLiteral("parola01 "));
        resetTables({QStringLiteral("INSERT INTO annuali (giorno, mese, ora, scadenza) VALUES (10, 2, '08.00', '")
                         + longText.left(250) + QStringLiteral("')"),
                     "INSERT INTO annuali (giorno, mese, ora, scadenza) VALUES (20, 3, '09.00', 'Inventario')"});
        openSources();
        PdfPreview preview;
        PrintedLists lists(*m_dm);
        lists.print(List::Annuals);
        QCOMPARE(preview.titles, QStringList{"Elenco scadenze annuali"});
        const PdfPage &page = preview.pdfs[0][0];
        const QStringList rows = page.rows();
        QCOMPARE(rows.mid(2, 2), QStringList({"ELENCO SCADENZE ANNUALI", "DESCRIZIONE SCADENZA Giorno Mese"}));
        QVERIFY(rows[4].startsWith("Dichiarazione parola01"));
        QVERIFY(rows[4].endsWith("10 FEBBRAIO"));
        QVERIFY(rows[5].startsWith("parola01"));   // the second line of the same row
        QCOMPARE(rows.last(), QStringLiteral("Pag.1"));
        QVERIFY(!rows.join(' ').contains("08.00"));
        const PdfWord *first = page.word("Dichiarazione");
        const PdfWord *next = page.word("Inventario");
        QVERIFY(next->box.top() - first->box.top() > 5.6 + 3);
        for (const PdfWord &w : page.words())
            if (w.text.startsWith("parola"))
                QVERIFY(w.box.right() <= left + 1 + 141.5 + tolerance);
        VERIFY_CENTRED(page.word("FEBBRAIO"), 162.5, 25.5);
        VERIFY_CENTRED(page.word("10"), 148.0, 8.5);
    }

    // More rows than one page holds: every page has the header, the title,
    // the column titles and its own number.
    void manyPages()
    {
        QStringList rows;
        for (int i = 0; i < 120; ++i)
            rows << QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('2026-04-01', '%1', "
                                   "'Scadenza %2', 'tutti')")
                        .arg(QTime(8, 0).addSecs(60 * i).toString("hh.mm"))
                        .arg(i + 1, 3, 10, QLatin1Char('0'));
        m_db->exec({"DELETE FROM scadenze"});
        m_db->exec(rows);
        openSources();
        PdfPreview preview;
        PrintedLists lists(*m_dm);
        lists.print(List::Deadlines);
        const QList<PdfPage> &pages = preview.pdfs[0];
        QCOMPARE(pages.size(), 3);
        int printed = 0;
        for (int p = 0; p < pages.size(); ++p) {
            const QStringList texts = pages[p].rows();
            QVERIFY(texts[0].startsWith("Istituto Comprensivo"));
            QCOMPARE(texts[2], QStringLiteral("ELENCO SCADENZE"));
            QCOMPARE(texts[3], QStringLiteral("Scadenza Data Ora Visionata"));
            QCOMPARE(texts.last(), QStringLiteral("Pag.%1").arg(p + 1));
            printed += texts.filter(QRegularExpression("^Scadenza \\d{3} ")).size();
            for (const PdfWord &w : pages[p].words())
                QVERIFY(w.box.bottom() <= 297 - 10 + tolerance);
        }
        QCOMPARE(printed, 120);
        QVERIFY(pages[1].rows()[4].startsWith(QStringLiteral("Scadenza 0")));
    }

    void header_data()
    {
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("expected");
        QTest::newRow("everything") << "'Scuola', 'Manzoni', 'LC01', 'Via Po 2', 'Asti', 'AT', '0141', 'a@b.it'"
                                    << "Scuola \"Manzoni\" - C.M. LC01\nVia Po 2 - Asti (AT) - Tel. 0141 - E.Mail: a@b.it";
        QTest::newRow("no code: one line") << "'Scuola', NULL, '', 'Via Po 2', 'Asti', NULL, NULL, NULL"
                                           << "ScuolaVia Po 2 - Asti";
        QTest::newRow("only the code") << "NULL, NULL, 'LC01', NULL, NULL, NULL, NULL, NULL"
                                       << " - C.M. LC01\n";
        QTest::newRow("empty parts") << "'Scuola', '', NULL, '', '', 'AT', '', 'a@b.it'"
                                     << "Scuola (AT) - E.Mail: a@b.it";
        QTest::newRow("apostrophes") << "'L''istituto', 'Sant''Anna', NULL, 'Via dell''Olmo', NULL, NULL, NULL, NULL"
                                     << "L'istituto \"Sant'Anna\"Via dell'Olmo";
    }
    void header()
    {
        QFETCH(QString, values);
        QFETCH(QString, expected);
        m_db->exec({"DELETE FROM ente", "INSERT INTO ente (denom, dedica, cm, indir, comune, pr, tel, mail) VALUES ("
                                            + values + ")"});
        QCOMPARE(institutionHeader(*m_dm), expected);
    }

    void noInstitutionRow()
    {
        resetTables({"DELETE FROM ente", "INSERT INTO festivita (giorno, mese, festa) VALUES (25, 12, 'Natale')"});
        QCOMPARE(institutionHeader(*m_dm), QString());
        openSources();
        PdfPreview preview;
        PrintedLists lists(*m_dm);
        lists.print(List::Holidays);
        QCOMPARE(preview.pdfs[0][0].rows().first(), QStringLiteral("ELENCO FESTIVITA'"));
    }

    void emptySource_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<QString>("warning");
        QTest::newRow("deadlines") << int(List::Deadlines) << "Non ci sono scadenze in archivio!";
        QTest::newRow("holidays") << int(List::Holidays) << QStringLiteral("Non ci sono festività in archivio!");
        QTest::newRow("annual") << int(List::Annuals) << "Non ci sono scadenze annuali in archivio!";
    }
    void emptySource()
    {
        QFETCH(int, list);
        QFETCH(QString, warning);
        resetTables({});
        openSources();
        PdfPreview preview;
        ScriptedDialogs dialogs;
        PrintedLists lists(*m_dm);
        dialogs.ok().ok();
        lists.print(List(list));
        lists.printReloaded(List(list));
        QCOMPARE(dialogs.texts(), QStringList({"warning: " + warning, "warning: " + warning}));
        QVERIFY(preview.titles.isEmpty());
        VERIFY_DIALOGS_DONE(dialogs);
    }

    // The button prints the list as the search left it; the menu entry reads
    // every deadline of this workstation and of everyone again, in order.
    void buttonPrintsTheSearchMenuEverything()
    {
        resetTables({"INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('2026-05-02', '09.00', 'Collegio', 'tutti')",
                     "INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('2026-05-01', '09.00', 'Gita', '10.0.0.1')",
                     "INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('2026-05-01', '08.00', 'Altro', '10.0.0.9')"});
        m_dm->open(m_dm->t_sca, sql::generalList(*m_dm).replace("ORDER BY", "AND scadenza='Gita' ORDER BY"));
        PdfPreview preview;
        PrintedLists lists(*m_dm);
        QList<int> reloads;
        connect(&lists, &PrintedLists::reloaded, this, [&](List l) { reloads << int(l); });
        lists.print(List::Deadlines);
        lists.printReloaded(List::Deadlines);
        QCOMPARE(preview.pdfs.size(), 2);
        QCOMPARE(preview.pdfs[0][0].rows().filter("09.00"), QStringList{"Gita 01/05/2026 09.00 NO"});
        QCOMPARE(preview.pdfs[1][0].rows().filter("09.00"),
                 QStringList({"Gita 01/05/2026 09.00 NO", "Collegio 02/05/2026 09.00 NO"}));
        QCOMPARE(m_dm->t_sca.rowCount(), 2);
        QCOMPARE(reloads, QList<int>{int(List::Deadlines)});
    }

    // A menu entry used while its list's preview is open only reloads; the
    // other lists still open their own; once closed, the entry prints again.
    void menuWhilePreviewOpen()
    {
        resetTables({"INSERT INTO festivita (giorno, mese, festa) VALUES (25, 12, 'Natale')",
                     "INSERT INTO annuali (giorno, mese, ora, scadenza) VALUES (20, 3, '09.00', 'Inventario')"});
        openSources();
        PdfPreview preview;
        ScriptedDialogs dialogs;
        PrintedLists lists(*m_dm);
        preview.during = [&] {
            QVERIFY(lists.previewOpen(List::Holidays));
            m_db->exec({"INSERT INTO festivita (giorno, mese, festa) VALUES (1, 1, 'Capodanno')"});
            lists.printReloaded(List::Holidays);
            QCOMPARE(m_dm->t_fes.rowCount(), 2);
            lists.print(List::Holidays);
            lists.printReloaded(List::Annuals);
        };
        // The button brings the open preview forward; the entry only reloads.
        lists.printReloaded(List::Holidays);
        QCOMPARE(preview.titles, QStringList({QStringLiteral("Elenco festività"), "Elenco scadenze annuali"}));
        QCOMPARE(preview.raised, QStringList{QStringLiteral("Elenco festività")});
        QVERIFY(!lists.previewOpen(List::Holidays));
        lists.printReloaded(List::Holidays);
        lists.printReloaded(List::Holidays);
        QCOMPARE(preview.titles.size(), 4);
        QVERIFY(preview.pdfs[3][0].rows().join('|').contains("Capodanno 1 GENNAIO"));
        VERIFY_DIALOGS_DONE(dialogs);
    }

    void deadConnection()
    {
        Tdm dm;
        PdfPreview preview;
        ScriptedDialogs dialogs;
        PrintedLists lists(dm);
        dialogs.ok();
        lists.printReloaded(List::Annuals);
        QCOMPARE(dialogs.texts(),
                 QStringList{"warning: " + notConnectedWarning() + QStringLiteral("\nDatabase non connesso")});
        QVERIFY(preview.titles.isEmpty());
        VERIFY_DIALOGS_DONE(dialogs);
    }

    // Rows already read, the connection gone: the header cannot be read, so
    // nothing is printed rather than a list without its heading.
    void deadConnectionAtTheHeader()
    {
        auto dm = m_db->connect(QStringLiteral("10.0.0.1"));
        resetTables({"INSERT INTO festivita (giorno, mese, festa) VALUES (25, 12, 'Natale')"});
        dm->open(dm->t_fes, sql::holidays());
        dm->disconnect();
        PdfPreview preview;
        ScriptedDialogs dialogs;
        PrintedLists lists(*dm);
        dialogs.ok();
        lists.print(List::Holidays);
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY(dialogs.texts()[0].startsWith("warning: " + notConnectedWarning() + "\n"));
        QVERIFY(preview.titles.isEmpty());
        VERIFY_DIALOGS_DONE(dialogs);
    }
};

QTEST_MAIN(TestPrintedLists)
#include "test_printed_lists.moc"
