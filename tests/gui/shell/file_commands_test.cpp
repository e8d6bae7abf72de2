// New, Open, Save and Save As with every question answered each way: what the document holds and
// what is on disk afterwards.
#include "shell/file_commands.h"
#include "shell/main_menus.h"
#include "shell_fixture.h"
#include "tools/compare_dialog.h"
#include "tools/print_dialog.h"

#include "document/codeplug_files.h"

#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTreeWidget>
#include <QUndoStack>
#include <QUrl>

namespace r605::test {
namespace {

QString qPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

QStringList textsOf(const std::vector<PromptMessage>& messages) {
    QStringList texts;
    for (const PromptMessage& message : messages)
        texts << message.text;
    return texts;
}

// A codeplug file with channel 1 named `name`.
void writeCodeplug(const std::filesystem::path& file, const std::string& name) {
    Document document;
    ASSERT_TRUE(document.newCodeplug(NewCodeplugFiles{}, 0).ok());
    test::change(
        document,
        [&](Codeplug& codeplug) {
            codeplug.Channel[0].Used = 1;
            codeplug.Channel[0].Name = name;
        },
        EditKind::EditRecord);
    ASSERT_TRUE(document.save(file, ContactTextForm::Gbk).ok());
}

TEST_F(ShellTest, NewAsksAboutUnsavedChangesThenForConfirmation) {
    start();
    const QString unsaved = shell().texts.text(9001, Section::Msg);
    const QString confirm = shell().texts.text(99112);
    makeUnsavedChange();
    window().session().undoStack().push(new QUndoCommand("an edit"));

    prompt.answer(PromptAnswer::Cancel);
    trigger("mnuFileNew");
    prompt.answer(PromptAnswer::No);
    prompt.answer(PromptAnswer::Cancel);
    trigger("TNewFile");
    EXPECT_EQ(textsOf(prompt.takeMessages()), (QStringList{unsaved, unsaved, confirm}));
    EXPECT_EQ(channelName(0), "Edited");
    EXPECT_EQ(window().session().undoStack().count(), 1);

    prompt.answer(PromptAnswer::No);
    prompt.answer(PromptAnswer::Ok);
    trigger("mnuFileNew");
    EXPECT_EQ(channelName(0), "CH 1");
    EXPECT_FALSE(document().hasUnsavedChanges());
    EXPECT_FALSE(window().isWindowModified());
    EXPECT_EQ(window().session().undoStack().count(), 0);
    prompt.takeMessages();
    // Initialise asks about the unsaved changes only.
    makeUnsavedChange();
    prompt.answer(PromptAnswer::No);
    trigger("MnuSetInit");
    EXPECT_EQ(textsOf(prompt.takeMessages()), (QStringList{unsaved}));
    EXPECT_EQ(channelName(0), "CH 1");
    EXPECT_TRUE(prompt.scriptUsedUp());
}

TEST_F(ShellTest, SaveAsksBeforeWritingAndSaveAsTakesTheChosenName) {
    start();
    const auto file = home / "mine.rdt";
    // A new codeplug has no file yet: Save is Save As.
    prompt.choose(qPath(file));
    trigger("mnuFileSave");
    const auto questions = prompt.takeFileQuestions();
    ASSERT_EQ(questions.size(), 1U);
    EXPECT_EQ(questions[0].kind, FileDialogKind::Save);
    EXPECT_TRUE(questions[0].filters.join(' ').contains("*.json"));
    EXPECT_EQ(textsOf(prompt.takeMessages()), (QStringList{"Save File OK"}));
    EXPECT_TRUE(window().windowTitle().contains("mine.rdt"));
    EXPECT_FALSE(document().hasUnsavedChanges());
    const std::string first = readFile(file);

    makeUnsavedChange("Second");
    prompt.answer(PromptAnswer::Cancel);
    trigger("TSaveFile");
    EXPECT_EQ(textsOf(prompt.takeMessages()),
              (QStringList{shell().texts.text(99114) + " \"mine.rdt\""}));
    EXPECT_EQ(readFile(file), first);
    EXPECT_TRUE(document().hasUnsavedChanges());

    prompt.answer(PromptAnswer::Ok);
    trigger("mnuFileSave");
    EXPECT_EQ(LoadCodeplug(file)->codeplug.Channel[0].Name, "Second");
    EXPECT_FALSE(document().hasUnsavedChanges());
    // Save As JSON: the name's extension decides; the recent files list it first.
    prompt.choose(qPath(home / "mine.json"));
    trigger("mnuFileSaveAs");
    EXPECT_EQ(readFile(home / "mine.json").front(), '{');
    EXPECT_EQ(document().fileName(), home / "mine.json");
    const QList<QAction*> recent = window().menus().menu("mnuFileRecent")->actions();
    ASSERT_GE(recent.size(), 2);
    EXPECT_TRUE(recent[0]->text().endsWith("mine.json"));
    EXPECT_TRUE(recent[1]->text().endsWith("mine.rdt"));
    EXPECT_TRUE(prompt.scriptUsedUp());
}

TEST_F(ShellTest, OpenAsksAboutUnsavedChangesAndShowsWhatTheLoadSaid) {
    writeCodeplug(home / "other.json", "FromJson");
    writeCodeplug(home / "dropped.rdt", "Dropped");
    writeFile(home / "bad.rdt", "not a codeplug");
    start();
    makeUnsavedChange();
    window().session().undoStack().push(new QUndoCommand("an edit"));

    prompt.answer(PromptAnswer::Cancel);
    trigger("mnuFileOpen");
    EXPECT_EQ(textsOf(prompt.takeMessages()), (QStringList{shell().texts.text(99115)}));
    EXPECT_TRUE(prompt.takeFileQuestions().empty());
    EXPECT_EQ(channelName(0), "Edited");
    // No: the file dialog, the file, and one message of what the load said.
    prompt.answer(PromptAnswer::No);
    prompt.choose(qPath(home / "other.json"));
    trigger("TOpenFile");
    EXPECT_EQ(channelName(0), "FromJson");
    EXPECT_FALSE(document().hasUnsavedChanges());
    EXPECT_EQ(window().session().undoStack().count(), 0);
    const auto told = prompt.takeMessages();
    ASSERT_EQ(told.size(), 2U);
    EXPECT_EQ(told[0].text, shell().texts.text(99115));
    EXPECT_TRUE(told[1].text.endsWith("Load File OK"));
    EXPECT_TRUE(window().windowTitle().contains("other.json"));
    // Yes saves first (after the question of Save), then opens; a damaged file is refused and
    // the codeplug stays.
    makeUnsavedChange("Kept");
    prompt.answer(PromptAnswer::Yes);
    prompt.answer(PromptAnswer::Ok);
    prompt.choose(qPath(home / "bad.rdt"));
    trigger("mnuFileOpen");
    EXPECT_EQ(LoadCodeplug(home / "other.json")->codeplug.Channel[0].Name, "Kept");
    EXPECT_EQ(channelName(0), "Kept");
    EXPECT_EQ(document().fileName(), home / "other.json");
    EXPECT_EQ(prompt.takeMessages().back().icon, PromptIcon::Critical);
    // A file dropped on the window opens.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(qPath(home / "dropped.rdt"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QCoreApplication::sendEvent(&window(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    // Qt hands the drop itself only to the target of a drag it runs.
    window().openDropped(data);
    EXPECT_EQ(channelName(0), "Dropped");
    // So does a file named on the command line.
    app.reset();
    start(qPath(home / "other.json"));
    EXPECT_EQ(channelName(0), "Kept");
    EXPECT_TRUE(prompt.takeMessages().back().text.endsWith("Load File OK"));
    EXPECT_TRUE(prompt.scriptUsedUp());
}

// File/Compare with: a refused file is named and nothing opens; another file's channel is taken
// over and undone from the Edit menu. File/Print writes the PDF chosen beside the codeplug.
TEST_F(ShellTest, CompareWithAFileAndPrintWorkFromTheFileMenu) {
    writeCodeplug(home / "other.rdt", "Other");
    writeFile(home / "bad.rdt", "not a codeplug");
    start();
    const std::string before = channelName(0);

    prompt.choose(qPath(home / "bad.rdt"));
    trigger("mnuFileCompare");
    EXPECT_EQ(prompt.takeMessages().back().icon, PromptIcon::Critical);
    EXPECT_EQ(window().findChild<CompareDialog*>(), nullptr);

    prompt.choose(qPath(home / "other.rdt"));
    trigger("mnuFileCompare");
    auto* compare = window().findChild<CompareDialog*>();
    ASSERT_NE(compare, nullptr);
    ASSERT_FALSE(compare->differences().records.empty());
    auto* tree = compare->findChild<QTreeWidget*>("tvDifferences");
    tree->setCurrentItem(compare->itemOf(0));
    compare->takeOverSelected();
    EXPECT_EQ(channelName(0), "Other");
    trigger("mnuEditUndo");
    EXPECT_EQ(channelName(0), before);
    compare->close();

    prompt.choose(qPath(home / "report.pdf"));
    trigger("mnuFilePrint");
    auto* print = window().findChild<PrintDialog*>();
    ASSERT_NE(print, nullptr);
    print->findChild<QPushButton*>("CommandPdf")->click();
    const auto asked = prompt.takeFileQuestions();
    ASSERT_FALSE(asked.empty());
    EXPECT_TRUE(asked.back().filters.front().endsWith("(*.pdf)"));
    EXPECT_GT(std::filesystem::file_size(home / "report.pdf"), 1000U);
    EXPECT_TRUE(prompt.scriptUsedUp());
}

} // namespace
} // namespace r605::test
