#pragma once

#include <QObject>

#include <array>

namespace velmora {

class Tdm;

// The three printed lists: the deadlines of this workstation, the holidays
// and the annual deadlines, each under the institution's header, shown in
// the preview window from which the user prints.
class PrintedLists : public QObject {
    Q_OBJECT
public:
    enum class List { Deadlines, Holidays, Annuals };

    explicit PrintedLists(Tdm &dm, QObject *parent = nullptr);

    // A print button: the list's result set as it stands (the deadlines
    // as the last search left them). Returns when the preview is closed.
    void print(List list);
    // A "Stampe" entry: reads the list's table anew, then prints it, unless
    // that list's preview is open already.
    void printReloaded(List list);
    bool previewOpen(List list) const;

Q_SIGNALS:
    // The list's result set was read anew (or closed by a failed read):
    // what shows it must show it again.
    void reloaded(velmora::PrintedLists::List list);

private:
    Tdm &m_dm;
    std::array<bool, 3> m_open{};
};

} // namespace velmora
