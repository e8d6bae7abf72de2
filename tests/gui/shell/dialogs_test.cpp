// The dialogs: the first run's, the language switch that every open window follows, the model
// dialog, the About dialog's log switch and the external tools.
#include "link/comm_log.h"
#include "settings/program_folders.h"
#include "settings/setup_file.h"
#include "shell/category_tree.h"
#include "shell/interface_texts.h"
#include "shell/main_menus.h"
#include "shell_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QMenu>
#include <QTest>

#include <thread>

namespace r605::test {
namespace {

QWidget* visibleWindowNamed(const char* name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name && window->isVisible())
            return window;
    }
    return nullptr;
}

TEST_F(ShellTest, FirstRunShowsToolModeThenRadioOptionsAndIsDoneAfterwards) {
    writeFile(setupFile(), "[language]\nIsFirstRun=1\nSameName=0\n");
    writeFile(home / "CountryData.ini", "Soft_TChina\r\n");
    start();
    EXPECT_EQ(app->mainWindow(), nullptr);

    QDialog* toolMode = dialogInFront();
    ASSERT_NE(toolMode, nullptr);
    EXPECT_EQ(toolMode->objectName(), "Frm_ToolMode");
    EXPECT_EQ(toolMode->findChild<QAbstractButton*>("CommandOK")->text(),
              shell().texts.text(90000));
    tick(*toolMode->findChild<QCheckBox*>("Check1"));
    click(*toolMode, "CommandOK");
    QDialog* annex = dialogInFront();
    ASSERT_NE(annex, nullptr);
    EXPECT_EQ(annex->objectName(), "Frm_Annex");
    click(*annex, "CommandCancel");

    ASSERT_NE(app->mainWindow(), nullptr);
    EXPECT_TRUE(window().isVisible());
    // With an edition, tool mode instead of the language menu.
    EXPECT_TRUE(window().menus().action("MnuToolMode")->isVisible());
    EXPECT_FALSE(window().menus().action("MnuSetLanguage")->isVisible());
    const SetupValues setup = ReadSetupFile(shell().folders);
    EXPECT_FALSE(setup.IsFirstRun);
    EXPECT_EQ(setup.SameName, 1);

    app.reset();
    start();
    EXPECT_EQ(dialogInFront(), nullptr);
    EXPECT_NE(app->mainWindow(), nullptr);
}

TEST_F(ShellTest, LanguageSwitchRecaptionsEveryOpenWindow) {
    start();
    trigger("MnuHelpContent");
    QWidget* help = visibleWindowNamed("frmHelp");
    ASSERT_NE(help, nullptr);
    trigger("MnuHelpAbout");
    QDialog* about = dialogInFront();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), shell().texts.text(14360));
    tick(*about->findChild<QCheckBox*>("CheckLog"));

    // The switch every window listens to, while the About dialog is open.
    shell().texts.setLanguage(2);
    const Language chinese = Language::load(home.path(), 2);
    const auto text = [&](int key) { return QString::fromStdString(chinese.GetLangText(key)); };
    EXPECT_EQ(about->windowTitle(), text(14360));
    EXPECT_EQ(about->findChild<QAbstractButton*>("CommandOK")->text(), text(90000));
    click(*about, "CommandOK");
    EXPECT_TRUE(shell().commLog.CommLogOn());

    // The language dialog: the user picks Traditional Chinese.
    trigger("MnuSetLanguage");
    QDialog* languages = dialogInFront();
    ASSERT_NE(languages, nullptr);
    auto* list = languages->findChild<QListWidget*>("List1");
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(list->item(2)->text(), text(1504));
    list->setCurrentRow(2);
    click(*languages, "CommandOK");
    const Language traditional = Language::load(home.path(), 3);
    const auto tw = [&](int key) { return QString::fromStdString(traditional.GetLangText(key)); };
    EXPECT_EQ(shell().state.LanguageIndex, 3);
    EXPECT_EQ(window().menus().menu("mnuFile")->title(), tw(14200));
    EXPECT_EQ(window().tree().itemOfKey("N0")->text(0), tw(12000));
    EXPECT_EQ(help->windowTitle(), tw(14370));
    EXPECT_NE(tw(14200), text(14200));
}

TEST_F(ShellTest, ModelDialogReplacesTheCodeplugAfterConfirmation) {
    start();
    makeUnsavedChange();
    const auto choose = [&](int family, int variant) {
        trigger("MnuModelInfo");
        QDialog* dialog = dialogInFront();
        EXPECT_NE(dialog, nullptr);
        dialog->findChild<QListWidget*>("List1")->setCurrentRow(family);
        dialog->findChild<QListWidget*>("List2")->setCurrentRow(variant);
        click(*dialog, "CommandOK");
        settle();
    };

    prompt.answer(PromptAnswer::Cancel);
    choose(1, 2);
    const auto asked = prompt.takeMessages();
    ASSERT_EQ(asked.size(), 1U);
    EXPECT_EQ(asked[0].text, shell().texts.text(99117));
    EXPECT_EQ(asked[0].title, shell().texts.text(99118));
    EXPECT_EQ(dialogInFront(), nullptr);
    EXPECT_EQ(document().band().BandCode, 0);
    EXPECT_EQ(channelName(0), "Edited");

    // VHF, Band 3: band code 34, a new codeplug of that band.
    prompt.answer(PromptAnswer::Ok);
    choose(1, 2);
    EXPECT_EQ(document().band().BandCode, 34);
    EXPECT_EQ(shell().state.ModelName, "R605VHF");
    EXPECT_EQ(channelName(0), "CH 1");
    EXPECT_FALSE(document().hasUnsavedChanges());
    EXPECT_EQ(window().tree().itemOfKey("NR")->text(0), "R605VHF");
    EXPECT_TRUE(window().windowTitle().startsWith("R605[R605VHF:"));
}

TEST_F(ShellTest, ToolsMenuStartsTheToolsThatArePresent) {
    start();
    trigger("MnuToolRec");
    const auto told = prompt.takeMessages();
    ASSERT_EQ(told.size(), 1U);
    EXPECT_TRUE(told[0].text.startsWith(shell().texts.text(14375)));
    EXPECT_TRUE(told[0].text.endsWith("Record/ZTRecord"));

    const auto marker = home / "Update" / "started";
    writeFile(home / "Update" / "Firmware_Update", "#!/bin/sh\ntouch started\n");
    std::filesystem::permissions(home / "Update" / "Firmware_Update",
                                 std::filesystem::perms::owner_all);
    trigger("MnuToolUpdate");
    EXPECT_TRUE(prompt.takeMessages().empty());
    for (int wait = 0; wait < 100 && !std::filesystem::exists(marker); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(std::filesystem::exists(marker));
}

} // namespace
} // namespace r605::test
