#pragma once
// frmMain, the program's one main window: the tree of categories on the left (tvTreeView), the
// twenty record grids stacked on the right with one shown, the splitter between them, the menu
// bar, the toolbar and the status bar. It runs the commands of its menus, opens the forms of
// nodes and records, and on closing asks about unsaved changes and runs the close-down steps.

#include "shell/form_launcher.h"
#include "shell/grid_factory.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>
#include <string>

class QLabel;
class QMimeData;
class QSplitter;
class QStackedWidget;

namespace r605 {

class CategoryTree;
class FileCommands;
class HelpWindow;
class MainMenus;
class RecentFiles;
struct ShellContext;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(ShellContext& shell, Document& document, QWidget* parent = nullptr);
    ~MainWindow() override;

    EditSession& session() { return *m_session; }
    FileCommands& files() { return *m_files; }
    MainMenus& menus() { return *m_menus; }
    CategoryTree& tree() { return *m_tree; }
    int currentGrid() const { return m_currentGrid; }
    // The record grid of an index (0 to 19), made when first asked for.
    GridWidget& grid(int index);

    // A file dropped on the window opens (the first, when several are).
    static QString droppedFile(const QMimeData& data);
    void openDropped(const QMimeData& data);

    // Makes the grid the one shown (a contact page for the contact pages grid).
    void showGrid(int grid, int contactPage = 0);

public slots:
    // Form_ReLoad: the captions in the current language, the tree and the grids again.
    void reload();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildCentre();
    void connectCommands();
    void connectEditCommands();
    void applyStartupVisibility();
    void loadShowTree();
    void updateCaption();
    void updateZoneButtons();
    void nodeChosen(const QString& key);
    void codeplugReplaced();
    void fillRecentMenu();
    void openLanguageDialog();
    void openModelDialog();
    void openHelp();
    void openAbout();
    void openToolMode();
    void openContactsDb();
    void openExtensionFlags(bool annex);
    void openCompare();
    void openCompareWithRadio();
    void showCompare(Codeplug other, const QString& name);
    void openPortDialog();
    void openPrint();
    void closeDown();

    ShellContext& m_shell;
    Document& m_document;
    std::unique_ptr<EditSession> m_session;
    RecentFiles* m_recent;
    FileCommands* m_files;
    MainMenus* m_menus;
    FormLauncher m_forms;
    CategoryTree* m_tree;
    QStackedWidget* m_stack;
    QSplitter* m_splitter;
    QLabel* m_modelLabel;
    QLabel* m_fileLabel;
    std::array<GridWidget*, kGridCount> m_grids{};
    int m_currentGrid = 0;
    int m_contactPage = 0;
    int m_observer = 0;
    bool m_closeAllowed = false;
    QPointer<HelpWindow> m_help;
    // EnteredPassword: the radio's password as last typed during this run, offered again.
    std::string m_enteredPassword;
};

} // namespace r605
