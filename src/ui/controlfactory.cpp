#include "ui/controlfactory.h"

#include "store/form.h"
#include "store/table.h"
#include "ui/codelistgrid.h"
#include "ui/entrycontrols.h"
#include "ui/spokennames.h"
#include "ui/wrapbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

#include <algorithm>
#include <map>

using layouttable::Control;
using layouttable::Kind;

namespace {

const char *const fittedPixelsProperty = "fittedPixels";

void setTextColor(QWidget &widget, const QColor &color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::WindowText, color);
    widget.setPalette(palette);
}

void applyStyle(QWidget &widget, const Control &row) {
    // Only a row with a font of its own sets one: the others follow the window's.
    if (row.style & layouttable::Bold || row.fontPixels > 0) {
        QFont font = widget.font();
        if (row.style & layouttable::Bold)
            font.setBold(true);
        if (row.fontPixels > 0)
            font.setPixelSize(row.fontPixels);
        widget.setFont(font);
    }
    if (auto *label = qobject_cast<QLabel *>(&widget)) {
        label->setWordWrap(row.style & layouttable::WordWrap);
        if (row.style & layouttable::Centred)
            label->setAlignment(row.style & layouttable::Top ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignCenter);
    }
}

QWidget *makeBox(const Control &row, QWidget *parent, Table &table) {
    auto *box = new TDBEdit_VQRA01(parent);
    box->bind(table, row.field);
    box->setMaxLength(row.maxLength ? row.maxLength : table.schema().fields[table.fieldIndex(row.field)].width);
    box->setReadOnly(row.kind != Kind::Entry);
    box->setFocusColor(row.kind == Kind::Sum ? colors::skyBlue : colors::moneyGreen);
    if (row.kind == Kind::Sum) {
        // Tab passes over the sums: entered, they send the focus on into the form, which would lead Tab
        // round in a loop.
        box->setFocusPolicy(Qt::ClickFocus);
        box->setBackground(colors::skyBlue);
        QFont font = box->font();
        font.setBold(true);
        box->setFont(font);
        setTextColor(*box, Qt::black);
    }
    return box;
}

QWidget *makeWidget(const Control &row, QWidget *parent, const TableOf &tableOf) {
    switch (row.kind) {
    case Kind::Group:
        return new QGroupBox(row.text, parent);
    case Kind::Label:
    case Kind::StateLabel:
        return new QLabel(row.text, parent);
    case Kind::Leader: {
        auto *label = new QLabel(parent);
        const QFontMetrics metrics(label->font());
        label->setText(withLeader(row.text, row.width, [&](const QString &t) { return metrics.horizontalAdvance(t); }));
        return label;
    }
    case Kind::Display: {
        auto *label = new QLabel(parent);
        Table &table = tableOf(row);
        const auto show = [label, &table, field = row.field] {
            label->setText(table.isOpen() && table.recordCount() > 0 ? table.text(field) : QString());
        };
        QObject::connect(&table, &Table::changed, label, show);
        show();
        return label;
    }
    case Kind::Entry:
    case Kind::ReadOnly:
    case Kind::Sum:
        return makeBox(row, parent, tableOf(row));
    case Kind::Hidden: {
        auto *box = new TDBEdit_VQRA01(parent);
        if (!row.field.isEmpty())
            box->bind(tableOf(row), row.field);
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->hide();
        return box;
    }
    case Kind::Counter:
        return createCounterBox(row.text, parent);
    case Kind::Button:
        if (row.style & layouttable::WordWrap)
            return new WrapButton(row.text, parent);
        return new QPushButton(row.text, parent);
    case Kind::Combo: {
        auto *combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setMaxVisibleItems(form::ballotParties);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // The list's own completion would choose an item behind the change handler's back.
        combo->setCompleter(nullptr);
        combo->setEditText(row.text);
        return combo;
    }
    case Kind::Flag: {
        // Carries an outcome between operations: never shown, never changed by the user.
        auto *flag = new QCheckBox(row.text, parent);
        flag->setFocusPolicy(Qt::NoFocus);
        flag->setEnabled(false);
        flag->hide();
        return flag;
    }
    case Kind::Quick: {
        auto *box = new TAlignEdit(parent);
        box->setMaxLength(row.maxLength);
        box->setBackground(colors::window);
        return box;
    }
    case Kind::Memo: {
        auto *memo = new QPlainTextEdit(parent);
        memo->setReadOnly(true);
        memo->setLineWrapMode(QPlainTextEdit::NoWrap);
        if (row.style & layouttable::Scrolled)
            memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        return memo;
    }
    case Kind::Grid:
        return new CodeListGrid(tableOf(row), row.field.split(u' '), parent);
    }
    return nullptr;
}

