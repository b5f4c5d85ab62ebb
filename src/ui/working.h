#pragma once

#include <QWidget>

class QLabel;

// The busy window Working: frameless, always on top, the picture of the installation and the label
// Label1 over its white panel.
class TWorking : public QWidget {
    Q_OBJECT
public:
    explicit TWorking(QWidget *parent = nullptr);
    void setText(const QString &text);
    QString text() const;

private:
    QLabel *m_label;
};
