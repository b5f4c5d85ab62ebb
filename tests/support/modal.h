#pragma once

#include <QApplication>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs the action on the next modal window of that title (any modal window for an empty title) as soon
// as it is open. The watch ends itself once it acted; delete it when the call opened no window.
// Polled, because the call that opens it may process events first (the busy window repaints, a beep
// pauses), so a timer that fires once could look too early and leave the dialog open for good.
inline QPointer<QTimer> whenModal(const QString &title, std::function<void(QWidget *)> action) {
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, title, action] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || (!title.isEmpty() && modal->windowTitle() != title))
            return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
    return QPointer<QTimer>(timer);
}
