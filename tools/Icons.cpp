// Writes the program's mark as desktop icons: velmora.svg and one
// velmora-<side>.png per side given, into the folder given.
//   velmora_icons <folder> <side>...
#include "app/Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>
#include <QTextStream>

namespace {

constexpr int svgSide = 256;

bool writeSvg(const QString &path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(svgSide, svgSide));
    svg.setViewBox(QRect(0, 0, svgSide, svgSide));
    svg.setTitle(QStringLiteral("Velmora"));
    QPainter p;
    if (!p.begin(&svg))
        return false;
    p.setRenderHint(QPainter::Antialiasing);
    velmora::pictures::drawLogo(p, QRectF(0, 0, svgSide, svgSide));
    return p.end();
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        err << "usage: velmora_icons <folder> <side>...\n";
        return 2;
    }
    const QDir folder(args[1]);
    if (!folder.mkpath(QStringLiteral(".")) || !writeSvg(folder.filePath(QStringLiteral("velmora.svg")))) {
        err << "velmora_icons: cannot write " << folder.filePath(QStringLiteral("velmora.svg")) << '\n';
        return 1;
    }
    for (const QString &arg : args.mid(2)) {
        const int side = arg.toInt();
        const QString path = folder.filePath(QStringLiteral("velmora-%1.png").arg(arg));
        if (side <= 0 || !velmora::pictures::logo(side).save(path)) {
            err << "velmora_icons: cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
