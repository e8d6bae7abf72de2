#include "shell/main_menus.h"

#include "common/interface_texts.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include <span>

namespace r605 {

namespace {

struct ItemSpec {
    const char* name;
    TextKey caption; // none for a separator
    const char* shortcut = "";
};

struct MenuSpec {
    const char* name;
    TextKey caption;
    std::span<const ItemSpec> items;
};

// The recent files are a submenu of their own inside the File menu.
constexpr const char* kRecentMenu = "mnuFileRecent";

constexpr ItemSpec kFileItems[]{
    {"mnuFileNew", TextKey{14201}, "Ctrl+N"},
    {"mnuFileOpen", TextKey{14202}, "Ctrl+O"},
    {"mnuFileSave", TextKey{14203}, "Ctrl+S"},
    {"mnuFileSaveAs", TextKey{14204}, "Ctrl+Shift+S"},
    {"mnuFileCompare", TextKey{15140}},
    {"mnuFileCompareRadio", TextKey{15170}},
    {"mnuFileBar0", {}},
    {"mnuFilePrint", TextKey{14205}, "Ctrl+P"},
    {"mnuFileBar1", {}},
    {kRecentMenu, TextKey{14207}},
    {"mnuFileBar2", {}},
    {"mnuFileExit", TextKey{14206}, "Ctrl+Q"},
};
constexpr ItemSpec kModelItems[]{{"MnuModelInfo", TextKey{14211}}};
// Undo and Redo lead the Edit menu; the design's items follow directly under it.
constexpr ItemSpec kEditItems[]{
    {"mnuEditUndo", TextKey{14216}, "Ctrl+Z"},
    {"mnuEditRedo", TextKey{14217}, "Ctrl+Y"},
    {"mnuEditBar0", {}},
    {"mnuEditCH", TextKey{14218}},
    {"MnuViewSetMode", TextKey{14219}},
    {"MnuViewRadio", TextKey{14220}},
    {"MnuViewDTMF", TextKey{14221}},
    {"MnuView2Tone", TextKey{14222}},
    {"MnuView5Tone", TextKey{14223}},
    {"MnuViewScan", TextKey{14224}},
    {"MnuViewKey", TextKey{14225}},
    {"MnuViewAlert", TextKey{14226}},
    {"MnuViewToneTip", TextKey{14227}},
    {"MnuCommBook", TextKey{14228}},
    {"MnuEMg", TextKey{14229}},
    {"mnuTestData", TextKey{14230}},
};
constexpr ItemSpec kSetItems[]{
    {"MnuSetCom", TextKey{14236}},
    {"MnuSetLanguage", TextKey{14237}},
    {"MnuSetInit", TextKey{14238}},
};
constexpr ItemSpec kProgramItems[]{
    {"mnuProRead", TextKey{14241}},
    {"MnuProWrite", TextKey{14242}},
    {"mnuProReadReset", TextKey{14243}},
    {"mnuProWriteReset", TextKey{14244}},
};
constexpr ItemSpec kToolItems[]{
    {"MnuToolRec", TextKey{14246}},       {"MnuToolIn", TextKey{14247}},
    {"MnuToolOut", TextKey{14248}},       {"MnuToolContactsDb", TextKey{15200}},
    {"MnuToolMode", TextKey{14249}},      {"MnuToolExtended", TextKey{14250}},
    {"MnuToolUpdate", TextKey{14251}},    {"MnuToolBootImage", TextKey{14252}},
    {"MnuToolDefaultCH", TextKey{14253}}, {"MnuToolAnnex", TextKey{14254}},
};
constexpr ItemSpec kListEditItems[]{
    {"MnuLECopy", TextKey{14256}, "Ctrl+C"},
    {"MnuLECut", TextKey{14257}, "Ctrl+X"},
    {"MnuLEPaste", TextKey{14258}, "Ctrl+V"},
    {"MnuLEDelete", TextKey{14259}, "Del"},
};
constexpr ItemSpec kViewItems[]{
    {"MnuViewToolBar", TextKey{14261}},
    {"MnuViewStatusBar", TextKey{14262}},
};
constexpr ItemSpec kHelpItems[]{
    {"MnuHelpContent", TextKey{14266}, "F1"},
    {"MnuHelpAbout", TextKey{14267}},
    {"MnuHelpAutoTest", TextKey{14268}},
};

constexpr MenuSpec kMenus[]{
    {"mnuFile", TextKey{14200}, kFileItems},         {"MnuModel", TextKey{14210}, kModelItems},
    {"mnuEdit", TextKey{14215}, kEditItems},         {"MnuSet", TextKey{14235}, kSetItems},
    {"mnuPro", TextKey{14240}, kProgramItems},       {"MnuTool", TextKey{14245}, kToolItems},
    {"MnuListEdit", TextKey{14255}, kListEditItems}, {"MnuView", TextKey{14260}, kViewItems},
    {"MnuHelp", TextKey{14265}, kHelpItems},
};

struct ButtonSpec {
    const char* key;
    TextKey caption;
    QStyle::StandardPixmap icon;
    bool withText = false; // the caption beside the icon, where icons alone would look alike
};

constexpr ButtonSpec kButtons[]{
    {"TNewFile", TextKey{14201}, QStyle::SP_FileIcon},
    {"TOpenFile", TextKey{14202}, QStyle::SP_DialogOpenButton},
    {"TSaveFile", TextKey{14203}, QStyle::SP_DialogSaveButton},
    {"", {}, QStyle::SP_CustomBase},
    {"TCommRead", TextKey{14272}, QStyle::SP_ArrowDown, true},
    {"TCommWrite", TextKey{14273}, QStyle::SP_ArrowUp, true},
    {"TCommPort", TextKey{14236}, QStyle::SP_ComputerIcon},
    {"", {}, QStyle::SP_CustomBase},
    {"T_Up", TextKey{14270}, QStyle::SP_TitleBarShadeButton, true},
    {"T_Down", TextKey{14271}, QStyle::SP_TitleBarUnshadeButton, true},
    {"", {}, QStyle::SP_CustomBase},
    {"TAbout", TextKey{14267}, QStyle::SP_MessageBoxInformation},
};

} // namespace

MainMenus::MainMenus(QMainWindow& window, const InterfaceTexts& texts)
    : QObject(&window), m_texts(texts) {
    buildMenus(window);
    buildToolBar(window);
    retranslate();
}

void MainMenus::buildMenus(QMainWindow& window) {
    QMenuBar* bar = window.menuBar();
    for (const MenuSpec& menuDesign : kMenus) {
        auto* menu = new QMenu(&window);
        menu->setObjectName(menuDesign.name);
        m_menus[menuDesign.name] = menu;
        for (const ItemSpec& item : menuDesign.items) {
            if (QString(item.name) == kRecentMenu) {
                auto* recent = new QMenu(menu);
                recent->setObjectName(kRecentMenu);
                m_menus[kRecentMenu] = recent;
                menu->addMenu(recent);
                continue;
            }
            auto* action = new QAction(&window);
            action->setObjectName(item.name);
            action->setSeparator(item.caption.number == 0);
            if (*item.shortcut != '\0')
                action->setShortcut(QKeySequence(QString(item.shortcut)));
            menu->addAction(action);
            m_actions[item.name] = action;
        }
        QAction* entry = bar->addMenu(menu);
        entry->setObjectName(QString(menuDesign.name) + "Entry");
    }
    // The list-edit menu's shortcuts belong to the grids, which handle the keys themselves.
    for (const ItemSpec& item : kListEditItems)
        m_actions[item.name]->setShortcutContext(Qt::WidgetShortcut);
    m_menus["MnuListEdit"]->menuAction()->setVisible(false);
    m_actions["mnuEditRedo"]->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    for (const char* name : {"MnuViewToolBar", "MnuViewStatusBar"}) {
        m_actions[name]->setCheckable(true);
        m_actions[name]->setChecked(true);
    }
}

void MainMenus::buildToolBar(QMainWindow& window) {
    m_toolBar = window.addToolBar(QString());
    m_toolBar->setObjectName("tbToolBar");
    m_toolBar->setMovable(false);
    const QStyle* style = QApplication::style();
    for (const ButtonSpec& buttonDesign : kButtons) {
        if (*buttonDesign.key == '\0') {
            m_toolBar->addSeparator();
            continue;
        }
        auto* action = new QAction(style->standardIcon(buttonDesign.icon), QString(), &window);
        action->setObjectName(buttonDesign.key);
        m_toolBar->addAction(action);
        m_actions[buttonDesign.key] = action;
        if (auto* button = qobject_cast<QToolButton*>(m_toolBar->widgetForAction(action));
            button != nullptr && buttonDesign.withText)
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
}

QAction* MainMenus::action(const QString& name) const {
    const auto found = m_actions.find(name);
    return found != m_actions.end() ? found->second : nullptr;
}

QMenu* MainMenus::menu(const QString& name) const {
    const auto found = m_menus.find(name);
    return found != m_menus.end() ? found->second : nullptr;
}

void MainMenus::setUndoText(const QString& what) {
    m_undoWhat = what;
    const QString prefix = m_texts.text(14216);
    m_actions["mnuEditUndo"]->setText(what.isEmpty() ? prefix : prefix + " " + what);
}

void MainMenus::setRedoText(const QString& what) {
    m_redoWhat = what;
    const QString prefix = m_texts.text(14217);
    m_actions["mnuEditRedo"]->setText(what.isEmpty() ? prefix : prefix + " " + what);
}

void MainMenus::retranslate() {
    for (const MenuSpec& menuDesign : kMenus) {
        m_menus[menuDesign.name]->setTitle(m_texts.text(menuDesign.caption));
        for (const ItemSpec& item : menuDesign.items) {
            if (item.caption.number == 0)
                continue;
            if (QString(item.name) == kRecentMenu) {
                m_menus[kRecentMenu]->setTitle(m_texts.text(item.caption));
                continue;
            }
            m_actions[item.name]->setText(m_texts.text(item.caption));
        }
    }
    setUndoText(m_undoWhat);
    setRedoText(m_redoWhat);
    m_toolBar->setWindowTitle(plainCaption(m_texts.text(14261)));
    for (const ButtonSpec& buttonDesign : kButtons) {
        if (*buttonDesign.key == '\0')
            continue;
        QAction* action = m_actions[buttonDesign.key];
        action->setText(plainCaption(m_texts.text(buttonDesign.caption)));
        action->setToolTip(plainCaption(m_texts.text(buttonDesign.caption)));
    }
}

} // namespace r605
