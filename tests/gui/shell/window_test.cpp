// The main window: its tree, menus, toolbar and the rules of the start-up state; what a click on a
// node or a record opens; closing with unsaved changes.
#include "shell/category_tree.h"
#include "shell/main_menus.h"
#include "shell_fixture.h"

#include "document/codeplug_files.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>
#include <QToolBar>

namespace r605::test {
namespace {

QStringList childKeys(const CategoryTree& tree, const QString& key) {
    QStringList keys;
    const QTreeWidgetItem* item = tree.itemOfKey(key);
    for (int i = 0; item != nullptr && i < item->childCount(); ++i)
        keys << item->child(i)->data(0, Qt::UserRole).toString();
    return keys;
}

void clickNode(CategoryTree& tree, const QString& key) {
    QTreeWidgetItem* item = tree.itemOfKey(key);
    ASSERT_NE(item, nullptr) << key.toStdString();
    tree.scrollToItem(item);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(item).center());
}

// The names of a menu's items in order: separators by their names, submenus by theirs.
QStringList itemNames(const QMenu& menu) {
    QStringList names;
    for (const QAction* action : menu.actions())
        names << (action->menu() != nullptr ? action->menu()->objectName() : action->objectName());
    return names;
}

TEST_F(ShellTest, TreeHoldsItsNodesInOrderAndOpensTheirGridsAndForms) {
    // A form node whose caption the language file leaves empty is not shown.
    std::string english = readFile(home / "language" / "english.ini");
    english.replace(english.find("12026=Alert Tones"), 17, "12026=");
    writeFile(home / "language" / "english.ini", english);
    start();
    CategoryTree& tree = window().tree();

    ASSERT_EQ(tree.topLevelItemCount(), 1);
    EXPECT_EQ(tree.topLevelItem(0)->text(0), "R605UHF");
    EXPECT_EQ(childKeys(tree, "NR"), (QStringList{"NP", "ND", "NA"}));
    EXPECT_EQ(childKeys(tree, "NP"),
              (QStringList{"N0", "N2", "N3", "N6", "N7", "N20", "N21", "N27", "N28"}));
    EXPECT_EQ(childKeys(tree, "ND"), (QStringList{"N1", "N5", "N15", "N16", "N10", "N19", "N30"}));
    EXPECT_EQ(childKeys(tree, "NA"), (QStringList{"N22", "N23", "N24"}));
    EXPECT_EQ(tree.itemOfKey("N16")->text(0), shell().texts.text(12016));
    EXPECT_EQ(tree.itemOfKey("ND")->text(0), shell().texts.text(13001));
    // List nodes show their grid (node 30 the long key list), form nodes open their form.
    clickNode(tree, "N5");
    EXPECT_EQ(window().currentGrid(), 5);
    EXPECT_EQ(window().findChild<QStackedWidget*>("gridStack")->currentIndex(), 5);
    clickNode(tree, "N30");
    EXPECT_EQ(window().currentGrid(), 19);
    clickNode(tree, "N23");
    QDialog* bytes = dialogInFront();
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes->objectName(), "FrmRawBytes");
    EXPECT_TRUE(
        bytes->findChild<QPlainTextEdit*>("txtRawBytes")->toPlainText().contains("024C1100  "));
    click(*bytes, "CommandClose");
    clickNode(tree, "N20");
    ASSERT_NE(dialogInFront(), nullptr);
    EXPECT_EQ(dialogInFront()->objectName(), "FrmComing");
    click(*dialogInFront(), "CommandClose");
    EXPECT_EQ(dialogInFront(), nullptr);
    // Enter on a channel row asks for the channel form.
    clickNode(tree, "N0");
    QTableView* channels = window().grid(0).findChild<QTableView*>("MSFlexGrid1");
    channels->setFocus();
    channels->setCurrentIndex(channels->model()->index(0, 0));
    QTest::keyClick(channels, Qt::Key_Return);
    ASSERT_NE(dialogInFront(), nullptr);
    EXPECT_EQ(dialogInFront()->windowTitle(), shell().texts.text(12000));
    click(*dialogInFront(), "CommandClose");
    // A radio with APRS, as the user says in the radio options: the APRS node follows node 28.
    trigger("MnuToolAnnex");
    QDialog* annex = dialogInFront();
    ASSERT_NE(annex, nullptr);
    EXPECT_EQ(annex->objectName(), "Frm_Annex");
    tick(*annex->findChild<QCheckBox*>("Check1_0"));
    click(*annex, "CommandOK");
    EXPECT_EQ(childKeys(tree, "NP").mid(8), (QStringList{"N28", "N29"}));
    EXPECT_EQ(readFile(home / "Init.EXT"), std::string(5, '\0') + '\1' + std::string(94, '\0'));
}

