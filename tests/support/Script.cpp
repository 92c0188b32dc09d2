#include "Script.h"

namespace velmora::test {

void script(ScriptedDialogs &dialogs, const QStringList &answers)
{
    const QString typed = QStringLiteral("input:");
    for (const QString &answer : answers) {
        if (answer == QLatin1String("yes"))
            dialogs.yes();
        else if (answer == QLatin1String("no"))
            dialogs.no();
        else if (answer == QLatin1String("ok"))
            dialogs.ok();
        else if (answer == QLatin1String("cancel"))
            dialogs.cancel();
        else if (answer.startsWith(typed))
            dialogs.input(answer.mid(typed.size()));
        else
            QFAIL(qPrintable(QStringLiteral("no such answer: ") + answer));
    }
}

} // namespace velmora::test
