// Where the window's data lies. The working directory plays no part, so the
// program starts the same from anywhere: installed, it reads the data
// installed with it; run from its build folder, the source tree's.
#include <limits.h>
#include <unistd.h>

#include <filesystem>

#include "viewlogic.h"
#include "tamzor.h"

namespace fs = std::filesystem;

std::vector<std::string> DataDirs(const std::string& exe, const char* from_bin, const char* build_tree,
                                  const char* source_tree) {
    std::vector<std::string> dirs;
    if (exe.empty()) return dirs;
    const fs::path bin = fs::path(exe).parent_path();
    dirs.push_back((bin / from_bin).lexically_normal().string());
    std::error_code e;  // a build folder since removed is simply not this one
    if (fs::equivalent(bin, build_tree, e)) dirs.push_back(fs::path(source_tree).lexically_normal().string());
    return dirs;
}

std::string FindDataDir(const std::vector<std::string>& dirs) {
    for (const std::string& d : dirs) {
        std::error_code e;
        if (fs::is_directory(fs::path(d) / "pieces", e)) return d;
    }
    return "";
}

std::string ExecutablePath() {
    char self[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return "";
    self[n] = 0;
    return self;
}