TEST_F(ShellTest, MenusFollowTheDesignAndTheStartupState) {
    const std::string viewFlags{0, 0, 1, 0, 0, 0, 7, 0};
    writeFile(home / "Setting.ini", viewFlags);
    start();
    MainMenus& menus = window().menus();

    QStringList bar;
    for (const QAction* entry : window().menuBar()->actions()) {
        if (entry->isVisible())
            bar << entry->menu()->objectName();
    }
    EXPECT_EQ(bar, (QStringList{"mnuFile", "MnuModel", "mnuEdit", "MnuSet", "mnuPro", "MnuTool",
                                "MnuView", "MnuHelp"}));
    // Every menu titled, every item named (the items themselves are the menu table's), the
    // recent files a submenu of File.
    for (const char* menu : {"mnuFile", "MnuModel", "mnuEdit", "MnuSet", "mnuPro", "MnuTool",
                             "MnuListEdit", "MnuView", "MnuHelp"}) {
        ASSERT_NE(menus.menu(menu), nullptr) << menu;
        EXPECT_FALSE(menus.menu(menu)->title().isEmpty()) << menu;
        EXPECT_FALSE(itemNames(*menus.menu(menu)).contains(QString())) << menu;
    }
    EXPECT_TRUE(itemNames(*menus.menu("mnuFile")).contains("mnuFileRecent"));
    QStringList buttons;
    for (const QAction* button : menus.toolBar().actions()) {
        if (!button->isSeparator())
            buttons << button->objectName();
    }
    EXPECT_EQ(buttons, (QStringList{"TNewFile", "TOpenFile", "TSaveFile", "TCommRead", "TCommWrite",
                                    "TCommPort", "T_Up", "T_Down", "TAbout"}));
    // No edition: the language menu instead of tool mode; no factory mode; Setting.ini 0, 1, 0.
    const auto visible = [&](const char* name) { return menus.action(name)->isVisible(); };
    EXPECT_TRUE(visible("MnuSetLanguage"));
    EXPECT_FALSE(visible("MnuToolMode"));
    EXPECT_FALSE(visible("MnuHelpAutoTest"));
    EXPECT_FALSE(visible("MnuView5Tone"));
    EXPECT_TRUE(visible("MnuView2Tone"));
    EXPECT_FALSE(visible("MnuViewDTMF"));
    EXPECT_FALSE(menus.menu("MnuListEdit")->menuAction()->isVisible());

    trigger("MnuViewToolBar");
    EXPECT_FALSE(menus.toolBar().isVisible());
    EXPECT_FALSE(menus.action("MnuViewToolBar")->isChecked());
    trigger("MnuViewToolBar");
    EXPECT_TRUE(menus.toolBar().isVisible());
    // Close-down: Setting.ini as it was read, the window's place and size in twips.
    window().resize(700, 500);
    window().close();
    EXPECT_EQ(readFile(home / "Setting.ini"), viewFlags);
    QSettings settings("R605", "r605cps");
    EXPECT_EQ(settings.value("Settings/MainWidth").toInt(), 700 * 15);
    EXPECT_EQ(settings.value("Settings/MainHeight").toInt(), 500 * 15);
}

TEST_F(ShellTest, EditMenuUndoesWhatTheListEditMenuDid) {
    start();
    clickNode(window().tree(), "N0");
    QTableView& channels = window().grid(0).view();
    QTest::mouseClick(channels.viewport(), Qt::LeftButton, {},
                      channels.visualRect(channels.model()->index(0, 0)).center());
    trigger("MnuLEDelete");
    EXPECT_EQ(document().codeplug().Channel[0].Used, 0);
    QAction* undo = window().menus().action("mnuEditUndo");
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), shell().texts.text(14216) + " " + shell().texts.text(14002));

    trigger("mnuEditUndo");
    EXPECT_EQ(document().codeplug().Channel[0].Used, 1);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(window().menus().action("mnuEditRedo")->text(),
              shell().texts.text(14217) + " " + shell().texts.text(14002));
}

TEST_F(ShellTest, ClosingWithUnsavedChangesAsksFirst) {
    start();
    makeUnsavedChange();
    EXPECT_TRUE(window().isWindowModified());

    prompt.answer(PromptAnswer::Cancel);
    window().close();
    settle();
    const auto asked = prompt.takeMessages();
    ASSERT_EQ(asked.size(), 1U);
    EXPECT_EQ(asked[0].text, shell().texts.text(9001, Section::Msg));
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(channelName(0), "Edited");
    EXPECT_TRUE(document().hasUnsavedChanges());
    // Yes saves the new codeplug under the name chosen, then the window closes.
    const auto file = home / "closing.rdt";
    prompt.answer(PromptAnswer::Yes);
    prompt.choose(QString::fromStdString(file.string()));
    window().close();
    settle();
    EXPECT_FALSE(window().isVisible());
    const auto saved = LoadCodeplug(file);
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved->codeplug.Channel[0].Name, "Edited");
    EXPECT_TRUE(prompt.scriptUsedUp());
}

} // namespace
} // namespace r605::test
