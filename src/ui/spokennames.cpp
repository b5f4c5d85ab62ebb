#include "ui/spokennames.h"

#include <QLabel>

QString SpokenNames::fromCaption(const QString &caption) {
    QString name = caption.trimmed();
    while (name.endsWith(u':'))
        name = name.chopped(1).trimmed();
    return name;
}

void SpokenNames::caption(QLabel *label, const QString &text) {
    m_caption = label;
    m_text = fromCaption(text);
}

void SpokenNames::box(QWidget *box, const QString &rowName) {
    if (!rowName.isEmpty())
        box->setAccessibleName(rowName);
    else if (m_caption)
        box->setAccessibleName(m_text);
    if (m_caption)
        m_caption->setBuddy(box);
    m_caption = nullptr;
}

void SpokenNames::other(QWidget *control, const QString &rowName) {
    if (!rowName.isEmpty())
        control->setAccessibleName(rowName);
    m_caption = nullptr;
}
