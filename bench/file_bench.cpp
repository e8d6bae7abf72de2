// Codeplug files of the largest codeplug: every table full, 10000 contacts with full texts (in
// the 7-bit form, the only one in which they fit the contact block), 50000 recordings. Save and
// load each must stay under 50 ms.
#include "document/document.h"
#include "file/rdt_format.h"
#include "schema/sample_codeplug.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace r605 {
namespace {

namespace fs = std::filesystem;

std::string fullText(std::size_t bytes, std::size_t seed) {
    std::string text;
    for (std::size_t i = 0; i < bytes; ++i)
        text.push_back(static_cast<char>('A' + (seed + i) % 26));
    return text;
}

template <class TableT> void fillNumbered(TableT& table) {
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i].Used = 1;
}

// The sample codeplug with the tables only files hold filled as well.
Codeplug LargestCodeplug() {
    Codeplug codeplug = SampleFullCodeplug(0, bandRangesForCode(0).value(), 1);
    fillNumbered(codeplug.PhoneBook);
    for (std::size_t i = 0; i < codeplug.PhoneBook.size(); ++i) {
        codeplug.PhoneBook[i].PhoneNumber = "0123456789012345";
        codeplug.PhoneBook[i].Name = fullText(16, i);
    }
    for (auto* log : {&codeplug.CallLog1, &codeplug.CallLog2, &codeplug.CallLog3}) {
        fillNumbered(*log);
        for (std::size_t i = 0; i < log->size(); ++i)
            (*log)[i].CallId = static_cast<std::int32_t>(i + 1000);
    }
    for (auto* messages : {&codeplug.TextMessage1, &codeplug.TextMessage2, &codeplug.TextMessage3,
                           &codeplug.TextMessage4}) {
        fillNumbered(*messages);
        for (std::size_t i = 0; i < messages->size(); ++i)
            (*messages)[i].Text = fullText(kTextMessageLength, i);
    }
    fillNumbered(codeplug.Recording);
    fillNumbered(codeplug.RecordingIndex);
    for (std::size_t i = 0; i < codeplug.Recording.size(); ++i) {
        codeplug.Recording[i].CallerId = static_cast<std::int32_t>(i);
        codeplug.RecordingIndex[i].Blocks = static_cast<std::int16_t>(i % 1000);
    }
    fillNumbered(codeplug.TwoToneEntry);
    for (std::size_t i = 0; i < codeplug.TwoToneEntry.size(); ++i)
        codeplug.TwoToneEntry[i].Name = fullText(16, i);
    for (std::size_t i = 0; i < codeplug.RepeaterOffset.size(); ++i)
        codeplug.RepeaterOffset[i] = RepeaterOffsetRec{60000, 2};
    return codeplug;
}

class Folder {
public:
    Folder() : m_path(fs::temp_directory_path() / ("r605_file_bench_" + std::to_string(getpid()))) {
        fs::create_directories(m_path);
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    fs::path file(std::string_view name) const { return m_path / name; }

private:
    fs::path m_path;
};

void BM_EncodeLargestCodeplug(benchmark::State& state) {
    const Codeplug codeplug = LargestCodeplug();
    std::size_t size = 0;
    for (auto _ : state) {
        auto encoded = EncodeCodeplugFile(codeplug, ContactTextForm::SevenBit);
        size = encoded.bytes.size();
        benchmark::DoNotOptimize(encoded);
    }
    state.counters["file_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_EncodeLargestCodeplug)->Unit(benchmark::kMillisecond);

void BM_DecodeLargestCodeplug(benchmark::State& state) {
    const std::string bytes =
        EncodeCodeplugFile(LargestCodeplug(), ContactTextForm::SevenBit).bytes;
    DecodedCodeplugFile decoded;
    for (auto _ : state) {
        const Status read = DecodeCodeplugFileInto(bytes, decoded);
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(BM_DecodeLargestCodeplug)->Unit(benchmark::kMillisecond);

// A save as the program does it: staging copy, encode, atomic write of the file.
void BM_SaveLargestCodeplug(benchmark::State& state) {
    Folder folder;
    Document document(LargestCodeplug());
    for (auto _ : state) {
        auto saved = document.save(folder.file("largest.rdt"), ContactTextForm::SevenBit);
        if (!saved)
            state.SkipWithError(saved.error().text.c_str());
    }
}
BENCHMARK(BM_SaveLargestCodeplug)->Unit(benchmark::kMillisecond);

// A load as the program does it: read, decode into the candidate, staging and working copies,
// member clean-up.
void BM_LoadLargestCodeplug(benchmark::State& state) {
    Folder folder;
    {
        Document writer(LargestCodeplug());
        if (!writer.save(folder.file("largest.rdt"), ContactTextForm::SevenBit))
            state.SkipWithError("save failed");
    }
    Document document;
    for (auto _ : state) {
        auto loaded = document.load(folder.file("largest.rdt"));
        if (!loaded)
            state.SkipWithError(loaded.error().text.c_str());
    }
}
BENCHMARK(BM_LoadLargestCodeplug)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace r605
