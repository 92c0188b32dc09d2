#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <array>

class QBoxLayout;
class QPushButton;

namespace velmora {

namespace fb {
class ResultSet;
}

class DataGrid;
class Tdm;

// What sets one table page apart from the others, besides its fields.
struct TableFacts {
    const char *gridName;
    // Inserisci, Modifica, Elimina, Pulisci, Esci: their object names.
    std::array<const char *, 5> buttonNames;
    QString statement;        // opens the page's result set
    QString lockStatement;    // followed by the row's id
    QString deleteStatement;  // followed by the row's id
    QString locateColumn;     // the row found after an insert or a change
    QString modifyRefusal;    // "Selezionare prima ... da modificare!"
    QString removeRefusal;
};

// A page over one table: the grid of its result set above the page's entry
// group and the button panel. The page states its fields, its checks and
// its statements; this class acts: the row click holds the row in lock
// slot 1 and fills the fields, Inserisci / Modifica / Elimina run the
// checks, ask, release the lock, run and commit, reopen the set and find
// the typed key, then Pulisci.
class TablePage : public QWidget {
    Q_OBJECT
public:
    // The set opened with the page's statement. False, after the
    // not-connected warning, when the page is not to be shown.
    bool open();

    void insert();
    void modify();
    void remove();
    // "Pulisci": the fields emptied, lock slot 1 released.
    void clear();
    // The row the set stands on, held and shown in the fields.
    void selectRow();
    // The set was read again elsewhere (a print entry, a search): the
    // page's row is found again and the grid shows the set anew.
    void refresh();

    DataGrid *grid() const { return m_grid; }
    fb::ResultSet &resultSet() const { return m_set; }

    QPushButton *insertButton;
    QPushButton *modifyButton;
    QPushButton *removeButton;
    QPushButton *clearButton;
    QPushButton *exitButton;   // the main window connects it to its closing

Q_SIGNALS:
    // The table was changed from here and the set read again.
    void changed();

protected:
    TablePage(Tdm &dm, fb::ResultSet &set, TableFacts facts, QWidget *parent);

    // The page's layout: the grid, then the page's entry group, the button
    // panel, then whatever the page adds below.
    QBoxLayout &column() const { return *m_column; }
    // Puts the button panel into the page's column (or a layout of its own).
    void placeButtons(QBoxLayout &layout);
    // The tab key follows the eye: the grid, the page's entry fields, the
    // button panel, then the rest of the page. Called once the page is built.
    void orderTabs(const QList<QWidget *> &fields, const QList<QWidget *> &rest = {});
    Tdm &dm() const { return m_dm; }
    // The id of the row that Modifica and Elimina act on; -1 for none.
    qlonglong rowId() const { return m_rowId; }
    // The row the set stands on becomes the page's row.
    void takeRow();

    virtual void clearFields() = 0;
    virtual void fillFields() = 0;            // from the set's current row
    // The fields that Inserisci, Modifica and Elimina all need are filled.
    virtual bool filled() const = 0;
    // Further checks, each showing its own warning when it refuses.
    virtual bool checkInsert() { return true; }
    virtual bool checkModify() { return true; }
    virtual QString insertStatement() const = 0;
    virtual QString updateStatement(const QString &id) const = 0;
    // The typed text that the located column should hold.
    virtual QString typedKey() const = 0;

    void showEvent(QShowEvent *event) override;

private:
    enum class Change { Insert, Modify, Remove };
    void apply(Change change);
    bool standsOnRow() const;

    Tdm &m_dm;
    fb::ResultSet &m_set;
    const TableFacts m_facts;
    DataGrid *m_grid;
    QWidget *m_buttons;
    QBoxLayout *m_column;
    // The set is shared: the calendar and the editor search it too, and
    // must not move the row a change of this page is meant for.
    qlonglong m_rowId = -1;
};

} // namespace velmora
