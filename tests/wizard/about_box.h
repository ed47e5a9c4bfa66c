#pragma once
// The About box as the sheet shows it, from a button or a menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <functional>

namespace bw {

// What the About box says when action shows it: its title and text.
inline QString AboutBoxShownBy(const std::function<void()>& action) {
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->windowTitle() + "|" + box->text();
            box->accept();
        }
    });
    action();
    return shown;
}

inline void ExpectAboutBox(const QString& shown) {
    EXPECT_TRUE(shown.startsWith("About Tessaline Blockwright|")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("Version 4.30")) << shown.toStdString();
}

}  // namespace bw
