// Encode-all and decode-all of the largest codeplug a radio holds (every table full, every text
// at its full length): both run inside a transfer, so each must stay under 20 ms, and the image
// with its block map under 4 MiB. Set R605_BENCH_JSON to a path to also get that codeplug as JSON
// (for measuring `r605 image` on it with /usr/bin/time -v).
#include "base/file_io.h"
#include "image/family_codecs.h"
#include "schema/new_codeplug.h"
#include "schema/sample_codeplug.h"
#include "json/codeplug_json.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace r605;

constexpr double kImageBudgetBytes = 4.0 * 1024 * 1024;

Codeplug largestCodeplug() {
    return SampleFullCodeplug(0, bandRangesForCode(0).value(), 605);
}

void EncodeAll(benchmark::State& state) {
    Codeplug codeplug = largestCodeplug();
    CommImage image;
    for (auto _ : state) {
        // As a write does it: a cleared image and block map, then encode-all.
        image.ClearCommData();
        image.WriteBlockMap.clear();
        SetCommDataAll(codeplug, image);
        benchmark::DoNotOptimize(image.EncodeOK);
    }
    if (!image.EncodeOK)
        state.SkipWithError("encode-all failed");
    const double bytes =
        static_cast<double>(image.CommData.allocatedBytes() + image.WriteBlockMap.allocatedBytes());
    state.counters["image_and_map_MiB"] = bytes / (1024.0 * 1024.0);
    state.counters["blocks"] = static_cast<double>(image.WriteBlockMap.count(1));
    if (bytes >= kImageBudgetBytes)
        state.SkipWithError("the image and block map exceed 4 MiB");
}
BENCHMARK(EncodeAll)->Unit(benchmark::kMillisecond);

void DecodeAll(benchmark::State& state) {
    Codeplug codeplug = largestCodeplug();
    CommImage image;
    SetCommDataAll(codeplug, image);
    Codeplug decoded = NewCodeplug(0, bandRangesForCode(0).value());
    for (auto _ : state) {
        GetAllFromCommData(image, decoded);
        benchmark::DoNotOptimize(decoded.Contact[9999].Used);
    }
    if (decoded.Contact[9999].Name != codeplug.Contact[9999].Name)
        state.SkipWithError("decode-all lost a contact");
}
BENCHMARK(DecodeAll)->Unit(benchmark::kMillisecond);

void CodeplugToJsonText(benchmark::State& state) {
    const Codeplug codeplug = largestCodeplug();
    std::string text;
    for (auto _ : state) {
        text = CodeplugToJson(codeplug);
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["json_MiB"] = static_cast<double>(text.size()) / (1024.0 * 1024.0);
    if (const char* path = std::getenv("R605_BENCH_JSON")) {
        if (!writeFileAtomically(path, text))
            state.SkipWithError("cannot write R605_BENCH_JSON");
    }
}
BENCHMARK(CodeplugToJsonText)->Unit(benchmark::kMillisecond);

void CodeplugFromJsonText(benchmark::State& state) {
    const std::string text = CodeplugToJson(largestCodeplug());
    for (auto _ : state) {
        auto codeplug = CodeplugFromJson(text);
        if (!codeplug)
            state.SkipWithError("the JSON was refused");
        benchmark::DoNotOptimize(codeplug);
    }
}
BENCHMARK(CodeplugFromJsonText)->Unit(benchmark::kMillisecond);

} // namespace
