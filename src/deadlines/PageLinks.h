#pragma once

namespace velmora {

// What the parts of the deadline page ask of one another; the page wires it.
class PageLinks {
public:
    virtual ~PageLinks() = default;
    // The general list with its base statement, the day list and the
    // calendar list read again, and their grids with them.
    virtual void rereadLists() = 0;
    // The general list's grid shows the row the list stands on.
    virtual void showGeneralRow() = 0;
    // The calendar recolours its days.
    virtual void repaintCalendar() = 0;
};

} // namespace velmora
