#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QStringList>
#include <QTest>

namespace velmora::test {

// The Dialogs seam for tests: a queue of answers given in advance and a log of
// every box shown. Installed while it lives; the Qt boxes come back after.
//
// Every box takes one answer from the queue, the boxes with only an OK button
// (warning, information, error, plain) included, so that a test states each
// box it expects. What fits:
//   question                           yes() or no()
//   warning, information, error, plain ok()
//   input                              input(text) or cancel()
//   openFile                           file(path) or cancel()
// A box that finds the queue empty, or an answer that does not fit, is
// recorded in unexpected() and answered No / Cancel / nothing; a misfit answer
// is used up, so one mistake does not shift the answers after it.
class ScriptedDialogs : public Dialogs {
public:
    struct Box {
        // "question", "warning", "information", "error", "plain", "input", "openFile"
        QString kind;
        // The message; for input title + "\n" + prompt; for openFile the title.
        QString text;
        // For input the initial text; for openFile folder + "\n" + filter.
        QString detail;
        bool operator==(const Box &) const = default;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs &) = delete;
    ScriptedDialogs &operator=(const ScriptedDialogs &) = delete;

    // Answers, in the order the boxes will appear; each returns *this to chain.
    ScriptedDialogs &yes();
    ScriptedDialogs &no();
    ScriptedDialogs &ok();
    ScriptedDialogs &input(const QString &text);
    ScriptedDialogs &cancel();
    ScriptedDialogs &file(const QString &path);

    const QList<Box> &shown() const { return m_shown; }
    // "kind: text" for every box shown, in order.
    QStringList texts() const;
    QStringList unexpected() const { return m_unexpected; }
    qsizetype pending() const { return m_answers.size(); }
    // Unexpected boxes and unused answers, with the boxes shown; empty when
    // the script ran exactly.
    QString problems() const;

    bool question(const QString &text) override;
    void warning(const QString &text) override;
    void information(const QString &text) override;
    void error(const QString &text) override;
    void plain(const QString &text) override;
    std::optional<QString> input(const QString &title, const QString &prompt,
                                 const QString &initial) override;
    QString openFile(const QString &title, const QString &folder, const QString &filter) override;

private:
    enum class Kind { Yes, No, Ok, Input, Cancel, File };
    struct Answer {
        Kind kind;
        QString text;
    };

    static QString describe(const Answer &answer);
    ScriptedDialogs &queue(Kind kind, const QString &text = {});
    // Logs the box and takes the next answer when it is one of fitting;
    // std::nullopt (and an unexpected entry) otherwise.
    std::optional<Answer> take(const Box &box, std::initializer_list<Kind> fitting);
    void acknowledge(const QString &kind, const QString &text);

    QList<Answer> m_answers;
    QList<Box> m_shown;
    QStringList m_unexpected;
};

} // namespace velmora::test

// Fails the test unless every queued answer was used and no box was unexpected.
#define VERIFY_DIALOGS_DONE(dialogs) \
    QVERIFY2((dialogs).problems().isEmpty(), qPrintable((dialogs).problems()))
