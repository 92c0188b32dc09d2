#include "Autostart.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace velmora::autostart {

namespace {

// Characters that make the desktop's command-line parser need quotes.
const QString reservedChars = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
// Characters escaped with a backslash inside a quoted argument.
const QString quotedEscapes = QStringLiteral("\"`$\\");

bool needsQuotes(const QString &exec)
{
    for (const QChar c : exec) {
        if (reservedChars.contains(c))
            return true;
    }
    return false;
}

// The value is one argument: the program's path. Quoting comes first, then
// '%' doubled (field codes), then the escapes of a string value.
QString encode(const QString &exec)
{
    QString arg;
    if (needsQuotes(exec)) {
        arg = u'"';
        for (const QChar c : exec) {
            if (quotedEscapes.contains(c))
                arg += u'\\';
            arg += c;
        }
        arg += u'"';
    } else {
        arg = exec;
    }
    arg.replace(u'%', QStringLiteral("%%"));

    QString line;
    for (const QChar c : arg) {
        switch (c.unicode()) {
        case '\\': line += QStringLiteral("\\\\"); break;
        case '\n': line += QStringLiteral("\\n"); break;
        case '\t': line += QStringLiteral("\\t"); break;
        case '\r': line += QStringLiteral("\\r"); break;
        default: line += c;
        }
    }
    return line;
}

QString unescapeString(const QString &value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        switch (value[++i].unicode()) {
        case 's': text += u' '; break;
        case 'n': text += u'\n'; break;
        case 't': text += u'\t'; break;
        case 'r': text += u'\r'; break;
        default: text += value[i];
        }
    }
    return text;
}

// The inverse of encode(); an unquoted value is taken as it stands.
QString decode(const QString &value)
{
    QString arg = unescapeString(value);
    arg.replace(QStringLiteral("%%"), QStringLiteral("%"));
    if (!arg.startsWith(u'"'))
        return arg;
    QString exec;
    qsizetype i = 1;
    for (; i < arg.size() && arg[i] != u'"'; ++i) {
        if (arg[i] == u'\\' && i + 1 < arg.size())
            ++i;
        exec += arg[i];
    }
    return exec + arg.mid(i + 1);
}

} // namespace

QString entryPath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative value is invalid for XDG and is ignored.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/autostart/Velmora.desktop");
}

std::optional<QString> value()
{
    QFile file(entryPath());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    bool inEntry = false;
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.startsWith(u'[')) {
            inEntry = line.trimmed() == QStringLiteral("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inEntry || equals < 0 || line.left(equals).trimmed() != QStringLiteral("Exec"))
            continue;
        QString raw = line.mid(equals + 1);
        while (raw.startsWith(u' ') || raw.startsWith(u'\t'))
            raw.remove(0, 1);
        return decode(raw);
    }
    // An entry without a command holds no value.
    return std::nullopt;
}

bool write(const QString &exec)
{
    const QString path = entryPath();
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Velmora\n"
                                         "Exec=%1\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(encode(exec));
    file.write(entry.toUtf8());
    return file.commit();
}

} // namespace velmora::autostart
