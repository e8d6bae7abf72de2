// Contacts from a DMR user database of 300 000 lines (more than the published lists hold): the
// file's text read, a country chosen, the 10000 IDs nearest to the user's own taken and placed
// into a new codeplug as one edit. Target: under 1 s for the whole, from the text to the edit.
#include "contacts_db/database_contacts.h"
#include "schema/new_codeplug.h"
#include "text/language.h"

#include <benchmark/benchmark.h>

#include <string>

namespace r605 {
namespace {

constexpr std::size_t kLines = 300000;

// The lines of a published database, grouped by country as its IDs are, with quoted names here
// and there and names in other scripts.
std::string databaseText() {
    static const char* const countries[] = {"Germany", "United States", "China", "Japan",
                                            "Brazil",  "Italy",         "Spain", "Canada"};
    std::string text = "RADIO_ID,CALLSIGN,FIRST_NAME,LAST_NAME,CITY,STATE,COUNTRY,REMARKS\n";
    for (std::size_t k = 0; k < kLines; ++k) {
        const std::size_t country = k * std::size(countries) / kLines;
        const std::string id = std::to_string(1000000 + k * 30 + k % 7);
        text += id + ",DL" + std::to_string(k % 9) + "X" + std::to_string(k % 997) + ",";
        text += k % 5 == 0 ? "\"Jürgen, Hans\"" : (k % 7 == 0 ? "伟" : "Peter");
        text += ",Müller-Lüdenscheidt,Town " + std::to_string(k % 3000) + ",State " +
                std::to_string(k % 50) + "," + countries[country] + ",\n";
    }
    return text;
}

void BM_DatabaseContactsReadSelectPlace(benchmark::State& state) {
    const std::string text = databaseText();
    const Codeplug base = NewCodeplug(0).value();
    const Language language;
    const ColumnContext context{language, *bandRangesForCode(0)};
    ContactChoice choice;
    choice.countries = {"germany", "United States"};
    choice.nearId = 1500000;
    std::size_t placed = 0;
    for (auto _ : state) {
        Document document(base);
        auto database = UserDatabase::parse(text);
        auto placement = placeContacts(document, *database, choice, context);
        placed = placement->plan.taken.size();
        benchmark::DoNotOptimize(placement->changes);
    }
    state.counters["contacts"] = static_cast<double>(placed);
    state.counters["lines"] = static_cast<double>(kLines);
}
BENCHMARK(BM_DatabaseContactsReadSelectPlace)->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace
} // namespace r605
