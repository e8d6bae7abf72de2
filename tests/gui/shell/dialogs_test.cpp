// The dialogs: the first run's, the language switch that every open window follows, the model
// dialog, the About dialog's log switch, the external tools and contacts from a user database.
#include "common/interface_texts.h"
#include "link/comm_log.h"
#include "settings/program_folders.h"
#include "settings/setup_file.h"
#include "shell/category_tree.h"
#include "shell/main_menus.h"
#include "shell_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
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

TEST_F(ShellTest, ContactsDatabaseDialogCountsAsTheChoiceChangesAndAddsOneUndoableStep) {
    writeFile(home / "users.csv", "Radio ID,Callsign,Name,City,Country\n"
                                  "2620001,DL1AAA,Jürgen,Berlin,Germany\n"
                                  "3100001,K1ABC,Bob,Boston,United States\n"
                                  "3100002,K1ABD,Ann,Boston,United States\n"
                                  "bad,K1XYZ,Bad,,\n"
                                  "3100003,K1ABE,Eve,Salem,United States\n");
    start();
    const Codeplug before = document().codeplug();
    trigger("MnuToolContactsDb");
    QDialog* dialog = dialogInFront();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->objectName(), "frmContactsDb");
    auto* ok = dialog->findChild<QPushButton*>("CommandOK");
    auto* count = dialog->findChild<QLabel*>("lblCount");
    auto* countries = dialog->findChild<QListWidget*>("lstCountries");
    auto* most = dialog->findChild<QSpinBox*>("spnMax");
    ASSERT_TRUE(ok && count && countries && most);
    EXPECT_FALSE(ok->isEnabled()); // no database yet

    prompt.choose(QString::fromStdString((home / "users.csv").string()));
    click(*dialog, "CommandOpenFile");
    EXPECT_TRUE(dialog->findChild<QLabel*>("lblDatabase")
                    ->text()
                    .contains("Lines skipped that could not be read: 1 (line 5)."));
    EXPECT_EQ(count->text(), "4 users selected, 0 of them already contacts.\nRoom for 9999 "
                             "contacts: 4 will be added.");
    const auto us = countries->findItems("United States (3)", Qt::MatchExactly);
    ASSERT_EQ(us.size(), 1);
    us.front()->setCheckState(Qt::Checked);
    EXPECT_TRUE(count->text().startsWith("3 users selected")) << count->text().toStdString();
    most->setValue(2);
    EXPECT_TRUE(count->text().endsWith("Room for 2 contacts: 2 will be added."));
    ASSERT_TRUE(ok->isEnabled());

    click(*dialog, "CommandOK");
    settle();
    EXPECT_EQ(dialogInFront(), nullptr);
    const auto& contacts = document().codeplug().Contact;
    EXPECT_EQ(contacts[1].Id, 3100001);
    EXPECT_EQ(contacts[1].Name, "Bob");
    EXPECT_EQ(contacts[2].Id, 3100002);
    EXPECT_EQ(contacts[3].Used, 0);
    EXPECT_EQ(window().statusBar()->currentMessage(), "2 contacts added from users.csv.");
    EXPECT_EQ(window().session().undoStack().count(), 1);
    trigger("mnuEditUndo");
    EXPECT_TRUE(document().codeplug() == before);
}

} // namespace
} // namespace r605::test
