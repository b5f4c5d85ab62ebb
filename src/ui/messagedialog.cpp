#include "ui/messagedialog.h"
#include "model/pages.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

struct Answer {
    Services::Button button;
    const char *caption;
    int result;
};

// Left to right; Help closes nothing.
const Answer answers[] = {
    {Services::Yes, "&Áno", Services::ResultYes},
    {Services::No, "&Nie", Services::ResultNo},
    {Services::OK, "&OK", Services::ResultOK},
    {Services::Cancel, "&Zrušiť", Services::ResultCancel},
    {Services::Abort, "&Zrušiť", Services::ResultAbort},
    {Services::Retry, "&Znova", Services::ResultRetry},
    {Services::Ignore, "Ignorovať", Services::ResultIgnore},
    {Services::All, "Všetky", Services::ResultAll},
    {Services::NoToAll, "&Ani jeden", Services::ResultNoToAll},
    {Services::YesToAll, "Všetky", Services::ResultYesToAll},
    {Services::Help, "&Pomoc", 0},
};

struct KindLook {
    const char *caption;
    QStyle::StandardPixmap icon;
    bool hasIcon;
    bool sound;
};

const KindLook kinds[] = {
    {"Pozor...", QStyle::SP_MessageBoxWarning, true, true},
    {"Chyba...", QStyle::SP_MessageBoxCritical, true, true},
    {"Informácia...", QStyle::SP_MessageBoxInformation, true, false},
    {"Otázka...", QStyle::SP_MessageBoxQuestion, true, true},
    {"Správa...", QStyle::SP_MessageBoxInformation, false, true},
};

const KindLook *look(int kind) {
    return kind >= 0 && kind < int(std::size(kinds)) ? &kinds[kind] : nullptr;
}

// Enter: OK, else Yes, else Retry. Escape: Cancel, else No, else OK.
Services::Button firstOf(Services::Buttons buttons, std::initializer_list<Services::Button> order) {
    for (Services::Button b : order) {
        if (buttons.testFlag(b))
            return b;
    }
    return Services::Button(0);
}

} // namespace

QString MessageDialog::caption(int kind) {
    const KindLook *k = look(kind);
    return k ? QString::fromUtf8(k->caption) : QString();
}

bool MessageDialog::sounds(int kind) {
    const KindLook *k = look(kind);
    return k && k->sound;
}

MessageDialog::MessageDialog(const QString &text, int kind, Services::Buttons buttons, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(caption(kind));
    m_sound = sounds(kind);
    setModal(true);
    auto *top = new QHBoxLayout;
    if (const KindLook *k = look(kind); k && k->hasIcon) {
        auto *icon = new QLabel(this);
        icon->setObjectName(QStringLiteral("Image"));
        icon->setPixmap(style()->standardIcon(k->icon).pixmap(32, 32));
        icon->setAlignment(Qt::AlignTop);
        top->addWidget(icon);
    }
    auto *message = new QLabel(text, this);
    message->setObjectName(QStringLiteral("Message"));
    top->addWidget(message, 1);

    const Services::Button enter = firstOf(buttons, {Services::OK, Services::Yes, Services::Retry});
    const Services::Button escape = firstOf(buttons, {Services::Cancel, Services::No, Services::OK});
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (const Answer &a : answers) {
        if (!buttons.testFlag(a.button))
            continue;
        auto *button = new QPushButton(QString::fromUtf8(a.caption), this);
        button->setAutoDefault(false);
        button->setDefault(a.button == enter);
        if (a.button == escape)
            m_escape = button;
        if (a.result != 0)
            connect(button, &QPushButton::clicked, this, [this, result = a.result] { done(result); });
        row->addWidget(button);
    }
    row->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int MessageDialog::exec() {
    // The sound plays just before the dialog shows.
    if (m_sound)
        QApplication::beep();
    return QDialog::exec();
}

void MessageDialog::reject() {
    // Escape presses the cancelling answer; without one it does nothing (the dialog has no close button).
    if (m_escape)
        m_escape->click();
}

void plainMessageBox(const QString &text, QWidget *parent) {
    QMessageBox box(QMessageBox::NoIcon, programName(), text, QMessageBox::NoButton, parent);
    QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}