void nameForAssistiveTechnology(SpokenNames &names, QWidget &widget, const Control &row) {
    switch (row.kind) {
    case Kind::Label:
    case Kind::Leader:
        names.caption(static_cast<QLabel *>(&widget), row.text);
        break;
    case Kind::Entry:
    case Kind::ReadOnly:
    case Kind::Sum:
    case Kind::Counter:
    case Kind::Quick:
        names.box(&widget, row.spoken);
        break;
    default:
        names.other(&widget, row.spoken);
        // The list's own name is its text; its edit box says what the list is for.
        if (auto *combo = qobject_cast<QComboBox *>(&widget))
            combo->lineEdit()->setAccessibleName(combo->accessibleName());
    }
}

// Tab orders are numbered among the siblings of a page or group, as on the form; the window's focus
// chain runs through them depth first.
void setTabOrder(const std::vector<const Control *> &rows, const QString &page, const ControlMap &controls) {
    std::map<QString, std::map<int, const Control *>> children;
    for (const Control *row : rows)
        if (row->tabOrder >= 0)
            children[row->parent][row->tabOrder] = row;
    QWidget *previous = nullptr;
    std::function<void(const QString &)> walk = [&](const QString &parent) {
        for (const auto &[order, row] : children[parent]) {
            if (row->kind == Kind::Group) {
                walk(row->name);
                continue;
            }
            QWidget *widget = controls.value(row->name);
            if (previous)
                QWidget::setTabOrder(previous, widget);
            previous = widget;
        }
    };
    walk(page);
}

} // namespace

QWidget *makeControl(const Control &row, QWidget *parent, const TableOf &tableOf) {
    QWidget *widget = makeWidget(row, parent, tableOf);
    // A row without a size is placed only: shown, it takes the size its text asks for.
    if (row.width == 0 && row.height == 0)
        widget->move(row.x, row.y);
    else
        widget->setGeometry(row.x, row.y, row.width, row.height);
    applyStyle(*widget, row);
    if (row.kind == Kind::StateLabel && row.style & layouttable::WordWrap)
        widget->setProperty(fittedPixelsProperty, row.fontPixels);
    if (!row.name.isEmpty())
        widget->setObjectName(row.name);
    return widget;
}

void buildControls(const std::vector<Control> &rows, QWidget &page, ControlMap &controls, const TableOf &tableOf) {
    SpokenNames names;
    std::vector<const Control *> built;
    for (const Control &row : rows) {
        QWidget *parent = controls.value(row.parent);
        // The rows of another page, made when it is built.
        if (!parent || (parent != &page && !page.isAncestorOf(parent)))
            continue;
        QWidget *widget = makeControl(row, parent, tableOf);
        nameForAssistiveTechnology(names, *widget, row);
        if (!row.name.isEmpty())
            controls.insert(row.name, widget);
        else if (row.kind == Kind::Group)
            controls.insert(row.text, widget);
        built.push_back(&row);
    }
    setTabOrder(built, page.objectName(), controls);
}

int fittedPixels(const QWidget &label) {
    return label.property(fittedPixelsProperty).toInt();
}

QString withLeader(const QString &caption, int width, const std::function<int(const QString &)> &textWidth) {
    // Each measure lays the whole text out anew, and the first page has some thirty leaders: the count
    // of dots is measured only near the one that the width of a single dot suggests. A text grows with
    // every dot, so the count is the same as adding dots one at a time until the next does not fit.
    const QString head = caption + u' ';
    const QString dot = QStringLiteral(". ");
    const auto fits = [&](int dots) { return textWidth(head + dot.repeated(dots)) <= width; };
    const int headWidth = textWidth(head);
    const int dotWidth = textWidth(head + dot) - headWidth;
    int dots = dotWidth > 0 ? std::max(0, (width - headWidth) / dotWidth) : 0;
    while (dots > 0 && !fits(dots))
        --dots;
    while (fits(dots + 1))
        ++dots;
    return head + dot.repeated(dots);
}
