#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>

class Table;

// The rows of a code-list table for a read-only grid. The table offers only its current record, so the
// rows are read by walking it, and only while a grid shows them: a table that changes (a check locating
// a municipality moves it) marks the rows stale, and a shown grid reads them again.
class CodeListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    CodeListModel(Table &table, const QStringList &columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Reads the rows again when they are stale; the table's current record is kept.
    void refresh();

private:
    Table &m_table;
    QStringList m_columns;
    QList<int> m_positions;
    QList<QStringList> m_rows;
    bool m_stale = true;
    bool m_reading = false;
};

// The grid: read-only, and reading its rows when it is shown.
class CodeListGrid : public QTableView {
    Q_OBJECT
public:
    CodeListGrid(Table &table, const QStringList &columns, QWidget *parent = nullptr);
    CodeListModel &rows() { return m_model; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    CodeListModel m_model;
};
