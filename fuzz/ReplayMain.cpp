// Runs a fuzz target over every file of its corpus folders, so the corpus is
// an ordinary regression test in builds without libFuzzer. Expected results
// beside the inputs (the corpus' own, or those of the feed documents under
// tests/data/feeds) are passed over: only the inputs are replayed.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool IsInput(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    return !EndsWith(name, ".expected.json") && !EndsWith(name, ".args");
}

int ReplayFolder(const char* folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file() || !IsInput(entry.path()))
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        ++count;
    }
    std::printf("replayed %d inputs from %s\n", count, folder);
    return count;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR...\n", argv[0]);
        return 2;
    }
    int count = 0;
    for (int i = 1; i < argc; ++i)
        count += ReplayFolder(argv[i]);
    return count > 0 ? 0 : 1;
}
