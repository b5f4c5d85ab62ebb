#include "ui/entrycontrols.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QValidator>

namespace {

// Keeps only the digits of whatever reaches the text (typing, paste, drop): a pasted "1a2" gives "12",
// so a text that the normalisation cannot read never gets into a field.
class DigitFilter : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override {
        QString digits;
        int cursor = 0;
        for (int i = 0; i < input.size(); ++i) {
            if (input[i] >= u'0' && input[i] <= u'9')
                digits.append(input[i]);
            if (i + 1 == pos)
                cursor = int(digits.size());
        }
        input = digits;
        pos = cursor;
        return Acceptable;
    }
};

bool isDigit(const QString &text) {
    return text.size() == 1 && text[0] >= u'0' && text[0] <= u'9';
}

// The digit filter of both classes: true when the key's character may reach the text.
bool characterPasses(const QKeyEvent *event, bool enterPasses) {
    const QString text = event->text();
    if (event->key() == Qt::Key_Backspace || isDigit(text))
        return true;
    return enterPasses && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter);
}

// Keys without a character (arrows, Page Up/Down, Home, End, Delete) bypass the filter.
bool isCharacter(const QKeyEvent *event) {
    if (event->key() == Qt::Key_Delete)
        return false;
    const QString text = event->text();
    return !text.isEmpty() || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
           event->key() == Qt::Key_Escape;
}

void setBase(QLineEdit &edit, const QColor &color) {
    QPalette palette = edit.palette();
    palette.setColor(QPalette::Base, color);
    edit.setPalette(palette);
}

// The boxes are flat, as on the form, but keep a thin edge against the page (QPalette::Dark).
void setEdge(QLineEdit &edit) {
    QPalette palette = edit.palette();
    palette.setColor(QPalette::Dark, colors::edge);
    edit.setPalette(palette);
}

void paintEdge(QLineEdit &edit) {
    QPainter painter(&edit);
    painter.setPen(edit.palette().color(QPalette::Dark));
    painter.drawRect(edit.rect().adjusted(0, 0, -1, -1));
}

// The menu of a box: Qt's commands of a line edit with Qt's own (Slovak) captions, only those the box
// can carry out: a read-only box offers copying and selecting alone.
void showContextMenu(QLineEdit &edit, const QPoint &position) {
    struct Command {
        const char *name, *caption;
        QKeySequence::StandardKey key;
        void (*run)(QLineEdit &);
        bool changesText;
    };
    static const Command commands[] = {
        {"edit-undo", QT_TRANSLATE_NOOP("QLineEdit", "&Undo"), QKeySequence::Undo, [](QLineEdit &e) { e.undo(); },
         true},
        {"edit-redo", QT_TRANSLATE_NOOP("QLineEdit", "&Redo"), QKeySequence::Redo, [](QLineEdit &e) { e.redo(); },
         true},
        {nullptr, nullptr, QKeySequence::UnknownKey, nullptr, true},
        {"edit-cut", QT_TRANSLATE_NOOP("QLineEdit", "Cu&t"), QKeySequence::Cut, [](QLineEdit &e) { e.cut(); }, true},
        {"edit-copy", QT_TRANSLATE_NOOP("QLineEdit", "&Copy"), QKeySequence::Copy, [](QLineEdit &e) { e.copy(); },
         false},
        {"edit-paste", QT_TRANSLATE_NOOP("QLineEdit", "&Paste"), QKeySequence::Paste, [](QLineEdit &e) { e.paste(); },
         true},
        {"edit-delete", QT_TRANSLATE_NOOP("QLineEdit", "Delete"), QKeySequence::UnknownKey,
         [](QLineEdit &e) { e.del(); }, true},
        {nullptr, nullptr, QKeySequence::UnknownKey, nullptr, false},
        {"select-all", QT_TRANSLATE_NOOP("QLineEdit", "Select All"), QKeySequence::SelectAll,
         [](QLineEdit &e) { e.selectAll(); }, false},
    };
    const bool selected = edit.hasSelectedText();
    QMenu menu;
    for (const Command &c : commands) {
        if (c.changesText && edit.isReadOnly())
            continue;
        if (!c.name) {
            menu.addSeparator();
            continue;
        }
        QString caption = QCoreApplication::translate("QLineEdit", c.caption);
        if (c.key != QKeySequence::UnknownKey)
            caption += u'\t' + QKeySequence(c.key).toString(QKeySequence::NativeText);
        QAction *action = menu.addAction(caption, &edit, [&edit, run = c.run] { run(edit); });
        action->setObjectName(QString::fromLatin1(c.name));
        const QString name = action->objectName();
        if (name == QStringLiteral("edit-undo"))
            action->setEnabled(edit.isUndoAvailable());
        else if (name == QStringLiteral("edit-redo"))
            action->setEnabled(edit.isRedoAvailable());
        else if (name == QStringLiteral("edit-cut") || name == QStringLiteral("edit-copy") ||
                 name == QStringLiteral("edit-delete"))
            action->setEnabled(selected);
        else if (name == QStringLiteral("select-all"))
            action->setEnabled(!edit.text().isEmpty());
    }
    menu.exec(position);
}

} // namespace

