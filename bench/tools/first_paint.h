#pragma once

// Ends the application once a widget has been painted for the first time:
// the moment a start-up benchmark counts as "first page shown".

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

class QuitOnFirstPaint : public QObject {
public:
    explicit QuitOnFirstPaint(QWidget* widget) { widget->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            // After the paint has finished and reached the backing store.
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool painted_ = false;
};
