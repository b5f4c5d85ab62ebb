#include "ui/codelistgrid.h"

#include "store/table.h"

#include <QHeaderView>

CodeListModel::CodeListModel(Table &table, const QStringList &columns, QObject *parent)
    : QAbstractTableModel(parent), m_table(table), m_columns(columns) {
    for (const QString &column : columns)
        m_positions.append(table.fieldIndex(column));
    connect(&m_table, &Table::changed, this, [this] {
        if (!m_reading)
            m_stale = true;
    });
}

int CodeListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CodeListModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant CodeListModel::data(const QModelIndex &index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return m_rows.at(index.row()).at(index.column());
}

QVariant CodeListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_columns.value(section);
}

void CodeListModel::refresh() {
    // A record being edited would be posted by the walk: read it another time.
    if (!m_stale || !m_table.isOpen() || m_table.inEditState())
        return;
    m_reading = true;
    const int current = m_table.recordNumber();
    QList<QStringList> rows;
    m_table.first();
    for (int r = 0; r < m_table.recordCount(); ++r, m_table.next()) {
        QStringList row;
        for (const int position : m_positions)
            row.append(m_table.text(position));
        rows.append(row);
    }
    m_table.first();
    if (current > 1)
        m_table.moveBy(current - 1);
    m_reading = false;
    beginResetModel();
    m_rows = rows;
    m_stale = false;
    endResetModel();
}

CodeListGrid::CodeListGrid(Table &table, const QStringList &columns, QWidget *parent)
    : QTableView(parent), m_model(table, columns) {
    setModel(&m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->setDefaultSectionSize(17);
    verticalHeader()->hide();
    // A table replaced while the grid is shown: read after the operation, not in the middle of it.
    connect(&table, &Table::changed, this, [this] {
        if (isVisible())
            QMetaObject::invokeMethod(
                this, [this] { m_model.refresh(); }, Qt::QueuedConnection);
    });
}

void CodeListGrid::showEvent(QShowEvent *event) {
    m_model.refresh();
    QTableView::showEvent(event);
}
