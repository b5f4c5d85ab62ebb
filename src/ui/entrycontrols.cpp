#include "ui/entrycontrols.h"

#include <QFocusEvent>
#include <QKeyEvent>
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

// Entering by the keyboard or by the program selects the whole figure, so typing replaces it; a mouse
// click places the cursor, and the return of the window's activation leaves the selection alone.
void selectOnEntry(QLineEdit &edit, Qt::FocusReason reason) {
    if (reason != Qt::MouseFocusReason && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        edit.selectAll();
}

} // namespace

TDBEdit_VQRA01::TDBEdit_VQRA01(QWidget *parent) : QLineEdit(parent), m_rememberedColor(colors::window) {
    setValidator(new DigitFilter(this));
    setAlignment(Qt::AlignRight);
    setFrame(false);
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

void TDBEdit_VQRA01::focusInEvent(QFocusEvent *event) {
    QLineEdit::focusInEvent(event);
    selectOnEntry(*this, event->reason());
}

TAlignEdit::TAlignEdit(QWidget *parent) : QLineEdit(parent) {
    setValidator(new DigitFilter(this));
    setAlignment(Qt::AlignRight);
    setFrame(false);
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

void TAlignEdit::focusInEvent(QFocusEvent *event) {
    QLineEdit::focusInEvent(event);
    selectOnEntry(*this, event->reason());
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
