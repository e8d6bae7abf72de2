// File/Compare With Radio reads the radio on the chosen port, with the progress dialog in front
// and the password asked, leaves the open codeplug as it was and lists the differences, which
// can be taken over; a port that cannot be opened is told and nothing else happens. The port
// dialog stores the port chosen.
#include "fault_injector.h"
#include "pty_radio.h"
#include "schema/new_codeplug.h"
#include "shell_fixture.h"
#include "simulator_image.h"
#include "tools/compare_dialog.h"
#include "transfers/port_dialog.h"
#include "transfers/progress_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

namespace r605::test {
namespace {

QStringList texts(const std::vector<PromptMessage>& messages) {
    QStringList all;
    for (const PromptMessage& message : messages)
        all << message.text;
    return all;
}

TEST_F(ShellTest, ComparesWithTheRadioOnThePortAndTakesAChangeOver) {
    Codeplug inRadio = NewCodeplug(0).value();
    inRadio.Channel[0].Name = "OnRadio";
    inRadio.Settings.ProgramPassword = "1234";
    const auto image = sim::ImageOfCodeplug(inRadio);
    ASSERT_TRUE(image.ok());
    PtyRadio radio(*image, sim::RadioIdentity{});
    // The pseudo-terminal stored as the port outlasts the start-up port check, which the system's
    // port list alone would not let it.
    writeFile(setupFile(), "[language]\nIsFirstRun=0\ncomPort=" + radio.port() + "\n");
    start();
    ASSERT_EQ(shell().state.ComPortName, radio.port());
    change(document(), [](Codeplug& open) {
        ChannelRec& last = open.Channel[kChannelCount - 1];
        last = open.Channel[0];
        last.Number = static_cast<std::int16_t>(kChannelCount);
        last.Name = "Extra";
    });
    const std::string before = channelName(0);

    prompt.answer(PromptAnswer::Ok); // "Read the data from the radio?"
    prompt.enter(QString(" 1234 "));
    trigger("mnuFileCompareRadio");
    auto* progress = window().findChild<ProgressDialog*>();
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(progress->isModal());
    QTRY_VERIFY_WITH_TIMEOUT(window().findChild<CompareDialog*>() != nullptr, 30000);
    settle();
    EXPECT_EQ(window().findChild<ProgressDialog*>(), nullptr);
    const auto asked = prompt.takeTextQuestions();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked.front().secret);
    const QStringList told = texts(prompt.takeMessages());
    EXPECT_TRUE(told.contains(shell().texts.text(99105)));
    EXPECT_TRUE(told.contains(shell().texts.text(2004))) << told.join('|').toStdString();

    // The read left the open codeplug alone. Differences: the renamed channel, one the radio
    // lacks, the password; what a read does not carry (the embedded information) is not one.
    EXPECT_EQ(channelName(0), before);
    auto* compare = window().findChild<CompareDialog*>();
    EXPECT_EQ(compare->differences().counts(), (DiffCounts{2, 0, 1, 0}));
    EXPECT_TRUE(compare->windowTitle().contains(QString::fromStdString(radio.port())));
    if (qEnvironmentVariableIsSet("R605_GRAB"))
        compare->grab().save(qEnvironmentVariable("R605_GRAB") + "/compare-radio.png");
    compare->findChild<QTreeWidget*>("tvDifferences")->setCurrentItem(compare->itemOf(0));
    compare->takeOverSelected();
    EXPECT_EQ(channelName(0), "OnRadio");
    compare->close();

    // A radio that stops answering: Retry asks again, Cancel ends the read with its message.
    PtyRadio silent(*image, sim::RadioIdentity{}, *sim::ParseFaultRates("silent-after=0"));
    shell().state.ComPortName = silent.port();
    prompt.answer(PromptAnswer::Ok);
    prompt.answer(PromptAnswer::Retry);
    prompt.answer(PromptAnswer::Cancel);
    trigger("mnuFileCompareRadio");
    QTRY_VERIFY_WITH_TIMEOUT(window().findChild<ProgressDialog*>() == nullptr, 30000);
    const auto messages = prompt.takeMessages();
    ASSERT_GE(messages.size(), 4u);
    EXPECT_EQ(messages[1].buttons, PromptButtons::RetryCancel);
    EXPECT_EQ(messages[2].text, shell().texts.text(2003));
    EXPECT_EQ(messages.back().text, shell().texts.text(2006));

    // The cable gone: message 2002, no progress left behind, no second compare window.
    shell().state.ComPortName = (home / "absent").string();
    prompt.answer(PromptAnswer::Ok);
    trigger("mnuFileCompareRadio");
    settle();
    EXPECT_TRUE(texts(prompt.takeMessages()).join('|').contains(shell().texts.text(2002)));
    EXPECT_EQ(window().findChild<ProgressDialog*>(), nullptr);
    EXPECT_EQ(window().findChild<CompareDialog*>(), nullptr);
    EXPECT_TRUE(prompt.scriptUsedUp());
}

TEST_F(ShellTest, ThePortDialogStoresThePortChosenAndFollowsTheCablesPresent) {
    start();
    std::vector<SerialPortEntry> present{{"ttyS0", "", "/dev/ttyS0", "", ""},
                                         {"ttyUSB0", "CP2102", "/dev/ttyUSB0", "Silicon Labs", ""}};
    shell().state.ComPortName = "ttyUSB0";
    PortDialog dialog(shell().texts, shell().state, shell().folders, &window(),
                      [&present] { return present; });
    auto* ports = dialog.findChild<QComboBox*>("Combo1");
    ASSERT_NE(ports, nullptr);
    EXPECT_EQ(dialog.chosenPort(), "ttyUSB0");
    EXPECT_TRUE(ports->currentText().contains("CP2102"));
    // The user picks the first; a refill with a new cable keeps that choice.
    ports->setCurrentIndex(0);
    emit ports->activated(0);
    present.push_back({"ttyACM0", "", "/dev/ttyACM0", "", ""});
    dialog.refill();
    EXPECT_EQ(ports->count(), 3);
    EXPECT_EQ(dialog.chosenPort(), "ttyS0");
    dialog.accept();
    EXPECT_EQ(shell().state.ComPortName, "ttyS0");
    EXPECT_NE(readFile(setupFile()).find("comPort=ttyS0"), std::string::npos);

    // A simulated radio's pseudo-terminal is typed in: refills keep it, OK stores it.
    PortDialog typed(shell().texts, shell().state, shell().folders, &window(),
                     [&present] { return present; });
    QLineEdit* edit = typed.findChild<QComboBox*>("Combo1")->lineEdit();
    edit->clear();
    QTest::keyClicks(edit, "/tmp/radio");
    typed.refill();
    EXPECT_EQ(typed.chosenPort(), "/tmp/radio");
    typed.accept();
    EXPECT_EQ(shell().state.ComPortName, "/tmp/radio");

    // No port present and a cable stored that has gone: nothing chosen, and OK leaves the run
    // without a port.
    present.clear();
    shell().state.ComPortName = "ttyUSB0";
    PortDialog empty(shell().texts, shell().state, shell().folders, &window(),
                     [&present] { return present; });
    EXPECT_EQ(empty.findChild<QComboBox*>("Combo1")->currentIndex(), -1);
    empty.accept();
    EXPECT_EQ(shell().state.ComPortName, "");
}

} // namespace
} // namespace r605::test
