#include "cli_process.h"

#include "document/codeplug_files.h"
#include "schema/new_codeplug.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace r605::test {

namespace {

// QProcess reads the output of a program through the event loop's notifiers.
void ensureApplication() {
    static int argc = 1;
    static char name[] = "r605-test";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr)
        static QCoreApplication application(argc, argv);
}

QStringList qtArguments(const std::vector<std::string>& arguments) {
    QStringList list;
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    return list;
}

} // namespace

CommandRun runR605(const std::vector<std::string>& arguments, int seconds) {
    ensureApplication();
    QProcess process;
    process.start(R605_CLI_PATH, qtArguments(arguments));
    const bool ended = process.waitForFinished(seconds * 1000);
    EXPECT_TRUE(ended) << "r605 did not end";
    if (!ended)
        process.kill();
    process.waitForFinished(5000);
    return CommandRun{ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode()
                                                                            : -1,
                      process.readAllStandardOutput().toStdString(),
                      process.readAllStandardError().toStdString()};
}

CliFolder::CliFolder(bool programData) {
    if (programData)
        copyProgramData(m_dir.path());
}

CommandRun CliFolder::run(const std::vector<std::string>& arguments, int seconds) const {
    std::vector<std::string> all{"--home", path().string(), "--language", language};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return runR605(all, seconds);
}

Codeplug CliFolder::load(std::string_view name) const {
    auto loaded = LoadCodeplug(*this / name);
    if (loaded.ok())
        return std::move(loaded->codeplug);
    ADD_FAILURE() << name << ": " << loaded.error().text;
    return NumberedEmptyCodeplug();
}

void CliFolder::save(std::string_view name, const Codeplug& codeplug) const {
    const auto saved = SaveCodeplug(*this / name, codeplug, ContactTextForm::Gbk);
    EXPECT_TRUE(saved.ok()) << name;
}

SimProcess::SimProcess(const std::vector<std::string>& arguments) {
    ensureApplication();
    m_process.start(R605_CLI_PATH, qtArguments(arguments));
    if (m_process.waitForReadyRead(10000))
        m_port = m_process.readLine().trimmed().toStdString();
}

SimProcess::SimProcess(const CliFolder& home, std::vector<std::string> arguments)
    : SimProcess([&] {
          arguments.insert(arguments.begin(), {"--home", home.path().string(), "sim"});
          return arguments;
      }()) {}

SimProcess::~SimProcess() {
    stop();
}

std::string SimProcess::stop() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
    }
    m_err += m_process.readAllStandardError().toStdString();
    return m_err;
}

} // namespace r605::test
