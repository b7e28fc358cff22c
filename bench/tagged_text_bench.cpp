// Reading speed of tagged text: value lines as the design readers meet them.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "dsg/tagged_text_file.h"

namespace {

using roamer::dsg::CTaggedTextFile;

// A file of `lines` vector lines in a vector list, as walls and furniture hold them.
std::string MakeVectorFile(int lines) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("roamer-bench-" + std::to_string(lines) + ".txt"))
            .string();
    std::ofstream out(path, std::ios::binary);
    out << "BEGIN_VECTORLIST\r\nCount\r\n    " << lines << "\r\n";
    for (int i = 0; i < lines; ++i)
        out << "    " << i * 0.25 << "00000," << -i * 0.5 << "00000,123.456789\r\n";
    out << "END_VECTORLIST\r\n";
    return path;
}

std::string MakeDoubleFile(int lines) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("roamer-bench-d" + std::to_string(lines) + ".txt"))
            .string();
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < lines; ++i) out << "Value\r\n    " << i * 0.125 << "0000000\r\n";
    return path;
}

void BM_ReadVectorList(benchmark::State& state) {
    const std::string path = MakeVectorFile(static_cast<int>(state.range(0)));
    const auto bytes = static_cast<int64_t>(std::filesystem::file_size(path));
    std::vector<roamer::dsg::Vector3f> vectors;
    for (auto _ : state) {
        CTaggedTextFile file;
        file.OpenRead(path);
        if (!file.ReadVectorList(vectors)) state.SkipWithError("read failed");
        file.Close();
        benchmark::DoNotOptimize(vectors.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    std::remove(path.c_str());
}
BENCHMARK(BM_ReadVectorList)->Arg(200000);

void BM_FindKeyAndReadDouble(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    const std::string path = MakeDoubleFile(lines);
    const auto bytes = static_cast<int64_t>(std::filesystem::file_size(path));
    for (auto _ : state) {
        CTaggedTextFile file;
        file.OpenRead(path);
        double sum = 0.0;
        for (int i = 0; i < lines; ++i) {
            double v = 0.0;
            if (!file.FindKey("Value") || !file.ReadDouble(v)) state.SkipWithError("read failed");
            sum += v;
        }
        file.Close();
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    std::remove(path.c_str());
}
BENCHMARK(BM_FindKeyAndReadDouble)->Arg(200000);

}  // namespace
