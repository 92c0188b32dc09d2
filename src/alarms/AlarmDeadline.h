#pragma once

#include <QString>

namespace velmora {

// An alarm window's own copy of its deadline, as its labels hold it: id in
// decimal, date dd/mm/yyyy, time hh.mm as stored, text, addressee key (empty
// when none).
struct AlarmDeadline {
    QString id;
    QString date;
    QString time;
    QString text;
    QString pc;
};

} // namespace velmora
