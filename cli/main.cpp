// r605: the command-line tool. Every job of the desktop application that needs no window.
#include "command_line.h"
#include "commands.h"
#include "context.h"
#include "program_folder.h"
#include "settings/locale.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <iostream>
#include <string>
#include <vector>

namespace r605::cli {

int usageError(Context& context, std::string_view usage, std::string_view problem) {
    const std::string_view command = usage.substr(0, usage.find(' '));
    context.err << "r605 " << command << ": " << problem << "\nusage: r605 " << usage << "\n";
    return Usage;
}

void Context::fail(const Error& error) const {
    err << "r605: " << language.describe(error) << "\n";
}

int Context::reportSaved(const std::vector<Error>& warnings) const {
    for (const Error& warning : warnings)
        err << "r605: " << language.describe(warning) << "\n";
    return warnings.empty() ? Success : Incomplete;
}

namespace {

constexpr std::string_view kVersion = "0.1.0";

void printHelp(std::ostream& out) {
    out << "r605 " << kVersion << " - programming tool for R600MK radios (R605UHF/VHF/LHF/MHF)\n\n"
        << "usage: r605 [--home DIR] [--language en|zh|tw] COMMAND [ARGS]\n\n"
        << "commands:\n";
    for (const Command& command : commands())
        out << "  " << command.usage << "\n      " << command.summary << "\n";
    out << "\n--home DIR selects the program folder (also R605_HOME); --language the interface\n"
        << "language (default: from the locale). Exit status: 0 success, 1 failure, 2 usage,\n"
        << "3 a file written without something the codeplug holds (named on standard error).\n";
}

// The command word: the first argument that is neither a global option nor its value.
std::string commandWord(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "--home" || args[i] == "--language") && i + 1 < args.size()) {
            ++i;
            continue;
        }
        if (args[i].rfind("-", 0) != 0)
            return args[i];
    }
    return {};
}

int languageIndexFromOption(const std::string& option) {
    if (option == "en")
        return 1;
    if (option == "zh")
        return 2;
    if (option == "tw")
        return 3;
    return 0;
}

int run(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string home;
    std::string languageOption;
    // Global options stand before the command.
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            printHelp(std::cout);
            return Success;
        }
        if (arg == "--version") {
            std::cout << "r605 " << kVersion << "\n";
            return Success;
        }
        if ((arg == "--home" || arg == "--language") && i + 1 < args.size()) {
            (arg == "--home" ? home : languageOption) = args[++i];
            continue;
        }
        if (arg.rfind("--home=", 0) == 0) {
            home = arg.substr(7);
            continue;
        }
        if (arg.rfind("--language=", 0) == 0) {
            languageOption = arg.substr(11);
            continue;
        }
        break;
    }
    if (i >= args.size()) {
        printHelp(std::cerr);
        return Usage;
    }
    const std::string name = args[i];
    const Command* command = nullptr;
    for (const Command& candidate : commands()) {
        if (candidate.name == name)
            command = &candidate;
    }
    if (command == nullptr) {
        std::cerr << "r605: unknown command '" << name << "' (see r605 --help)\n";
        return Usage;
    }
    // Global options may also follow the command.
    OptionSpec options = command->options;
    options.valueOptions.push_back("--home");
    options.valueOptions.push_back("--language");
    options.flagOptions.push_back("--help");
    ParseResult parsed =
        parseArguments({args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end()}, options);
    if (!parsed.error.empty()) {
        std::cerr << "r605 " << name << ": " << parsed.error << "\nusage: r605 " << command->usage
                  << "\n";
        return Usage;
    }
    if (parsed.arguments.flag("--help")) {
        std::cout << "usage: r605 " << command->usage << "\n" << command->summary << "\n";
        if (command->details != nullptr)
            std::cout << command->details() << "\n";
        return Success;
    }
    home = parsed.arguments.valueOr("--home", home);
    languageOption = parsed.arguments.valueOr("--language", languageOption);

    int languageIndex = languageIndexForLcid(systemLcidHexForLocale(localeNameFromEnvironment()));
    if (!languageOption.empty()) {
        languageIndex = languageIndexFromOption(languageOption);
        if (languageIndex == 0) {
            std::cerr << "r605: --language must be en, zh or tw\n";
            return Usage;
        }
    }
    const auto programFolder = resolveProgramFolder(home);
    Context context{programFolder, Language::load(programFolder, languageIndex), std::cout,
                    std::cerr};
    return command->run(parsed.arguments, context);
}

} // namespace

// The report lays text out in fonts, which only a GUI application has; it runs on the offscreen
// platform, so that no display is needed.
bool commandNeedsFonts(int argc, char** argv) {
    return commandWord(std::vector<std::string>(argv + 1, argv + argc)) == "report";
}

// A command line has no session of its own: the offscreen platform's complaint about that is
// not the user's business. Every other message goes through.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    std::cerr << qFormatLogMessage(type, context, message).toStdString() << "\n";
}

} // namespace r605::cli

int main(int argc, char** argv) {
    if (r605::cli::commandNeedsFonts(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(r605::cli::quietMessages);
        QGuiApplication application(argc, argv);
        QCoreApplication::setApplicationName("r605");
        return r605::cli::run(argc, argv);
    }
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName("r605");
    return r605::cli::run(argc, argv);
}
