// The source tree's include layering: the engine core stays free of the
// window and the terminal tool, each folder's header stands on the shared
// one alone, and no headers include each other in a ring.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kSrc = fs::path(TAMZOR_SOURCE_DIR) / "src";
const std::set<std::string> kCore = {"board", "movegen", "position", "eval", "search", "shell"};

// The quoted includes of a file, as written.
std::vector<std::string> QuotedIncludes(const fs::path& file) {
    std::ifstream in(file);
    std::vector<std::string> out;
    static const std::regex re(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::string line;
    std::smatch m;
    while (std::getline(in, line))
        if (std::regex_search(line, m, re)) out.push_back(m[1]);
    return out;
}

bool AngleIncludes(const fs::path& file, const std::string& prefix) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line))
        if (line.find("#include <" + prefix) != std::string::npos) return true;
    return false;
}

// A quoted include resolved the way the build does: beside the file, then
// from src/ (and the generated folder, which holds no project header).
fs::path Resolve(const fs::path& from, const std::string& inc) {
    if (fs::exists(from.parent_path() / inc)) return fs::weakly_canonical(from.parent_path() / inc);
    if (fs::exists(kSrc / inc)) return fs::weakly_canonical(kSrc / inc);
    return {};
}

std::string Folder(const fs::path& file) {
    fs::path rel = fs::relative(file, kSrc);
    return rel.has_parent_path() ? rel.begin()->string() : "";
}

std::vector<fs::path> Sources() {
    std::vector<fs::path> out;
    for (const auto& e : fs::recursive_directory_iterator(kSrc)) {
        const std::string ext = e.path().extension().string();
        if (ext == ".h" || ext == ".cpp") out.push_back(fs::weakly_canonical(e.path()));
    }
    return out;
}

}  // namespace

TEST(Layout, CoreNeverReachesTheWindowOrTheTerminalTool) {
    int core_files = 0;
    for (const fs::path& f : Sources()) {
        const std::string folder = Folder(f);
        if (!kCore.count(folder) && f.filename() != "tamzor.h") continue;
        core_files++;
        EXPECT_FALSE(AngleIncludes(f, "GL/")) << f;
        for (const std::string& inc : QuotedIncludes(f)) {
            const fs::path to = Resolve(f, inc);
            if (to.empty()) continue;  // generated (build_info.h)
            const std::string target = Folder(to);
            EXPECT_TRUE(target.empty() || kCore.count(target)) << f << " includes " << inc;
        }
    }
    EXPECT_GT(core_files, 150);
}

TEST(Layout, EachFolderHeaderStandsOnTheSharedOneAlone) {
    for (const std::string& folder : kCore) {
        const fs::path header = kSrc / folder / (folder + ".h");
        ASSERT_TRUE(fs::exists(header)) << header;
        for (const std::string& inc : QuotedIncludes(header)) EXPECT_EQ(inc, "tamzor.h") << header;
    }
    for (const std::string& inc : QuotedIncludes(kSrc / "tamzor.h")) ADD_FAILURE() << "tamzor.h includes " << inc;
}

TEST(Layout, NoHeadersIncludeEachOtherInARing) {
    std::map<fs::path, std::vector<fs::path>> edges;
    for (const fs::path& f : Sources()) {
        if (f.extension() != ".h") continue;
        for (const std::string& inc : QuotedIncludes(f)) {
            const fs::path to = Resolve(f, inc);
            if (!to.empty()) edges[f].push_back(to);
        }
    }
    std::map<fs::path, int> colour;  // 0 unseen, 1 on the path, 2 done
    std::vector<fs::path> path;
    std::function<void(const fs::path&)> visit = [&](const fs::path& h) {
        colour[h] = 1;
        path.push_back(h);
        for (const fs::path& to : edges[h]) {
            if (colour[to] == 1) {
                std::ostringstream ring;
                for (const fs::path& p : path) ring << fs::relative(p, kSrc).string() << " -> ";
                ADD_FAILURE() << "include ring: " << ring.str() << fs::relative(to, kSrc).string();
            } else if (colour[to] == 0) {
                visit(to);
            }
        }
        path.pop_back();
        colour[h] = 2;
    };
    for (const auto& [h, unused] : edges)
        if (colour[h] == 0) visit(h);
    EXPECT_GT(edges.size(), 15u);
}
