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

namespace fs = std::filesystem;

namespace {

const fs::path kSrc = fs::path(TAMZOR_SOURCE_DIR) / "src";
const std::set<std::string> kCore = {"board", "movegen", "position", "eval", "search", "shell"};

// The includes of a file written with quotes (or, for `angle`, those with
// angle brackets that start with it).
std::vector<std::string> Includes(const fs::path& file, const std::string& angle = "") {
    std::ifstream in(file);
    std::vector<std::string> out;
    static const std::regex re(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::smatch m;
    for (std::string line; std::getline(in, line);) {
        if (angle.empty() && std::regex_search(line, m, re)) out.push_back(m[1]);
        if (!angle.empty() && line.find("#include <" + angle) != std::string::npos) out.push_back(line);
    }
    return out;
}

// A quoted include resolved the way the build does: beside the file, then
// from src/ (the generated folder holds no project header).
fs::path Resolve(const fs::path& from, const std::string& inc) {
    if (fs::exists(from.parent_path() / inc)) return fs::weakly_canonical(from.parent_path() / inc);
    return fs::exists(kSrc / inc) ? fs::weakly_canonical(kSrc / inc) : fs::path();
}

std::string Folder(const fs::path& file) {
    const fs::path rel = fs::relative(file, kSrc);
    return rel.has_parent_path() ? rel.begin()->string() : "";
}

std::vector<fs::path> Sources(const std::set<std::string>& exts) {
    std::vector<fs::path> out;
    for (const auto& e : fs::recursive_directory_iterator(kSrc))
        if (exts.count(e.path().extension().string())) out.push_back(fs::weakly_canonical(e.path()));
    return out;
}

}  // namespace

TEST(Layout, CoreNeverReachesTheWindowOrTheTerminalTool) {
    int core_files = 0;
    for (const fs::path& f : Sources({".h", ".cpp"})) {
        if (!kCore.count(Folder(f)) && f.filename() != "tamzor.h") continue;
        core_files++;
        EXPECT_TRUE(Includes(f, "GL/").empty()) << f;
        for (const std::string& inc : Includes(f)) {
            const fs::path to = Resolve(f, inc);  // empty: generated (build_info.h)
            EXPECT_TRUE(to.empty() || Folder(to).empty() || kCore.count(Folder(to)))
                << f << " includes " << inc;
        }
    }
    EXPECT_GT(core_files, 150);
}

TEST(Layout, EachFolderHeaderStandsOnTheSharedOneAlone) {
    for (const std::string& folder : kCore) {
        const fs::path header = kSrc / folder / (folder + ".h");
        ASSERT_TRUE(fs::exists(header)) << header;
        for (const std::string& inc : Includes(header)) EXPECT_EQ(inc, "tamzor.h") << header;
    }
    EXPECT_EQ(Includes(kSrc / "tamzor.h"), std::vector<std::string>{}) << "tamzor.h includes no project header";
}

TEST(Layout, NoHeadersIncludeEachOtherInARing) {
    std::map<fs::path, std::vector<fs::path>> edges;
    for (const fs::path& f : Sources({".h"}))
        for (const std::string& inc : Includes(f))
            if (const fs::path to = Resolve(f, inc); !to.empty()) edges[f].push_back(to);
    std::map<fs::path, int> colour;  // 0 unseen, 1 on the path, 2 done
    std::vector<fs::path> path;
    std::function<void(const fs::path&)> visit = [&](const fs::path& h) {
        colour[h] = 1;
        path.push_back(h);
        for (const fs::path& to : edges[h]) {
            if (colour[to] == 1) {
                std::string ring;
                for (const fs::path& p : path) ring += fs::relative(p, kSrc).string() + " -> ";
                ADD_FAILURE() << "include ring: " << ring << fs::relative(to, kSrc).string();
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
