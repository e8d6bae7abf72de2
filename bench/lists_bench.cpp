// List import and export of the largest contact list: 10000 contacts with every text at its
// full length, from a CSV file, from a downloaded contact file (.cgi, all on one line as the
// download gives it), and the export. Target: each under 200 ms.
#include "lists/list_export.h"
#include "lists/list_import.h"

#include <benchmark/benchmark.h>

#include <string>

namespace r605 {
namespace {

ListContext benchContext() {
    ListContext context;
    context.language = Language::fromContent("[OTHER]\n10500=No.\n10501=Radio ID\n"
                                             "10502=Call Type\n10503=Name\n10504=City\n"
                                             "10505=Call Receive Tone\n10506=Callsign\n"
                                             "10507=State\n10508=Country\n10509=Remarks\n"
                                             "10550=Private Call\n10551=Group Call\n"
                                             "10552=All Call\n20050=Off\n20085=On\n");
    context.bands = *bandRangesForCode(0);
    return context;
}

// A text of exactly `length` bytes: Latin, or Chinese (two bytes a character in the radio's
// code page) for every third contact, as a dealer's list mixes them.
std::string fullText(std::string_view stem, std::size_t entry, std::size_t length) {
    std::string text(stem);
    text += std::to_string(entry);
    if (entry % 3 == 0) {
        std::string chinese = "联系人" + std::to_string(entry);
        while (chinese.size() < 40)
            chinese += "中";
        return chinese; // cut to the field on import
    }
    text.resize(length, 'x');
    return text;
}

Codeplug fullContacts() {
    Codeplug codeplug;
    for (std::size_t n = 0; n < kContactCount; ++n) {
        ContactRec& contact = codeplug.Contact[n];
        contact.Number = static_cast<std::int32_t>(n + 1);
        contact.Used = 1;
        contact.Id = static_cast<std::int32_t>(4600000 + n);
        contact.CallType = static_cast<std::int16_t>(n % 3);
        contact.Byte80 = static_cast<std::int16_t>(n % 2);
        contact.Name = fullText("Name ", n, 16);
        contact.City = fullText("City ", n, 15);
        contact.Callsign = fullText("C", n, 8).substr(0, 8);
        contact.State = fullText("State ", n, 16);
        contact.Country = fullText("Country ", n, 16);
        contact.Remarks = fullText("Remarks, \"", n, 16);
    }
    return codeplug;
}

std::string cgiText(const Codeplug& codeplug) {
    std::string text = "Radio ID,Callsign,Name,City,State,Country,Remarks";
    for (const ContactRec& contact : codeplug.Contact) {
        text += "<br/>" + std::to_string(contact.Id) + "," + contact.Callsign + "," + contact.Name +
                "," + contact.City + "," + contact.State + "," + contact.Country + ",DMR";
    }
    return text + "<br/>";
}

void BM_ContactCsvImport(benchmark::State& state) {
    const ListContext context = benchContext();
    const Codeplug source = fullContacts();
    const std::string csv = *ExportListText(source, ListType::Contacts, context);
    const Codeplug target;
    for (auto _ : state) {
        ListImport import(target, context);
        const Status status =
            import.importText(ListType::Contacts, ListText::fromBytes(csv), "contacts.csv");
        auto result = import.finish();
        if (!status || !result || result->Contact[9999].Used != 1)
            state.SkipWithError("import failed");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ContactCsvImport)->Unit(benchmark::kMillisecond);

void BM_ContactCgiImport(benchmark::State& state) {
    const ListContext context = benchContext();
    const std::string cgi = cgiText(fullContacts());
    const Codeplug target;
    for (auto _ : state) {
        ListImport import(target, context);
        const Status status = import.importText(ListType::DownloadedContacts,
                                                ListText::fromCgiBytes(cgi), "user.cgi");
        auto result = import.finish();
        if (!status || !result || result->Contact[9999].Used != 1)
            state.SkipWithError("import failed");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ContactCgiImport)->Unit(benchmark::kMillisecond);

void BM_ContactExport(benchmark::State& state) {
    const ListContext context = benchContext();
    const Codeplug source = fullContacts();
    for (auto _ : state) {
        auto text = ExportListText(source, ListType::Contacts, context);
        if (!text || text->size() < 10000 * 60)
            state.SkipWithError("export failed");
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_ContactExport)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace r605
