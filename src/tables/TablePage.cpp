#include "tables/TablePage.h"

#include "db/Fdm.h"
#include "db/Texts.h"
#include "fb/ResultSet.h"
#include "platform/Dialogs.h"
#include "platform/ErrorReport.h"
#include "tables/TableFields.h"
#include "widgets/DataGrid.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace velmora {

namespace {

const QString lockRefusal = QStringLiteral("Record bloccato da un altro utente!");

} // namespace

TablePage::TablePage(Tdm &dm, fb::ResultSet &set, TableFacts facts, QWidget *parent)
    : QWidget(parent), m_dm(dm), m_set(set), m_facts(std::move(facts)), m_grid(new DataGrid(this)),
      m_buttons(new QWidget(this)), m_column(new QVBoxLayout(this))
{
    m_grid->setObjectName(QLatin1String(m_facts.gridName));
    m_grid->setResultSet(&m_set);
    m_column->addWidget(m_grid, 1);

    const auto &names = m_facts.buttonNames;
    insertButton = namedButton(m_buttons, names[0], QStringLiteral("Inserisci"));
    modifyButton = namedButton(m_buttons, names[1], QStringLiteral("Modifica"));
    removeButton = namedButton(m_buttons, names[2], QStringLiteral("Elimina"));
    clearButton = namedButton(m_buttons, names[3], QStringLiteral("Pulisci"));
    exitButton = namedButton(m_buttons, names[4], QStringLiteral("Esci"));
    exitButton->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    m_buttons->setObjectName(QLatin1String(m_facts.gridName) + QStringLiteral("_pulsanti"));
    auto *bar = new QHBoxLayout(m_buttons);
    bar->setContentsMargins(0, 0, 0, 0);
    for (QPushButton *b : {insertButton, modifyButton, removeButton, clearButton, exitButton})
        bar->addWidget(b);

    connect(insertButton, &QPushButton::clicked, this, guardedSlot(this, &TablePage::insert));
    connect(modifyButton, &QPushButton::clicked, this, guardedSlot(this, &TablePage::modify));
    connect(removeButton, &QPushButton::clicked, this, guardedSlot(this, &TablePage::remove));
    connect(clearButton, &QPushButton::clicked, this, guardedSlot(this, &TablePage::clear));
    connect(m_grid, &DataGrid::rowClicked, this, guardedSlot(this, &TablePage::selectRow));
}

void TablePage::placeButtons(QBoxLayout &layout)
{
    layout.addWidget(m_buttons);
}

void TablePage::orderTabs(const QList<QWidget *> &fields, const QList<QWidget *> &rest)
{
    const QList<QWidget *> chain = QList<QWidget *>{m_grid} + fields
                                   + QList<QWidget *>{insertButton, modifyButton, removeButton, clearButton, exitButton}
                                   + rest;
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

bool TablePage::open()
{
    try {
        m_dm.open(m_set, m_facts.statement);
    } catch (const std::exception &e) {
        m_grid->refresh();
        dialogs().warning(notConnectedWarning(QString::fromUtf8(e.what())));
        return false;
    }
    takeRow();
    m_grid->refresh();
    return true;
}

void TablePage::insert()
{
    apply(Change::Insert);
}

void TablePage::modify()
{
    apply(Change::Modify);
}

void TablePage::remove()
{
    apply(Change::Remove);
}

void TablePage::clear()
{
    clearFields();
    m_dm.sblocca(QStringLiteral("1"));
}

void TablePage::selectRow()
{
    if (!standsOnRow())
        return;
    clear();
    takeRow();
    if (!m_dm.blocca(m_facts.lockStatement, m_rowId)) {
        dialogs().plain(lockRefusal);
        return;
    }
    fillFields();
}

bool TablePage::standsOnRow() const
{
    return m_set.isOpen() && m_set.rowCount() > 0 && !m_set.eof();
}

void TablePage::takeRow()
{
    m_rowId = standsOnRow() ? m_set.value(QStringLiteral("id")).toLongLong() : -1;
}

void TablePage::apply(Change change)
{
    const QString refusal = change == Change::Insert   ? QStringLiteral("Dati mancanti!")
                            : change == Change::Modify ? m_facts.modifyRefusal
                                                       : m_facts.removeRefusal;
    // A change or a deletion needs a row to act on: on an empty table the
    // statement would name no id.
    if (!filled() || (change != Change::Insert && m_rowId < 0)) {
        dialogs().warning(refusal);
        return;
    }
    if ((change == Change::Insert && !checkInsert()) || (change == Change::Modify && !checkModify()))
        return;
    const QString question = change == Change::Insert   ? QStringLiteral("Confermi INSERIMENTO?")
                             : change == Change::Modify ? QStringLiteral("Confermi MODIFICA?")
                                                        : QStringLiteral("Confermi ELIMINAZIONE?");
    if (!dialogs().question(question))
        return;
    m_dm.sblocca(QStringLiteral("1"));
    const QString id = QString::number(m_rowId);
    if (change == Change::Remove) {
        // No handler of its own: a failure goes to the general error report.
        m_dm.run(m_facts.deleteStatement + id);
    } else {
        try {
            m_dm.run(change == Change::Insert ? insertStatement() : updateStatement(id));
        } catch (const std::exception &) {
            dialogs().information(change == Change::Insert
                                      ? QStringLiteral("Inserimento non effettuabile...probabile duplicazione chiave!")
                                      : QStringLiteral("Modifica non effettuabile...probabile duplicazione chiave!"));
            return;
        }
    }
    m_dm.reopen(m_set);
    if (change != Change::Remove)
        m_set.locate(m_facts.locateColumn, {typedKey()}, true);
    takeRow();
    m_grid->refresh();
    clear();
    Q_EMIT changed();
}

void TablePage::refresh()
{
    if (m_set.isOpen() && m_rowId >= 0 && !m_set.locate(QStringLiteral("id"), {m_rowId}, false))
        takeRow();
    m_grid->refresh();
}

void TablePage::showEvent(QShowEvent *event)
{
    // The set may have been read again, or searched, while the page was
    // away (the directory is read at each showing of the main window).
    guarded([this] { refresh(); });
    QWidget::showEvent(event);
}

} // namespace velmora
