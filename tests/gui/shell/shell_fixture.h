#pragma once
// What the shell tests share: a program folder of their own (a copy of data/, the first run done),
// the program started on it with a scripted prompt, and a user's clicks on menus and dialogs.

#include "common/interface_texts.h"
#include "document_edit.h"
#include "scripted_prompt.h"
#include "shell/main_window.h"
#include "shell/shell_application.h"
#include "test_support.h"

#include <QCheckBox>
#include <QDialog>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace r605::test {

class ShellTest : public ::testing::Test {
protected:
    ShellTest();
    ~ShellTest() override;
    // Starts the program; with no first-run dialog, the window is there afterwards.
    void start(const QString& file = {});
    MainWindow& window();
    Document& document() { return app->document(); }
    ShellContext& shell() { return app->context(); }
    // A menu item or toolbar button of the main window, clicked.
    void trigger(const char* name);
    // The modal dialog in front (null when none), and a click on one of its buttons.
    static QDialog* dialogInFront();
    static void click(QWidget& dialog, const char* button);
    // A click on a check box's box.
    static void tick(QCheckBox& box);
    // Lets queued calls and deferred deletes run.
    static void settle();
    // A change such as a form makes: channel 1 gets another name.
    void makeUnsavedChange(const std::string& name = "Edited");
    std::string channelName(std::size_t entry) const;
    std::filesystem::path setupFile() const { return home / "language" / "mysetup.ini"; }

    TempDir home;
    ScriptedPrompt prompt;
    std::unique_ptr<ShellApplication> app;
};

} // namespace r605::test
