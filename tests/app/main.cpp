// The app tests run without a display and never touch the real user's
// settings: the XDG configuration folders point into a temporary folder
// before Qt first looks at them. Tests may move them again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QTemporaryDir config;
    if (!config.isValid()) {
        return 1;
    }
    const QByteArray home = (config.path() + QStringLiteral("/home")).toLocal8Bit();
    const QByteArray system = (config.path() + QStringLiteral("/system")).toLocal8Bit();
    qputenv("XDG_CONFIG_HOME", home);
    qputenv("XDG_CONFIG_DIRS", system);
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // QTemporaryDir is private to the user, as the runtime folder must be.
        qputenv("XDG_RUNTIME_DIR", config.path().toLocal8Bit());
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
