// Opening files and folders with the desktop's programs: what is not there,
// or is not a file, is told without starting anything.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "app/qt_launcher.h"
#include "files/this_system.h"

namespace bw {
namespace {

TEST(ShellOpen, WhatIsNotThereOrNotAFileIsToldWithoutStartingAnything) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const std::string folder = QDir::toNativeSeparators(temp.path()).toStdString();
    const std::string separator = QDir::toNativeSeparators(QStringLiteral("/")).toStdString();
    QtLauncher launcher;

    // A folder is no file to open, though the folder it is in is there.
    EXPECT_EQ(launcher.OpenFile(folder, folder), SHELL_FILE_NOT_FOUND);
    EXPECT_EQ(launcher.OpenFile(folder + separator + "NTAdd.c", folder), SHELL_FILE_NOT_FOUND);
    const std::string gone = folder + separator + "gone";
    EXPECT_EQ(launcher.OpenFile(gone + separator + "NTAdd.c", folder), SHELL_PATH_NOT_FOUND);
    EXPECT_EQ(launcher.OpenFolder(gone), SHELL_PATH_NOT_FOUND);
    if (!RUNNING_ON_WINDOWS) {
        // A Windows path names nothing on this system.
        EXPECT_EQ(launcher.OpenFolder("C:\\Blocks\\NTAdd"), SHELL_PATH_NOT_FOUND);
    }
}

}  // namespace
}  // namespace bw
