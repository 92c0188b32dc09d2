#include "platform/HelpDocument.h"

#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace velmora {

namespace {

const QString fileName = QStringLiteral("Help.pdf");

} // namespace

QString helpDocument(const QString &programFolder)
{
    const QDir program(programFolder);
    const QString candidates[] = {
        velmoraPath({fileName}),
        program.filePath(QStringLiteral("../share/velmora/") + fileName),
        program.filePath(fileName),
    };
    for (const QString &path : candidates) {
        if (QFileInfo(path).isFile())
            return QDir::cleanPath(path);
    }
    return {};
}

} // namespace velmora
