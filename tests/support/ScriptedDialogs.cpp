#include "ScriptedDialogs.h"

#include <algorithm>

namespace velmora::test {

ScriptedDialogs::ScriptedDialogs()
{
    setDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    setDialogs(nullptr);
}

ScriptedDialogs &ScriptedDialogs::yes() { return queue(Kind::Yes); }
ScriptedDialogs &ScriptedDialogs::no() { return queue(Kind::No); }
ScriptedDialogs &ScriptedDialogs::ok() { return queue(Kind::Ok); }
ScriptedDialogs &ScriptedDialogs::input(const QString &text) { return queue(Kind::Input, text); }
ScriptedDialogs &ScriptedDialogs::cancel() { return queue(Kind::Cancel); }
ScriptedDialogs &ScriptedDialogs::file(const QString &path) { return queue(Kind::File, path); }

QString ScriptedDialogs::describe(const Answer &answer)
{
    switch (answer.kind) {
    case Kind::Yes: return QStringLiteral("yes()");
    case Kind::No: return QStringLiteral("no()");
    case Kind::Ok: return QStringLiteral("ok()");
    case Kind::Input: return QStringLiteral("input(\"%1\")").arg(answer.text);
    case Kind::Cancel: return QStringLiteral("cancel()");
    case Kind::File: return QStringLiteral("file(\"%1\")").arg(answer.text);
    }
    return {};
}

ScriptedDialogs &ScriptedDialogs::queue(Kind kind, const QString &text)
{
    m_answers.append({kind, text});
    return *this;
}

QStringList ScriptedDialogs::texts() const
{
    QStringList lines;
    for (const Box &box : m_shown)
        lines.append(box.kind + QStringLiteral(": ") + box.text);
    return lines;
}

QString ScriptedDialogs::problems() const
{
    QStringList lines = m_unexpected;
    for (const Answer &answer : m_answers)
        lines.append(QStringLiteral("answer not used: ")
                     + describe(answer));
    if (lines.isEmpty())
        return {};
    lines.append(QStringLiteral("boxes shown:"));
    lines.append(texts());
    return lines.join(u'\n');
}

std::optional<ScriptedDialogs::Answer> ScriptedDialogs::take(const Box &box,
                                                             std::initializer_list<Kind> fitting)
{
    m_shown.append(box);
    const QString shown = box.kind + QStringLiteral(": ") + box.text;
    if (m_answers.isEmpty()) {
        m_unexpected.append(QStringLiteral("unexpected box, no answer queued: ") + shown);
        return std::nullopt;
    }
    const Answer answer = m_answers.takeFirst();
    if (std::find(fitting.begin(), fitting.end(), answer.kind) == fitting.end()) {
        m_unexpected.append(QStringLiteral("answer %1 does not fit box %2")
                                .arg(describe(answer), shown));
        return std::nullopt;
    }
    return answer;
}

void ScriptedDialogs::acknowledge(const QString &kind, const QString &text)
{
    take({kind, text, {}}, {Kind::Ok});
}

bool ScriptedDialogs::question(const QString &text)
{
    const auto answer = take({QStringLiteral("question"), text, {}}, {Kind::Yes, Kind::No});
    return answer && answer->kind == Kind::Yes;
}

void ScriptedDialogs::warning(const QString &text) { acknowledge(QStringLiteral("warning"), text); }
void ScriptedDialogs::information(const QString &text)
{
    acknowledge(QStringLiteral("information"), text);
}
void ScriptedDialogs::error(const QString &text) { acknowledge(QStringLiteral("error"), text); }
void ScriptedDialogs::plain(const QString &text) { acknowledge(QStringLiteral("plain"), text); }

std::optional<QString> ScriptedDialogs::input(const QString &title, const QString &prompt,
                                              const QString &initial)
{
    const auto answer = take({QStringLiteral("input"), title + u'\n' + prompt, initial},
                             {Kind::Input, Kind::Cancel});
    if (!answer || answer->kind == Kind::Cancel)
        return std::nullopt;
    return answer->text;
}

QString ScriptedDialogs::openFile(const QString &title, const QString &folder,
                                  const QString &filter)
{
    const auto answer = take({QStringLiteral("openFile"), title, folder + u'\n' + filter},
                             {Kind::File, Kind::Cancel});
    if (!answer || answer->kind == Kind::Cancel)
        return {};
    return answer->text;
}

} // namespace velmora::test
