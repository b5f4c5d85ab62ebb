#include "ui/working.h"

#include <QFont>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

TWorking::TWorking(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Working"));
    setFixedSize(400, 110);
    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(0, 0, 400, 110);
    // The picture is a JPEG decoded at start; a build without the JPEG reader shows the label alone.
    picture->setPixmap(QPixmap::fromImage(QImage(QStringLiteral(":/volby/working.jpg"), "JPEG")));

    m_label = new QLabel(QStringLiteral("Pracujem ..."), this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setGeometry(128, 24, 249, 65);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setWordWrap(true);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(14);
    font.setBold(true);
    m_label->setFont(font);
    m_label->setStyleSheet(QStringLiteral("background: white; color: black;"));

    if (const QScreen *screen = this->screen())
        move(screen->geometry().center() - rect().center());
}

void TWorking::setText(const QString &text) {
    m_label->setText(text);
}

QString TWorking::text() const {
    return m_label->text();
}
