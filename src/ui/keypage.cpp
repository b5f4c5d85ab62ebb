#include "ui/keypage.h"

#include "ui/keys.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

void showKeyPage(QWidget *parent) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("KeyPage"));
    dialog.setWindowTitle(QStringLiteral("Klávesy"));
    auto *text = new QLabel(keys::keyPageHtml(), &dialog);
    text->setObjectName(QStringLiteral("Keys"));
    text->setTextFormat(Qt::RichText);
    text->setWordWrap(true);
    text->setMinimumWidth(520);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog.exec();
}
