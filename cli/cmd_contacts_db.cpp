// `r605 contacts-db FILE --from users.csv -o OUT [--country NAME,...] [--prefix 2,310,...]
// [--near-id ID] [--max N] [--keep-existing|--replace]`: private-call contacts from a DMR user
// database into a codeplug's free contact slots, the result written to OUT. Says which columns
// the database gave, how many lines it could not read, what the choice selected and where the
// contacts went. A database without a column of radio IDs is refused and nothing is written.
#include "base/numbers.h"
#include "codeplug_file.h"
#include "commands.h"
#include "contacts_db/database_contacts.h"
#include "rules/band.h"

#include <ostream>

namespace r605::cli {

namespace {

constexpr std::string_view kUsage =
    "contacts-db FILE.rdt|FILE.json --from users.csv -o OUT.rdt|OUT.json [--country NAME,...] "
    "[--prefix 2,310,...] [--near-id ID] [--max N] [--keep-existing|--replace]";

std::vector<std::string> commaList(std::string_view text) {
    std::vector<std::string> items;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = trimBlanks(text.substr(0, comma));
        if (!item.empty())
            items.emplace_back(item);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    }
    return items;
}

// The choice the options give; a message for the user when they are wrong.
std::optional<ContactChoice> choiceOf(const Arguments& arguments, std::string& problem) {
    ContactChoice choice;
    if (arguments.flag("--keep-existing") && arguments.flag("--replace")) {
        problem = "--keep-existing and --replace exclude each other";
        return std::nullopt;
    }
    choice.existing =
        arguments.flag("--replace") ? ExistingContacts::Replace : ExistingContacts::Keep;
    if (const auto countries = arguments.value("--country"))
        choice.countries = commaList(*countries);
    if (const auto prefixes = arguments.value("--prefix")) {
        choice.prefixes = commaList(*prefixes);
        for (const std::string& prefix : choice.prefixes) {
            if (!isIdPrefix(prefix)) {
                problem = "--prefix takes ID prefixes of 1 to 8 digits, not \"" + prefix + "\"";
                return std::nullopt;
            }
        }
    }
    if (const auto nearId = arguments.value("--near-id")) {
        const auto id = parseInteger(*nearId);
        if (!id || *id < 1 || *id > 99999999) {
            problem = "--near-id takes a radio ID";
            return std::nullopt;
        }
        choice.nearId = static_cast<std::int32_t>(*id);
    }
    if (const auto most = arguments.value("--max")) {
        const auto count = parseInteger(*most);
        if (!count || *count < 0) {
            problem = "--max takes a number of contacts";
            return std::nullopt;
        }
        choice.most = static_cast<std::size_t>(*count);
    }
    return choice;
}

std::string counted(std::size_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

void describeDatabase(const UserDatabase& database, const std::string& name, Context& context) {
    context.out << name << ": " << counted(database.users().size(), "user", "users")
                << "; columns found:";
    for (std::size_t k = 0; k < database.columns().size(); ++k) {
        const FoundColumn& column = database.columns()[k];
        context.out << (k == 0 ? " " : ", ") << userFieldName(column.field) << " \""
                    << column.heading << "\"";
    }
    for (std::size_t k = 0; k < database.otherColumns().size(); ++k)
        context.out << (k == 0 ? "; not used: \"" : ", \"") << database.otherColumns()[k] << "\"";
    context.out << "\n";
    if (database.brokenLines() > 0) {
        context.err << "r605 contacts-db: " << counted(database.brokenLines(), "line", "lines")
                    << " could not be read and skipped: line";
        const auto lines = database.firstBrokenLines();
        for (std::size_t k = 0; k < lines.size(); ++k)
            context.err << (k == 0 ? " " : ", ") << lines[k];
        context.err << (database.brokenLines() > lines.size() ? ", ...\n" : "\n");
    }
    if (database.repeatedIds() > 0)
        context.err << "r605 contacts-db: " << counted(database.repeatedIds(), "line", "lines")
                    << " with the ID of an earlier line skipped\n";
}

void describePlacement(const ContactPlacement& placement, Context& context) {
    const ContactPlan& plan = placement.plan;
    for (const std::string& country : plan.unknownCountries)
        context.err << "r605 contacts-db: no line names the country \"" << country << "\"\n";
    if (plan.removed > 0)
        context.out << plan.removed << " private-call contacts replaced\n";
    context.out << "selected " << counted(plan.matched, "user", "users");
    if (plan.present > 0)
        context.out << " (" << plan.present << " already contacts, kept)";
    context.out << "; room for " << plan.room << "; "
                << counted(plan.taken.size(), "contact", "contacts") << " added";
    if (!plan.taken.empty())
        context.out << " in slots " << placement.firstSlot << " to " << placement.lastSlot;
    context.out << "\n";
}

int runContactsDb(const Arguments& arguments, Context& context) {
    const auto output = arguments.value("-o");
    const auto from = arguments.value("--from");
    if (arguments.positional.size() != 1 || !output || !from)
        return usageError(context, kUsage, "contacts-db takes FILE, --from DATABASE and -o OUT");
    std::string problem;
    const auto choice = choiceOf(arguments, problem);
    if (!choice)
        return usageError(context, kUsage, problem);

    auto file = loadCodeplugFile(arguments.positional[0], context, "contacts-db");
    if (!file) {
        context.fail(file.error());
        return Failure;
    }
    const auto database = UserDatabase::read(*from);
    if (!database) {
        context.fail(database.error());
        return Failure;
    }
    describeDatabase(*database, *from, context);

    Document document(std::move(file->codeplug));
    const auto bands = bandRangesForCode(document.codeplug().Header.BandCode);
    const ColumnContext columns{context.language, bands ? *bands : BandRanges{}};
    const auto placement = placeContacts(document, *database, *choice, columns);
    if (!placement) {
        context.fail(placement.error());
        return Failure;
    }
    describePlacement(*placement, context);
    const auto saved = saveCodeplugFile(*output, document.codeplug(), file->textForm);
    if (!saved) {
        context.fail(saved.error());
        return Failure;
    }
    return context.reportSaved(*saved);
}

} // namespace

Command contactsDbCommand() {
    return Command{"contacts-db", kUsage,
                   "private-call contacts from a DMR user database (CSV) into the free contact "
                   "slots, chosen by country, ID prefix or nearness to an ID",
                   OptionSpec{{"-o", "--from", "--country", "--prefix", "--near-id", "--max"},
                              {"--keep-existing", "--replace"}},
                   runContactsDb};
}

} // namespace r605::cli
