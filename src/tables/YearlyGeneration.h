#pragma once

#include <QString>

class QPlainTextEdit;

namespace velmora {

class Tdm;

// Turns every annual deadline into a deadline for everyone in the typed
// year. A date and time already taken in this workstation's general list
// counts as already registered; a row that cannot be stored is listed as
// failed. The two lists are the page's hidden scratch fields.
class YearlyGeneration {
public:
    YearlyGeneration(Tdm &dm, QPlainTextEdit &failed, QPlainTextEdit &registered);

    // " Avvia operazione". True when the lists of deadlines were read
    // again, so that the deadline page shows what the run stored.
    bool run(const QString &yearText);

private:
    bool accepted(const QString &yearText) const;
    void generate(int year);
    void report();

    Tdm &m_dm;
    QPlainTextEdit &m_failed;       // memo_mem
    QPlainTextEdit &m_registered;   // memo_mem2
};

} // namespace velmora
