#pragma once

#include "store/table.h"

#include <QColor>
#include <QLineEdit>
#include <QPointer>
#include <QString>

// The two entry-control classes of the forms.
//
// TDBEdit_VQRA01 shows one field of the current record of a table and writes it back; TAlignEdit is the
// unbound box of the quick entry. Both take digits only (typed or pasted) and keep their alignment while
// editing; both are flat with a thin edge, and their context menu offers only what the box can do. Neither moves the
// focus by itself: the pages register enter, exit and key handlers with the FocusRouter (focusrouter.h), which also
// runs TDBEdit_VQRA01::commit() and the focus colours at the right moments.

class TDBEdit_VQRA01 : public QLineEdit {
    Q_OBJECT
public:
    explicit TDBEdit_VQRA01(QWidget *parent = nullptr);

    // Shows the field of the table's current record, refreshed after every move, post or replacement.
    void bind(Table &table, const QString &field);
    Table *table() const { return m_table; }
    QString fieldName() const { return m_field; }

    void setFocusColor(const QColor &color) { m_focusColor = color; }
    QColor focusColor() const { return m_focusColor; }
    // The white taken at construction, whatever colour the box is given later.
    QColor rememberedColor() const { return m_rememberedColor; }
    void setBackground(const QColor &color);
    QColor background() const;

    // Shows the field's stored text again.
    void refresh();
    // A text that differs from the field goes into it (cut to its width); the table is put into edit
    // state first when a clipboard command changed the text outside it.
    void commit();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QPointer<Table> m_table;
    QString m_field;
    QColor m_focusColor;
    QColor m_rememberedColor;
};

class TAlignEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TAlignEdit(QWidget *parent = nullptr);
    void setBackground(const QColor &color);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
};

// The colours shared by the pages.
namespace colors {
inline const QColor moneyGreen(192, 220, 192);
inline const QColor skyBlue(166, 202, 240);
inline const QColor silver(192, 192, 192);
inline const QColor boldRed(255, 0, 0);
inline const QColor window(255, 255, 255);
// The edge of the flat boxes: 4:1 against the page, so that an empty white box is seen.
inline const QColor edge(112, 112, 112);
} // namespace colors

// A read-only counter box showing a figure of the model (asponhlas, EPocKand): disabled, so that it
// never takes the focus, frameless and sky blue, with black text that stays readable.
QLineEdit *createCounterBox(const QString &text, QWidget *parent);
