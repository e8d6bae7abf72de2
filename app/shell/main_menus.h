#pragma once
// The menu bar and the toolbar of the main window. Every menu and item carries its name from the
// design as objectName (mnuFileNew, MnuToolBootImage, ...) and every toolbar button its key
// (TNewFile, T_Up, ...); captions come by key from the language file and are taken again when
// the language changes. The list-edit menu is built like the others but kept off the bar: the
// grids pop it up.

#include <QObject>
#include <QString>

#include <map>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace r605 {

class InterfaceTexts;

class MainMenus : public QObject {
    Q_OBJECT

public:
    MainMenus(QMainWindow& window, const InterfaceTexts& texts);

    // A menu item, separator or toolbar button by its name; null for an unknown name.
    QAction* action(const QString& name) const;
    QMenu* menu(const QString& name) const;
    QToolBar& toolBar() { return *m_toolBar; }

    // The Edit menu's Undo and Redo items: "Undo" or "Redo" and what the step did.
    void setUndoText(const QString& what);
    void setRedoText(const QString& what);

public slots:
    void retranslate();

private:
    void buildMenus(QMainWindow& window);
    void buildToolBar(QMainWindow& window);

    const InterfaceTexts& m_texts;
    std::map<QString, QAction*> m_actions;
    std::map<QString, QMenu*> m_menus;
    QToolBar* m_toolBar = nullptr;
    QString m_undoWhat;
    QString m_redoWhat;
};

} // namespace r605
