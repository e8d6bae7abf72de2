// r605cps_screenshots: the main window with each tree node selected, in English and then in
// Chinese, and each dialog, saved as pictures for the eyes (scripts/screenshots runs it under a
// virtual X display).
//   r605cps_screenshots --home DIR --out DIR [FILE]
// The program folder is used as it is: give it a copy (it writes its settings files).
#include "common/interface_texts.h"
#include "common/prompt.h"
#include "common/shell_context.h"
#include "program_folder.h"
#include "shell/category_tree.h"
#include "shell/main_menus.h"
#include "shell/main_window.h"
#include "shell/shell_application.h"
#include "transfers/progress_dialog.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QDir>
#include <QIcon>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QTreeWidget>

#include <deque>
#include <functional>
#include <iostream>
#include <vector>

namespace {

using Step = std::function<void()>;

class Shooter {
public:
    Shooter(QString folder) : m_folder(std::move(folder)) {}

    void add(Step step) { m_steps.push_back(std::move(step)); }
    // Steps that run before every step added so far.
    void insertNext(std::vector<Step> steps) {
        m_steps.insert(m_steps.begin(), std::make_move_iterator(steps.begin()),
                       std::make_move_iterator(steps.end()));
    }
    void run() {
        if (m_steps.empty()) {
            QApplication::quit();
            return;
        }
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        step();
        // Time for layouts, repaints and dialogs that open() to appear.
        QTimer::singleShot(250, [this] { run(); });
    }
    void save(QWidget* widget, const QString& name) {
        if (widget == nullptr) {
            std::cerr << "nothing to picture for " << name.toStdString() << "\n";
            return;
        }
        const QString file = m_folder + "/" + name + ".png";
        widget->grab().save(file);
        std::cout << file.toStdString() << "\n";
    }
    static QWidget* dialogInFront() { return QApplication::activeModalWidget(); }
    // The dialog in front is pictured, then closed.
    void shootDialog(const QString& name) {
        add([this, name] { save(dialogInFront(), name); });
        add([] {
            if (auto* dialog = qobject_cast<QDialog*>(dialogInFront()))
                dialog->reject();
        });
    }

private:
    QString m_folder;
    std::deque<Step> m_steps;
};

void shootLanguage(Shooter& shooter, r605::ShellApplication& shell, const QString& language) {
    const auto window = [&shell] { return shell.mainWindow(); };
    const auto trigger = [window](const char* name) {
        return [window, name] { window()->menus().action(name)->trigger(); };
    };
    // Every node of the tree, in order.
    shooter.add([&shooter, window, language] {
        r605::CategoryTree& tree = window()->tree();
        QStringList keys;
        for (QTreeWidgetItemIterator it(&tree); *it != nullptr; ++it)
            keys << (*it)->data(0, Qt::UserRole).toString();
        std::vector<Step> steps;
        for (const QString& key : keys) {
            steps.push_back([window, key] {
                r605::CategoryTree& tree = window()->tree();
                QTreeWidgetItem* item = tree.itemOfKey(key);
                tree.setCurrentItem(item);
                emit tree.itemClicked(item, 0);
            });
            steps.push_back([&shooter, window, key, language] {
                if (QWidget* form = Shooter::dialogInFront()) {
                    shooter.save(form, language + "-form-" + key);
                    if (auto* dialog = qobject_cast<QDialog*>(form))
                        dialog->reject();
                    return;
                }
                shooter.save(window(), language + "-main-" + key);
            });
        }
        shooter.insertNext(std::move(steps));
    });
    for (const char* menu : {"mnuFile", "mnuEdit", "MnuTool", "MnuHelp"}) {
        shooter.add([window, menu] {
            QMenu* popup = window()->menus().menu(menu);
            window()->menuBar()->setActiveAction(popup->menuAction());
        });
        shooter.add([&shooter, window, menu, language] {
            shooter.save(window()->menus().menu(menu), language + "-menu-" + menu);
            window()->menus().menu(menu)->hide();
        });
    }
    const struct {
        const char* action;
        const char* name;
    } dialogs[]{{"MnuModelInfo", "FrmModel"},
                {"MnuToolMode", "Frm_ToolMode"},
                {"MnuToolExtended", "Frm_Extended"},
                {"MnuToolAnnex", "Frm_Annex"},
                {"MnuHelpAbout", "frmAbout"},
                {"mnuProRead", "FrmComing-read"},
                {"mnuFileNew", "MsgBox-new"},
                {"MnuSetLanguage", "FrmLanguage"},
                {"MnuToolContactsDb", "frmContactsDb"},
                {"mnuFilePrint", "frmPrint"},
                {"MnuSetCom", "FrmComSet"},
                {"mnuFileCompareRadio", "MsgBox-read"}};
    for (const auto& dialog : dialogs) {
        shooter.add(trigger(dialog.action));
        shooter.shootDialog(language + "-dialog-" + dialog.name);
    }
    // What a read from the radio shows while it runs: its progress, the question when the radio
    // does not answer, the password dialog.
    shooter.add([&shell] {
        auto* progress = new r605::ProgressDialog(
            shell.context().texts, r605::OperationKind::ReadCodeplug, shell.mainWindow());
        progress->setAttribute(Qt::WA_DeleteOnClose);
        progress->setProgressValue(42);
        progress->open();
    });
    shooter.add([&shooter, language] {
        auto* progress = qobject_cast<r605::ProgressDialog*>(Shooter::dialogInFront());
        shooter.save(progress, language + "-dialog-FrmProgress");
        if (progress != nullptr)
            progress->finish();
    });
    shooter.add([&shell] {
        r605::ShellContext& context = shell.context();
        context.prompt.ask({context.texts.text(2003),
                            r605::PromptButtons::RetryCancel,
                            r605::PromptIcon::Warning,
                            {}},
                           {});
    });
    shooter.shootDialog(language + "-dialog-MsgBox-retry");
    shooter.add([&shell] {
        r605::ShellContext& context = shell.context();
        context.prompt.askText({context.texts.text(3100), context.texts.text(3101), "1234", true},
                               {});
    });
    shooter.shootDialog(language + "-dialog-FrmPassWord");
    shooter.add(trigger("MnuHelpContent"));
    shooter.add([&shooter, language] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == "frmHelp" && top->isVisible()) {
                shooter.save(top, language + "-help");
                top->close();
            }
        }
    });
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("r605cps");
    QApplication::setOrganizationName("R605");
    QApplication::setApplicationVersion("screenshots");
    QIcon icon(":/r605cps-256.png");
    icon.addFile(":/r605cps-48.png");
    QApplication::setWindowIcon(icon);
    QCommandLineParser parser;
    const QCommandLineOption home("home", "The program folder (a copy).", "DIR");
    const QCommandLineOption out("out", "Where the pictures go.", "DIR");
    parser.addOptions({home, out});
    parser.addPositionalArgument("FILE", "A codeplug to open.");
    parser.process(application);
    QDir().mkpath(parser.value(out));

    r605::StartOptions options;
    options.programFolder = r605::resolveProgramFolder(parser.value(home).toStdString());
    options.languageIndex = 1;
    if (!parser.positionalArguments().isEmpty())
        options.file = parser.positionalArguments().front();
    r605::ShellApplication shell(options);
    Shooter shooter(parser.value(out));

    // The first run's radio options, then the window with the message of the file it opened.
    shooter.add([&shell] { shell.start(); });
    shooter.shootDialog("en-firstrun-Frm_Annex");
    shooter.shootDialog("en-dialog-load-message");
    shootLanguage(shooter, shell, "en");
    // Every open window takes the other language at once: the language dialog's choice.
    shooter.add([&shell] { shell.mainWindow()->menus().action("MnuSetLanguage")->trigger(); });
    shooter.add([] {
        auto* dialog = qobject_cast<QDialog*>(Shooter::dialogInFront());
        dialog->findChild<QListWidget*>("List1")->setCurrentRow(1);
        dialog->accept();
    });
    shootLanguage(shooter, shell, "zh");
    shooter.add([&shell] { shell.mainWindow()->close(); });
    QTimer::singleShot(0, [&shooter] { shooter.run(); });
    return QApplication::exec();
}
