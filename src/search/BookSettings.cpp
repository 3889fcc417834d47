// The book settings, and where the installed books lie: in books/ of the
// data folder beside the programs (share/tamzor), or of the source tree when
// a program runs from its build folder, as the window finds its meshes.
#include <limits.h>
#include <unistd.h>

#include <filesystem>
#include <mutex>

#include "build_info.h"
#include "search/book.h"
#include "tamzor.h"

namespace fs = std::filesystem;

std::atomic<bool> book_on{false};
std::atomic<bool> book_best_only{false};

namespace {
std::mutex file_mutex;
std::string chosen[2];  // 2D, 3D; "" the installed book

std::string FindBook(const char* name) {
    char self[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return "";
    self[n] = 0;
    const fs::path bin = fs::path(self).parent_path();
    std::vector<fs::path> dirs = {bin / TAMZOR_DATA_FROM_BIN};
    std::error_code e;
    if (fs::equivalent(bin, TAMZOR_BUILD_TREE, e)) dirs.push_back(TAMZOR_SOURCE_TREE);
    for (const fs::path& d : dirs) {
        const fs::path p = (d / "books" / name).lexically_normal();
        if (fs::is_regular_file(p, e)) return p.string();
    }
    return "";
}
}  // namespace

std::string DefaultBookFile(int dmode) {
    static const std::string books[2] = {FindBook("tamzor-2d.bin"), FindBook("tamzor-3d.bin")};
    return books[dmode == 2 ? 0 : 1];
}

void SetBookFile(int dmode, const std::string& path) {
    std::lock_guard<std::mutex> lk(file_mutex);
    chosen[dmode == 2 ? 0 : 1] = path;
}

std::string BookFile(int dmode) {
    {
        std::lock_guard<std::mutex> lk(file_mutex);
        if (!chosen[dmode == 2 ? 0 : 1].empty()) return chosen[dmode == 2 ? 0 : 1];
    }
    return DefaultBookFile(dmode);
}
