#include "shell/main_window.h"

#include "common/interface_texts.h"
#include "common/prompt.h"
#include "common/shell_context.h"
#include "dialogs/about_dialog.h"
#include "dialogs/extension_flags_dialog.h"
#include "dialogs/help_window.h"
#include "dialogs/language_dialog.h"
#include "dialogs/model_dialog.h"
#include "dialogs/tool_mode_dialog.h"
#include "schema/grid_layout.h"
#include "settings/language_choice.h"
#include "settings/startup.h"
#include "shell/category_tree.h"
#include "shell/external_tools.h"
#include "shell/file_commands.h"
#include "shell/main_menus.h"
#include "shell/recent_files.h"
#include "shell/window_placement.h"
#include "tools/compare_dialog.h"
#include "tools/contacts_db_dialog.h"
#include "tools/print_dialog.h"
#include "transfer/codeplug_jobs.h"
#include "transfers/port_dialog.h"
#include "transfers/radio_transfer.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>

#include <iostream>

namespace r605 {

namespace {

constexpr int kSplitterLimitTwips = 30; // the tree keeps at least this much of the window
constexpr int kSplitterGapTwips = 40;   // from the bar to the grid
constexpr int kTreeTwips = 3600;

constexpr int kZoneGrid = static_cast<int>(Family::Zone);

QString qPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace

MainWindow::MainWindow(ShellContext& shell, Document& document, QWidget* parent)
    : QMainWindow(parent), m_shell(shell), m_document(document),
      m_session(makeEditSession(document, shell.texts.language())),
      m_forms(shell, document, *this) {
    setObjectName("frmMain");
    setAcceptDrops(true);
    m_recent = new RecentFiles(this);
    m_files = new FileCommands(shell, document, *m_recent, this);
    m_menus = new MainMenus(*this, shell.texts);
    buildCentre();
    auto* status = new QStatusBar(this);
    status->setObjectName("sbStatusBar");
    m_modelLabel = new QLabel(status);
    m_modelLabel->setObjectName("lblModel");
    m_fileLabel = new QLabel(status);
    m_fileLabel->setObjectName("lblFile");
    status->addPermanentWidget(m_modelLabel);
    status->addPermanentWidget(m_fileLabel);
    setStatusBar(status);

    applyStartupVisibility();
    connectCommands();
    connectEditCommands();
    connect(&shell.texts, &InterfaceTexts::languageChanged, this, &MainWindow::reload);
    connect(m_files, &FileCommands::codeplugReplaced, this, &MainWindow::codeplugReplaced);
    connect(m_files, &FileCommands::fileNameChanged, this, &MainWindow::updateCaption);
    connect(m_recent, &RecentFiles::changed, this, &MainWindow::fillRecentMenu);
    m_observer = document.addObserver([this](const DocumentChange& change) {
        if (change.unsavedChanged)
            updateCaption();
    });
    restoreWindowPlacement(*this);
    fillRecentMenu();
    loadShowTree();
    showGrid(0);
    updateCaption();
}

MainWindow::~MainWindow() {
    m_document.removeObserver(m_observer);
    // The grids edit through the session: they go before it does.
    delete takeCentralWidget();
}

void MainWindow::buildCentre() {
    m_tree = new CategoryTree(this);
    m_tree->setMinimumWidth(kSplitterLimitTwips / kTwipsPerPixel);
    m_stack = new QStackedWidget(this);
    m_stack->setObjectName("gridStack");
    // A place for each grid; the grid itself is made when it is first shown, so that a start
    // does not fill twenty tables nobody looks at.
    for (int index = 0; index < kGridCount; ++index) {
        auto* place = new QWidget(m_stack);
        auto* layout = new QVBoxLayout(place);
        layout->setContentsMargins(0, 0, 0, 0);
        m_stack->addWidget(place);
    }
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName("imgSplitter");
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setHandleWidth(kSplitterGapTwips / kTwipsPerPixel);
    m_splitter->addWidget(m_tree);
    m_splitter->addWidget(m_stack);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({kTreeTwips / kTwipsPerPixel, 1000});
    setCentralWidget(m_splitter);
    connect(m_tree, &CategoryTree::nodeChosen, this, &MainWindow::nodeChosen);
}

GridWidget& MainWindow::grid(int index) {
    GridWidget*& grid = m_grids[static_cast<std::size_t>(index)];
    if (grid != nullptr)
        return *grid;
    QWidget* place = m_stack->widget(index);
    grid = makeRecordGrid(*m_session, index, place);
    place->layout()->addWidget(grid);
    connect(grid, &GridWidget::openRecord, this,
            [this](Family family, std::size_t) { m_forms.openRecordForm(family); });
    connect(grid, &GridWidget::editRefused, this,
            [this](const QString& message) { statusBar()->showMessage(message, 8000); });
    return *grid;
}

void MainWindow::applyStartupVisibility() {
    const StartupState& state = m_shell.state;
    const auto show = [this](const char* name, bool visible) {
        m_menus->action(name)->setVisible(visible);
    };
    show("MnuHelpAutoTest", state.FactoryTestMode);
    show("MnuToolMode", !state.NoEdition);
    show("MnuSetLanguage", state.NoEdition);
    show("MnuView5Tone", state.ViewMenuFlags[0] != 0);
    show("MnuView2Tone", state.ViewMenuFlags[1] != 0);
    show("MnuViewDTMF", state.ViewMenuFlags[2] != 0);
}

void MainWindow::connectCommands() {
    const auto on = [this](const char* name, auto&& slot) {
        connect(m_menus->action(name), &QAction::triggered, this,
                std::forward<decltype(slot)>(slot));
    };
    const auto coming = [this](TextKey what, ComingHint hint) {
        return [this, what, hint] { m_forms.openComing(what, hint); };
    };
    const auto select = [this](const QString& key) {
        return [this, key] {
            if (QTreeWidgetItem* item = m_tree->itemOfKey(key))
                m_tree->setCurrentItem(item);
            nodeChosen(key);
        };
    };

    on("mnuFileNew", [this] { m_files->newFile(); });
    on("TNewFile", [this] { m_files->newFile(); });
    on("mnuFileOpen", [this] { m_files->open(); });
    on("TOpenFile", [this] { m_files->open(); });
    on("mnuFileSave", [this] { m_files->save(); });
    on("TSaveFile", [this] { m_files->save(); });
    on("mnuFileSaveAs", [this] { m_files->saveAs(); });
    on("mnuFileCompare", [this] { openCompare(); });
    on("mnuFileCompareRadio", [this] { openCompareWithRadio(); });
    on("mnuFilePrint", [this] { openPrint(); });
    on("mnuFileExit", [this] { close(); });
    on("MnuModelInfo", [this] { openModelDialog(); });

    on("mnuEditCH", select("N0"));
    on("MnuViewScan", select("N3"));
    on("MnuCommBook", select("N5"));
    on("MnuViewSetMode", [this] { m_forms.openOptionBytes(); });
    on("MnuView2Tone", [this] { m_forms.openTwoToneBytes(); });
    on("MnuView5Tone", coming(TextKey{12022}, ComingHint::KeptUnchanged));
    on("MnuViewDTMF", coming(TextKey{12024}, ComingHint::KeptUnchanged));
    on("MnuViewAlert", coming(TextKey{12026}, ComingHint::KeptUnchanged));
    on("MnuViewKey", coming(TextKey{14225}, ComingHint::KeptUnchanged));
    on("MnuViewToneTip", coming(TextKey{14227}, ComingHint::KeptUnchanged));
    on("MnuViewRadio", coming(TextKey{14220}, ComingHint::RadioByTool));
    on("MnuEMg", coming(TextKey{14229}, ComingHint::RadioByTool));
    on("mnuTestData", coming(TextKey{14230}, ComingHint::None));

    on("MnuSetCom", [this] { openPortDialog(); });
    on("TCommPort", [this] { openPortDialog(); });
    on("MnuSetLanguage", [this] { openLanguageDialog(); });
    on("MnuSetInit", [this] { m_files->initialise(); });
    on("mnuProRead", coming(TextKey{14241}, ComingHint::RadioByTool));
    on("TCommRead", coming(TextKey{14241}, ComingHint::RadioByTool));
    on("MnuProWrite", coming(TextKey{14242}, ComingHint::RadioByTool));
    on("TCommWrite", coming(TextKey{14242}, ComingHint::RadioByTool));
    on("mnuProReadReset", coming(TextKey{14243}, ComingHint::RadioByTool));
    on("mnuProWriteReset", coming(TextKey{14244}, ComingHint::RadioByTool));

    on("MnuToolRec", [this] { startExternalTool(m_shell, "Record/ZTRecord"); });
    on("MnuToolUpdate", [this] { startExternalTool(m_shell, "Update/Firmware_Update"); });
    on("MnuToolIn", coming(TextKey{14247}, ComingHint::ListsByTool));
    on("MnuToolOut", coming(TextKey{14248}, ComingHint::ListsByTool));
    on("MnuToolContactsDb", [this] { openContactsDb(); });
    on("MnuToolBootImage", coming(TextKey{14252}, ComingHint::BootImageByTool));
    on("MnuToolDefaultCH", coming(TextKey{14253}, ComingHint::None));
    on("MnuToolMode", [this] { openToolMode(); });
    on("MnuToolExtended", [this] { openExtensionFlags(false); });
    on("MnuToolAnnex", [this] { openExtensionFlags(true); });

    connect(m_menus->action("MnuViewToolBar"), &QAction::toggled, &m_menus->toolBar(),
            &QToolBar::setVisible);
    connect(m_menus->action("MnuViewStatusBar"), &QAction::toggled, this,
            [this](bool visible) { statusBar()->setVisible(visible); });
    on("MnuHelpContent", [this] { openHelp(); });
    on("MnuHelpAbout", [this] { openAbout(); });
    on("TAbout", [this] { openAbout(); });
    on("MnuHelpAutoTest", coming(TextKey{14268}, ComingHint::None));
}

void MainWindow::connectEditCommands() {
    QUndoStack& stack = m_session->undoStack();
    QAction* undo = m_menus->action("mnuEditUndo");
    QAction* redo = m_menus->action("mnuEditRedo");
    undo->setEnabled(stack.canUndo());
    redo->setEnabled(stack.canRedo());
    connect(undo, &QAction::triggered, &stack, &QUndoStack::undo);
    connect(redo, &QAction::triggered, &stack, &QUndoStack::redo);
    connect(&stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(&stack, &QUndoStack::undoTextChanged, m_menus, &MainMenus::setUndoText);
    connect(&stack, &QUndoStack::redoTextChanged, m_menus, &MainMenus::setRedoText);

    // The list-edit items act on the grid shown, through its own commands.
    const auto forward = [this](const char* name, QAction& (GridWidget::*command)()) {
        connect(m_menus->action(name), &QAction::triggered, this,
                [this, command] { (grid(m_currentGrid).*command)().trigger(); });
    };
    forward("MnuLECopy", &GridWidget::copyAction);
    forward("MnuLECut", &GridWidget::cutAction);
    forward("MnuLEPaste", &GridWidget::pasteAction);
    forward("MnuLEDelete", &GridWidget::deleteAction);
    forward("T_Up", &GridWidget::zoneUpAction);
    forward("T_Down", &GridWidget::zoneDownAction);
}

void MainWindow::reload() {
    m_menus->retranslate();
    m_session->setLanguage(m_shell.texts.language());
    loadShowTree();
    updateCaption();
}

void MainWindow::loadShowTree() {
    const auto nodes =
        categoryNodes(m_shell.texts.language(), QString::fromStdString(m_document.band().ModelName),
                      hasAprsCapability(m_shell.state.ExtensionFlags));
    const QString current = m_tree->currentKey();
    m_tree->rebuild(nodes, current.isEmpty() ? "N0" : current);
}

void MainWindow::updateCaption() {
    const CurrentBand& band = m_document.band();
    QString bandText = QString::fromStdString(BandDisplayText(band.BandCode));
    bandText.replace('\n', ' ');
    const QString model = QString::fromStdString(band.ModelName);
    const QString file = QFileInfo(qPath(m_document.fileName())).fileName();
    setWindowTitle(
        QString("R605[%1:%2][%3:%4][*]").arg(model, bandText, m_shell.texts.text(2012), file));
    setWindowModified(m_document.hasUnsavedChanges());
    m_modelLabel->setText(model + "  " + bandText);
    m_fileLabel->setText(qPath(m_document.fileName()));
}

void MainWindow::showGrid(int grid, int contactPage) {
    if (grid < 0 || grid >= kGridCount)
        return;
    m_currentGrid = grid;
    m_contactPage = contactPage;
    GridWidget& shown = this->grid(grid);
    if (grid == static_cast<int>(Family::ContactPage))
        setGridContactPage(shown, contactPage);
    m_stack->setCurrentIndex(grid);
    updateZoneButtons();
}

void MainWindow::updateZoneButtons() {
    const bool zones = m_currentGrid == kZoneGrid;
    m_menus->action("T_Up")->setEnabled(zones);
    m_menus->action("T_Down")->setEnabled(zones);
}

void MainWindow::nodeChosen(const QString& key) {
    const NodeChoice choice = choiceOfKey(key);
    switch (choice.kind) {
    case NodeChoice::Kind::Grid:
        showGrid(choice.number, choice.contactPage.value_or(0));
        return;
    case NodeChoice::Kind::Form:
        m_forms.openNodeForm(choice.number);
        return;
    case NodeChoice::Kind::None:
        return;
    }
}

void MainWindow::codeplugReplaced() {
    // Undoing past a new, opened or read codeplug would mix two codeplugs.
    m_session->undoStack().clear();
    loadShowTree();
    updateCaption();
}

void MainWindow::fillRecentMenu() {
    QMenu* menu = m_menus->menu("mnuFileRecent");
    menu->clear();
    const QStringList files = m_recent->files();
    for (int i = 0; i < files.size(); ++i) {
        QAction* entry = menu->addAction(QString("&%1 %2").arg(i + 1).arg(files[i]));
        entry->setObjectName(QString("mnuFileRecent%1").arg(i));
        const QString file = files[i];
        connect(entry, &QAction::triggered, this, [this, file] { m_files->openPath(file); });
    }
    menu->setEnabled(!files.isEmpty());
}

void MainWindow::openLanguageDialog() {
    auto* dialog = new LanguageDialog(m_shell.texts, m_shell.texts.languageIndex(), this);
    connect(dialog, &LanguageDialog::languageChosen, this, [this](int index) {
        const LanguageChoice choice = languageChoiceFor(index);
        m_shell.state.LanguageIndex = choice.LanguageIndex;
        m_shell.state.LanguageFile = choice.LanguageFile;
        m_shell.state.LanguagePath = choice.LanguagePath;
        m_shell.texts.setLanguage(choice.LanguageIndex);
    });
    dialog->open();
}

void MainWindow::openModelDialog() {
    auto* dialog = new ModelDialog(m_shell.texts, m_shell.prompt, m_document.band().BandCode, this);
    connect(dialog, &ModelDialog::bandChosen, this,
            [this](int bandCode) { m_files->newForBand(bandCode); });
    dialog->open();
}

void MainWindow::openHelp() {
    const auto page =
        HelpWindow::contentsPage(m_shell.folders.programFolder(), m_shell.texts.languageIndex());
    if (!std::filesystem::exists(page)) {
        m_shell.prompt.tell(m_shell.texts.text(14371) + "\n" + qPath(page), PromptIcon::Warning);
        return;
    }
    if (m_help == nullptr) {
        m_help = new HelpWindow(m_shell.texts, m_shell.folders.programFolder(), this);
        m_help->setAttribute(Qt::WA_DeleteOnClose);
        m_help->showContents();
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void MainWindow::openAbout() {
    auto* dialog = new AboutDialog(m_shell.texts, m_shell.commLog,
                                   qPath(m_shell.folders.programFolder()), this);
    dialog->open();
}

void MainWindow::openCompare() {
    m_files->chooseOther(
        [this](Codeplug other, const QString& name) { showCompare(std::move(other), name); });
}

void MainWindow::showCompare(Codeplug other, const QString& name) {
    auto* dialog = new CompareDialog(*m_session, std::move(other), name, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(&m_shell.texts, &InterfaceTexts::languageChanged, dialog, &CompareDialog::retranslate);
    dialog->show();
}

void MainWindow::openCompareWithRadio() {
    const PromptMessage question{
        m_shell.texts.text(99105), PromptButtons::OkCancel, PromptIcon::Question, {}};
    m_shell.prompt.ask(question, [this](PromptAnswer answer) {
        if (answer != PromptAnswer::Ok)
            return;
        // The radio's codeplug is decoded over a copy of the open one, which the read leaves as
        // it is: what a read does not carry (the embedded information, the forms kept unchanged)
        // then shows no difference that the radio does not have.
        auto radio = std::make_shared<Document>(m_document.codeplug());
        auto* transfer = new RadioTransfer(m_shell, *this);
        const CodeplugReadOptions options{m_enteredPassword, ReadBase::Document};
        auto job = std::make_unique<CodeplugReadJob>(*radio, options, transfer->recorder());
        const QString port = QString::fromStdString(m_shell.state.ComPortName);
        transfer->start(std::move(job), [this, radio, port](TransferJob& done, bool success) {
            if (const LinkEngine* engine = done.engine())
                m_enteredPassword = engine->enteredPassword();
            if (!success)
                return;
            showCompare(radio->codeplug(), m_shell.texts.text(15171).arg(port));
        });
    });
}

void MainWindow::openPortDialog() {
    auto* dialog = new PortDialog(m_shell.texts, m_shell.state, m_shell.folders, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void MainWindow::openPrint() {
    const auto choosePdf = [this](std::function<void(const QString&)> chosen) {
        // The PDF beside the codeplug's file, with its name.
        const QFileInfo file(qPath(m_document.fileName()));
        QString name = file.completeBaseName().isEmpty() ? QStringLiteral("codeplug")
                                                         : file.completeBaseName();
        name += QStringLiteral(".pdf");
        const QString start = file.isAbsolute() ? file.absoluteDir().filePath(name) : name;
        const FileQuestion question{FileDialogKind::Save,
                                    m_shell.texts.text(15157),
                                    {m_shell.texts.text(15155) + " (*.pdf)"},
                                    start};
        m_shell.prompt.chooseFile(question, std::move(chosen));
    };
    auto* dialog = new PrintDialog(*m_session, choosePdf, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(&m_shell.texts, &InterfaceTexts::languageChanged, dialog, &PrintDialog::retranslate);
    dialog->open();
}

void MainWindow::openToolMode() {
    auto* dialog =
        new ToolModeDialog(m_shell.texts, m_shell.folders, m_shell.state, m_shell.prompt, this);
    dialog->open();
}

void MainWindow::openContactsDb() {
    auto* dialog = new ContactsDbDialog(*m_session, m_shell.texts, m_shell.prompt, this);
    connect(dialog, &ContactsDbDialog::contactsAdded, this,
            [this](const QString& summary) { statusBar()->showMessage(summary, 8000); });
    dialog->open();
}

void MainWindow::openExtensionFlags(bool annex) {
    const auto kind =
        annex ? ExtensionFlagsDialog::Kind::Annex : ExtensionFlagsDialog::Kind::Extended;
    auto* dialog = new ExtensionFlagsDialog(kind, m_shell.texts, m_shell.folders, m_shell.state,
                                            m_shell.prompt, this);
    // The APRS node follows the radio's capabilities.
    connect(dialog, &ExtensionFlagsDialog::flagsChanged, this, &MainWindow::loadShowTree);
    dialog->open();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_closeAllowed && m_document.hasUnsavedChanges()) {
        event->ignore();
        m_files->confirmClose([this] {
            m_closeAllowed = true;
            QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        });
        return;
    }
    closeDown();
    event->accept();
}

void MainWindow::closeDown() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible())
            window->close();
    }
    saveWindowPlacement(*this);
    if (const Status closed = CloseDown(m_shell.folders, m_shell.state); !closed)
        std::cerr << "r605cps: " << m_shell.texts.describe(closed.error()).toStdString() << "\n";
}

QString MainWindow::droppedFile(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    if (urls.isEmpty() || !urls.front().isLocalFile())
        return {};
    return urls.front().toLocalFile();
}

void MainWindow::openDropped(const QMimeData& data) {
    const QString file = droppedFile(data);
    if (!file.isEmpty())
        m_files->openPath(file);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    if (droppedFile(*event->mimeData()).isEmpty())
        return;
    event->acceptProposedAction();
    openDropped(*event->mimeData());
}

} // namespace r605
