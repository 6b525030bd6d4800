// Replays saved inputs through the same session and checks, without libFuzzer: every file named,
// and every file inside each directory named. A failed check aborts, naming the file first.
#include "fuzz/session.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        const fs::path path(argv[i]);
        if (fs::is_directory(path)) {
            for (const auto& entry : fs::directory_iterator(path))
                if (entry.is_regular_file() && !entry.path().filename().string().starts_with('.'))
                    files.push_back(entry.path());
        } else if (fs::is_regular_file(path)) {
            files.push_back(path);
        } else {
            std::fprintf(stderr, "tavrol32-fuzz-replay: no such file or directory: %s\n", argv[i]);
            return 2;
        }
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::fprintf(stderr, "tavrol32-fuzz-replay: no inputs given\n");
        return 2;
    }
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::fprintf(stderr, "replaying %s (%zu bytes)\n", file.string().c_str(), bytes.size());
        std::fflush(stderr);
        tavrol::fuzz::playInput(
            reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), tavrol::fuzz::kReplayBudget);
    }
    std::printf("%zu inputs replayed, every check held\n", files.size());
    return 0;
}
