// The shell tests' main: one QApplication on the offscreen platform, and the per-user settings
// (window placement, recent files) in a folder of the run instead of the user's own.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    QApplication application(argc, argv);
    QApplication::setOrganizationName("R605");
    QApplication::setApplicationName("r605cps");
    return RUN_ALL_TESTS();
}
