// The document's edits on the largest codeplug (10000 contacts): a delete of 1000 contacts
// applied, and undone, must each stay under 20 ms; 1000 undoable edits must hold under 50 MiB
// beyond the codeplug (reported as the counter "history_MiB").
#include "document/list_edits.h"
#include "schema/sample_codeplug.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <numeric>
#include <vector>

namespace r605 {
namespace {

Codeplug largest() {
    return SampleFullCodeplug(0, bandRangesForCode(0).value(), 1);
}

std::vector<std::size_t> thousandContacts() {
    std::vector<std::size_t> entries(1000);
    std::iota(entries.begin(), entries.end(), std::size_t{4000});
    return entries;
}

void BM_DeleteThousandContacts(benchmark::State& state) {
    Document document(largest());
    const auto entries = thousandContacts();
    for (auto _ : state) {
        auto changes = deleteRecords(document, Family::Contact, entries);
        benchmark::DoNotOptimize(changes);
        state.PauseTiming();
        document.undo(*changes);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteThousandContacts)->Unit(benchmark::kMillisecond);

void BM_UndoDeleteOfThousandContacts(benchmark::State& state) {
    Document document(largest());
    const auto entries = thousandContacts();
    for (auto _ : state) {
        state.PauseTiming();
        auto changes = deleteRecords(document, Family::Contact, entries);
        state.ResumeTiming();
        document.undo(*changes);
    }
}
BENCHMARK(BM_UndoDeleteOfThousandContacts)->Unit(benchmark::kMillisecond);

std::size_t heapInUse() {
    return mallinfo2().uordblks;
}

// 1000 edits of the kinds a user makes most (a contact renamed, a channel deleted and pasted
// back, a contact deleted), their change sets kept as an undo history holds them.
void BM_ThousandEditsHistory(benchmark::State& state) {
    for (auto _ : state) {
        Document document(largest());
        Clipboard clipboard;
        const std::size_t before = heapInUse();
        std::vector<ChangeSet> history;
        for (std::size_t i = 0; i < 1000; ++i) {
            const std::array<std::size_t, 1> entry{(i * 7) % 10000};
            Result<ChangeSet> changes =
                i % 3 == 0 ? deleteRecords(document, Family::Contact, entry) : ChangeSet();
            if (i % 3 == 1) {
                const std::array<std::size_t, 1> channel{i % 256};
                clipboard.copy(document.codeplug(), Family::Channel, channel);
                changes = pasteRecords(document, clipboard, Family::Channel, (i + 1) % 256);
            }
            if (i % 3 == 2) {
                changes = document.apply(EditKind::EditCell, [i](Codeplug& c) {
                    c.Contact[i].Name = "Renamed " + std::to_string(i);
                    return Status::success();
                });
            }
            history.push_back(std::move(*changes));
        }
        state.counters["history_MiB"] =
            static_cast<double>(heapInUse() - before) / (1024.0 * 1024.0);
        benchmark::DoNotOptimize(history);
    }
}
BENCHMARK(BM_ThousandEditsHistory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace r605