TDBEdit_VQRA01::TDBEdit_VQRA01(QWidget *parent) : QLineEdit(parent), m_rememberedColor(colors::window) {
    setValidator(new DigitFilter(this));
    setAlignment(Qt::AlignRight);
    setFrame(false);
    setEdge(*this);
    setBackground(m_rememberedColor);
}

void TDBEdit_VQRA01::bind(Table &table, const QString &field) {
    if (m_table)
        disconnect(m_table, nullptr, this, nullptr);
    m_table = &table;
    m_field = field;
    connect(&table, &Table::changed, this, &TDBEdit_VQRA01::refresh);
    refresh();
}

void TDBEdit_VQRA01::setBackground(const QColor &color) {
    setBase(*this, color);
}

QColor TDBEdit_VQRA01::background() const {
    return palette().color(QPalette::Base);
}

void TDBEdit_VQRA01::refresh() {
    if (m_table && m_table->isOpen())
        setText(m_table->text(m_field));
}

void TDBEdit_VQRA01::commit() {
    // Compared with the field rather than trusting isModified(), which a paste that the digit filter
    // trimmed leaves unset.
    if (!m_table || isReadOnly() || text() == m_table->text(m_field))
        return;
    if (!m_table->inEditState())
        m_table->edit();
    m_table->setText(m_field, text());
    setModified(false);
}

void TDBEdit_VQRA01::keyPressEvent(QKeyEvent *event) {
    if (!isCharacter(event)) {
        // Delete changes the text as the clipboard commands do: it puts the table into edit state.
        if (event->key() == Qt::Key_Delete && m_table && !isReadOnly() && !m_table->inEditState())
            m_table->edit();
        QLineEdit::keyPressEvent(event);
        return;
    }
    // A character reaches the text only through the filter, and only while the record is being edited.
    const bool editable = !isReadOnly() && (!m_table || m_table->inEditState());
    if (editable && characterPasses(event, false))
        QLineEdit::keyPressEvent(event);
    event->accept();
}

void TDBEdit_VQRA01::paintEvent(QPaintEvent *event) {
    QLineEdit::paintEvent(event);
    paintEdge(*this);
}

void TDBEdit_VQRA01::contextMenuEvent(QContextMenuEvent *event) {
    showContextMenu(*this, event->globalPos());
}

TAlignEdit::TAlignEdit(QWidget *parent) : QLineEdit(parent) {
    setValidator(new DigitFilter(this));
    setAlignment(Qt::AlignRight);
    setFrame(false);
    setEdge(*this);
}

void TAlignEdit::setBackground(const QColor &color) {
    setBase(*this, color);
}

void TAlignEdit::keyPressEvent(QKeyEvent *event) {
    if (!isCharacter(event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Enter passes the filter here, but an edit box inserts nothing for it; it is left to the key handlers.
    if (characterPasses(event, true) && event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        QLineEdit::keyPressEvent(event);
    event->accept();
}

void TAlignEdit::paintEvent(QPaintEvent *event) {
    QLineEdit::paintEvent(event);
    paintEdge(*this);
}

void TAlignEdit::contextMenuEvent(QContextMenuEvent *event) {
    showContextMenu(*this, event->globalPos());
}

QLineEdit *createCounterBox(const QString &text, QWidget *parent) {
    auto *box = new QLineEdit(text, parent);
    box->setEnabled(false);
    box->setAlignment(Qt::AlignRight);
    box->setFrame(false);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Disabled, QPalette::Base, colors::skyBlue);
    palette.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
    box->setPalette(palette);
    return box;
}
