// The report's own preview window, really opened: how it shows the report,
// what its printer is called, and that it gives way when the program ends.
#include "platform/QuitRequest.h"
#include "report/PreviewWindow.h"
#include "report/Print.h"
#include "report/Report.h"

#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;
using namespace velmora::report;

namespace {

const QString title = QStringLiteral("Elenco festività");

class Rows : public DataSource {
public:
    explicit Rows(int count) : m_count(count) {}
    int rowCount() const override { return m_count; }
    QString text(int row, const QString &) const override { return QStringLiteral("Riga %1").arg(row + 1); }

private:
    int m_count;
};

// One text row per detail band, under a title, numbered at the foot.
Layout listLayout()
{
    Layout layout;
    layout.title = title;
    layout.columnHeader = {20, Frame::Double, {{Content::Fixed, {}, QStringLiteral("ELENCO"), QRectF(0, 5, 190, 8)}}, {}};
    layout.detail = {5.6, Frame::Thin, {{Content::Column, QStringLiteral("festa"), {}, QRectF(1, 0.7, 140, 4.2)}}, {}};
    layout.pageFooter = {6, Frame::None, {{Content::PageNumber, {}, QStringLiteral("Pag."), QRectF(150, 1, 39, 4.2)}}, {}};
    return layout;
}

PreviewWindow *openPreview()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *preview = qobject_cast<PreviewWindow *>(w); preview && preview->isVisible())
            return preview;
    return nullptr;
}

// What the open window showed, read while it was open.
struct Shown {
    bool open = false;
    bool maximised = false;
    QPrintPreviewWidget::ZoomMode zoom = QPrintPreviewWidget::CustomZoom;
    QString windowTitle;
    QString docName;
    int pages = 0;
};

} // namespace

class TestPreviewWindow : public QObject {
    Q_OBJECT

    // A window left open by a failing run would block the test: closed,
    // and told, after this long.
    static constexpr int rescueMs = 20000;
    bool m_rescued = false;

    void rescueLater()
    {
        m_rescued = false;
        QTimer::singleShot(rescueMs, this, [this] {
            if (PreviewWindow *w = openPreview()) {
                m_rescued = true;
                w->close();
            }
        });
    }

private Q_SLOTS:
    void init() { QuitRequest::instance().clear(); }
    void cleanup() { QuitRequest::instance().clear(); }

    // The program's preview: maximised, the whole page in view, titled and
    // its print job named after the report; closing it ends the call.
    void shownAsTheReportAsks()
    {
        const Rows rows(60);
        Report report(listLayout(), rows);
        report.generate();
        Shown shown;
        QTimer::singleShot(0, this, [&shown] {
            PreviewWindow *w = openPreview();
            if (!w)
                return;
            auto *view = w->findChild<QPrintPreviewWidget *>();
            shown = {true,
                     w->windowState().testFlag(Qt::WindowMaximized),
                     view ? view->zoomMode() : QPrintPreviewWidget::CustomZoom,
                     w->windowTitle(),
                     w->printer()->docName(),
                     view ? view->pageCount() : 0};
            w->close();
        });
        rescueLater();
        preview().show(report);
        QVERIFY(!m_rescued);
        QVERIFY(shown.open);
        QVERIFY(shown.maximised);
        QCOMPARE(shown.zoom, QPrintPreviewWidget::FitInView);
        QCOMPARE(shown.windowTitle, title);
        QCOMPARE(shown.docName, title);
        // 60 rows of 5.6 mm under a 20 mm header and over a 6 mm footer.
        QCOMPARE(shown.pages, 2);
        QVERIFY(!openPreview());
    }

    // Asked again while open, the preview comes before whatever window the
    // user went on with.
    void raisedWhenAskedAgain()
    {
        const Rows rows(1);
        Report report(listLayout(), rows);
        report.generate();
        QWidget other;
        bool activeAfter = false;
        QTimer::singleShot(0, this, [&] {
            other.show();
            other.activateWindow();
            QCoreApplication::processEvents();
            const bool otherWasActive = QApplication::activeWindow() == &other;
            preview().raise(QStringLiteral("Elenco scadenze annuali"));   // none of that title is open
            preview().raise(title);
            QCoreApplication::processEvents();
            activeAfter = otherWasActive && QApplication::activeWindow() == openPreview();
            if (PreviewWindow *w = openPreview())
                w->close();
        });
        rescueLater();
        preview().show(report);
        QVERIFY(!m_rescued);
        QVERIFY(activeAfter);
    }

    // The program is told to end while the preview is open: it closes.
    void endsOnQuitRequest()
    {
        const Rows rows(1);
        Report report(listLayout(), rows);
        report.generate();
        bool wasOpen = false;
        QTimer::singleShot(0, this, [&wasOpen] {
            wasOpen = openPreview() != nullptr;
            QuitRequest::instance().request();
        });
        rescueLater();
        PreviewWindow(report).run();
        QVERIFY(wasOpen);
        QVERIFY(!m_rescued);
        QVERIFY(!openPreview());
    }

    // Asked to end already: no window opens at all.
    void notOpenedOnceEnding()
    {
        const Rows rows(1);
        Report report(listLayout(), rows);
        report.generate();
        QuitRequest::instance().request();
        bool opened = false;
        QTimer::singleShot(0, this, [&opened] { opened = openPreview() != nullptr; });
        rescueLater();
        PreviewWindow(report).run();
        QCoreApplication::processEvents();
        QVERIFY(!opened);
        QVERIFY(!m_rescued);
    }

    // A PDF carries the report's title as its own.
    void pdfTitled()
    {
        const Rows rows(3);
        Report report(listLayout(), rows);
        report.generate();
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("lista.pdf"));
        printToPdf(report, file);
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {file});
        QVERIFY(info.waitForFinished(30000));
        const QStringList lines = QString::fromUtf8(info.readAllStandardOutput()).split(QLatin1Char('\n'));
        const QStringList titles = lines.filter(QRegularExpression(QStringLiteral("^Title:")));
        QCOMPARE(titles.size(), 1);
        QCOMPARE(titles[0].mid(6).trimmed(), title);
    }
};

QTEST_MAIN(TestPreviewWindow)
#include "test_preview_window.moc"
