// The compare window lists the differences by family and takes a record over as one undoable
// edit, following the document through undo; the print window writes the PDF the user chose and
// fills the print preview with the report's pages.
#include "models/document_session.h"
#include "schema/new_codeplug.h"
#include "test_support.h"
#include "text/language.h"
#include "tools/compare_dialog.h"
#include "tools/print_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace r605 {
namespace {

class CompareWindowTest : public ::testing::Test {
protected:
    CompareWindowTest() : language(Language::load(test::sourceDataFolder(), 1)) {
        Codeplug codeplug = NewCodeplug(0).value();
        codeplug.Channel[0].Name = "Home";
        codeplug.Zone[0].Used = 1;
        codeplug.Zone[0].Name = "Town";
        codeplug.Zone[0].Count = 1;
        codeplug.Zone[0].Members[0] = 0;
        for (std::size_t k = 1; k <= 150; ++k) {
            ContactRec& contact = codeplug.Contact[k];
            contact.Used = 1;
            contact.Name = std::string("C").append(std::to_string(k));
            contact.Id = static_cast<std::int32_t>(1000 + k);
        }
        document = std::make_unique<Document>(std::move(codeplug));
        session = std::make_unique<DocumentSession>(*document, language);
    }

    static QStringList topLevelTexts(const QTreeWidget& tree) {
        QStringList texts;
        for (int k = 0; k < tree.topLevelItemCount(); ++k)
            texts << tree.topLevelItem(k)->text(0);
        return texts;
    }

    Language language;
    std::unique_ptr<Document> document;
    std::unique_ptr<DocumentSession> session;
};

TEST_F(CompareWindowTest, TakesARecordOverAsAnUndoableEditAndFollowsTheDocument) {
    Codeplug other = document->codeplug();
    other.Zone[0].Name = "City";
    other.Channel[1].Contact = 200; // a contact only the other codeplug holds
    other.Contact[200] = other.Contact[1];
    other.Contact[200].Number = 201;
    other.Contact[200].Name = "Zed";
    other.Contact[200].Id = 9999;
    CompareDialog dialog(*session, other, "other.rdt");
    dialog.show();
    auto* tree = dialog.findChild<QTreeWidget*>("tvDifferences");
    auto* takeOver = dialog.findChild<QPushButton*>("CommandTakeOver");
    auto* status = dialog.findChild<QLabel*>("lblStatus");
    ASSERT_TRUE(tree && takeOver && status);
    EXPECT_EQ(topLevelTexts(*tree),
              (QStringList{"Channels (1)", "Zones (1)", "Digital Contacts (1)"}));
    EXPECT_FALSE(takeOver->isEnabled()); // nothing chosen yet
    // The channel names a contact the open codeplug lacks: refused, nothing changes.
    tree->setCurrentItem(dialog.itemOf(0));
    takeOver->click();
    EXPECT_TRUE(status->text().contains("Zed")) << status->text().toStdString();
    EXPECT_EQ(session->undoStack().count(), 0);

    tree->setCurrentItem(dialog.itemOf(1)->child(0)); // the zone's name field
    ASSERT_TRUE(takeOver->isEnabled());
    takeOver->click();
    EXPECT_EQ(document->codeplug().Zone[0].Name, "City");
    EXPECT_EQ(session->undoStack().count(), 1);
    EXPECT_EQ(status->text(), "Taken over: Zones 1 \"Town\"");
    EXPECT_EQ(topLevelTexts(*tree), (QStringList{"Channels (1)", "Digital Contacts (1)"}));
    if (qEnvironmentVariableIsSet("R605_GRAB"))
        dialog.grab().save(qEnvironmentVariable("R605_GRAB") + "/compare.png");

    session->undoStack().undo();
    EXPECT_EQ(document->codeplug().Zone[0].Name, "Town");
    EXPECT_EQ(topLevelTexts(*tree),
              (QStringList{"Channels (1)", "Zones (1)", "Digital Contacts (1)"}));
}

TEST_F(CompareWindowTest, PrintsToThePdfChosenAndToThePreview) {
    test::TempDir dir;
    QString asked;
    PrintDialog dialog(*session, [&](std::function<void(const QString&)> chosen) {
        chosen(QString::fromStdString((dir / (asked.isEmpty() ? "a" : "b")).string()));
        asked = "yes";
    });
    dialog.show();
    auto* contacts = dialog.findChild<QCheckBox*>("chkContacts");
    auto* pdf = dialog.findChild<QPushButton*>("CommandPdf");
    auto* status = dialog.findChild<QLabel*>("lblStatus");
    ASSERT_TRUE(contacts && pdf && status);
    EXPECT_EQ(contacts->text(), "Include the digital contacts (151 in use)");

    pdf->click(); // without contacts: one page
    EXPECT_TRUE(std::filesystem::exists(dir / "a.pdf"));
    EXPECT_EQ(status->text().toStdString(), "Saved " + (dir / "a.pdf").string() + " (pages: 1).");
    contacts->setChecked(true);
    pdf->click();
    EXPECT_TRUE(status->text().contains("b.pdf (pages: ")) << status->text().toStdString();
    EXPECT_FALSE(status->text().endsWith("(pages: 1).")) << status->text().toStdString();

    dialog.findChild<QPushButton*>("CommandPreview")->click();
    auto* preview = dialog.findChild<QPrintPreviewWidget*>();
    ASSERT_NE(preview, nullptr);
    QTRY_VERIFY(preview->pageCount() > 1);
}

} // namespace
} // namespace r605
