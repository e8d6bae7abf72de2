// The comparison of two full codeplugs (10000 contacts each) must stay under 100 ms, lines of
// text included: two codeplugs that differ in every record, a compaction that renumbers 5000
// contacts, and 100 edited contacts.
#include "compare/codeplug_diff.h"
#include "compare/diff_text.h"
#include "image/family_codecs.h"
#include "schema/sample_codeplug.h"
#include "text/language.h"

#include <benchmark/benchmark.h>

namespace r605 {
namespace {

Codeplug sample(std::uint32_t seed) {
    return SampleFullCodeplug(0, bandRangesForCode(0).value(), seed);
}

void compare(benchmark::State& state, const Codeplug& a, const Codeplug& b) {
    const Language language; // texts do not change the work
    const ColumnContext context{language, bandRangesForCode(0).value()};
    std::size_t lines = 0;
    for (auto _ : state) {
        const CodeplugDiff diff = compareCodeplugs(a, b, context);
        lines = diffLines(diff, language).size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = static_cast<double>(lines);
}

void BM_DiffOfTwoDifferentFullCodeplugs(benchmark::State& state) {
    compare(state, sample(1), sample(2));
}
BENCHMARK(BM_DiffOfTwoDifferentFullCodeplugs)->Unit(benchmark::kMillisecond);

void BM_DiffOfAContactCompaction(benchmark::State& state) {
    Codeplug a = sample(1);
    for (std::size_t entry = 0; entry < a.Contact.size(); entry += 2)
        a.Contact[entry].Used = 0;
    Codeplug b = a;
    CompactContacts(b);
    compare(state, a, b);
}
BENCHMARK(BM_DiffOfAContactCompaction)->Unit(benchmark::kMillisecond);

void BM_DiffOfHundredEditedContacts(benchmark::State& state) {
    const Codeplug a = sample(1);
    Codeplug b = a;
    for (std::size_t entry = 0; entry < b.Contact.size(); entry += 100)
        b.Contact[entry].Id += 1;
    compare(state, a, b);
}
BENCHMARK(BM_DiffOfHundredEditedContacts)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace r605
