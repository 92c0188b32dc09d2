// Turns the user guide, written in Markdown, into the A4 PDF that "Aiuto"
// opens, with page numbers at the foot of each page.
//   velmora_helppdf <guide.md> <Help.pdf>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextStream>

namespace {

constexpr int fontPoints = 11;
const QMarginsF marginsMm(20, 20, 20, 20);

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        err << "usage: velmora_helppdf <guide.md> <Help.pdf>\n";
        return 2;
    }
    QFile source(args[1]);
    if (!source.open(QIODevice::ReadOnly)) {
        err << "velmora_helppdf: cannot read " << args[1] << '\n';
        return 1;
    }
    QTextDocument guide;
    guide.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), fontPoints));
    guide.setMarkdown(QString::fromUtf8(source.readAll()));

    // A document left by an earlier build must not pass for this one.
    QFile::remove(args[2]);
    QPdfWriter pdf(args[2]);
    pdf.setTitle(QStringLiteral("Velmora - Guida per l'ufficio"));
    pdf.setCreator(QStringLiteral("Velmora"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, marginsMm,
                                  QPageLayout::Millimeter));
    guide.print(&pdf);
    if (!QFile::exists(args[2])) {
        err << "velmora_helppdf: cannot write " << args[2] << '\n';
        return 1;
    }
    return 0;
}
