#include "shell_fixture.h"

#include "shell/main_menus.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QTest>

namespace r605::test {

ShellTest::ShellTest() {
    copyProgramData(home.path());
    writeFile(setupFile(), "[language]\nIsFirstRun=0\n");
}

ShellTest::~ShellTest() {
    app.reset();
    settle();
}

void ShellTest::start(const QString& file) {
    StartOptions options;
    options.programFolder = home.path();
    options.systemLcidHex = "409";
    options.file = file;
    app = std::make_unique<ShellApplication>(options, &prompt);
    app->start();
}

MainWindow& ShellTest::window() {
    MainWindow* window = app->mainWindow();
    EXPECT_NE(window, nullptr);
    return *window;
}

void ShellTest::trigger(const char* name) {
    QAction* action = window().menus().action(name);
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
}

QDialog* ShellTest::dialogInFront() {
    return qobject_cast<QDialog*>(QApplication::activeModalWidget());
}

void ShellTest::click(QWidget& dialog, const char* button) {
    auto* found = dialog.findChild<QAbstractButton*>(button);
    ASSERT_NE(found, nullptr) << button;
    QTest::mouseClick(found, Qt::LeftButton);
}

void ShellTest::tick(QCheckBox& box) {
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, box.height() / 2));
}

void ShellTest::settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void ShellTest::makeUnsavedChange(const std::string& name) {
    change(
        document(), [&](Codeplug& codeplug) { codeplug.Channel[0].Name = name; },
        EditKind::EditRecord);
}

std::string ShellTest::channelName(std::size_t entry) const {
    return app->document().codeplug().Channel[entry].Name;
}

} // namespace r605::test
