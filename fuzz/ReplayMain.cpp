// Runs a fuzz target over saved inputs (files, or every file of the
// directories given), as the test suite does with the seed corpora and the
// inputs that once failed. Any fault aborts the run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; i++) {
        std::error_code ec;
        if (fs::is_directory(argv[i], ec)) {
            for (const auto& e : fs::directory_iterator(argv[i]))
                if (e.is_regular_file() && e.path().filename().string()[0] != '.')
                    inputs.push_back(fs::absolute(e.path()));
        } else if (fs::is_regular_file(argv[i], ec)) {
            inputs.push_back(fs::absolute(argv[i]));
        } else {
            fprintf(stderr, "replay: no such input '%s'\n", argv[i]);
            return 2;
        }
    }
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path& p : inputs) {
        // (a target may change the working directory: the paths are absolute)
        std::ifstream f(p, std::ios::binary);
        if (!f) {
            fprintf(stderr, "replay: cannot read '%s'\n", p.c_str());
            return 2;
        }
        const std::vector<char> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        fprintf(stderr, "replay: %s\n", p.c_str());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    fprintf(stderr, "replay: %zu inputs, all passed\n", inputs.size());
    return 0;
}
