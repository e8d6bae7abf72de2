// Boot image conversion of a full-HD photo: the user waits for it after choosing a picture, so
// it must stay well under a tenth of a second.
#include "bootimage/picture_conversion.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

r605::RgbPicture photo(int width, int height) {
    std::mt19937 random(605);
    r605::RgbPicture picture{width, height,
                             std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
    for (auto& byte : picture.rgb)
        byte = static_cast<std::uint8_t>(random() & 0xFF);
    return picture;
}

void ConvertPicture(benchmark::State& state) {
    const r605::RgbPicture picture =
        photo(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        auto conversion = r605::ConvertPictureToBootImage(picture);
        benchmark::DoNotOptimize(conversion);
    }
}
BENCHMARK(ConvertPicture)
    ->Args({1920, 1080})
    ->Args({640, 480})
    ->Args({4000, 3000})
    ->Unit(benchmark::kMillisecond);

} // namespace
