// Benchmarks of picture reading: the shipped pictures and hostile files,
// which must be refused at once whatever they declare.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "assets/image.h"

namespace {
void BM_LoadShippedPicture(benchmark::State& state, const char* name) {
    const std::string path = std::string(CORVANE_DATA_DIR) + "/" + name;
    uint64_t bytes = 0;
    for (auto _ : state) {
        Image image = loadPng(path);
        bytes = image.rowBytes() * image.height;
        benchmark::DoNotOptimize(image.pixels);
    }
    state.counters["decoded_bytes"] = static_cast<double>(bytes);
}
BENCHMARK_CAPTURE(BM_LoadShippedPicture, underlay, "corvane_underlay.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadShippedPicture, rock, "rock.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadShippedPicture, logo, "qlogo.png")->Unit(benchmark::kMillisecond);

void append32(std::vector<unsigned char>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(v >> shift));
}

// A PNG signature, a 1 by 1 header and a chunk declaring length bytes.
std::string hostileFile(const char* name, const char* type, uint32_t length, uint32_t side) {
    std::vector<unsigned char> f = {137, 80, 78, 71, 13, 10, 26, 10};
    append32(f, 13);
    f.insert(f.end(), {'I', 'H', 'D', 'R'});
    append32(f, side);
    append32(f, side);
    f.insert(f.end(), {8, 2, 0, 0, 0, 0, 0, 0, 0});
    append32(f, length);
    f.insert(f.end(), type, type + 4);
    while (f.size() < 57)
        f.push_back(0);
    const std::string path = "/tmp/corvane_bench_" + std::string(name) + ".png";
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(f.data(), 1, f.size(), file);
    std::fclose(file);
    return path;
}

void BM_RefuseTextChunkOfOneGigabyte(benchmark::State& state) {
    const std::string path = hostileFile("text", "tEXt", 1u << 30, 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(loadPng(path).channels);
}
BENCHMARK(BM_RefuseTextChunkOfOneGigabyte)->Unit(benchmark::kMicrosecond);

void BM_RefuseHugeDeclaredPicture(benchmark::State& state) {
    const std::string path = hostileFile("huge", "IDAT", 8, 20000);
    for (auto _ : state)
        benchmark::DoNotOptimize(loadPng(path).channels);
}
BENCHMARK(BM_RefuseHugeDeclaredPicture)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
