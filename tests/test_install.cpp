// The program as installed: where the window finds its data, what an install
// puts in place and an uninstall takes away, the manual pages against the
// programs' own usage, keys and menus, and one version everywhere.
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>

#include "build_info.h"
#include "cli.h"
#include "cli_runner.h"
#include "viewlogic.h"
#include "tamzor.h"

namespace fs = std::filesystem;

namespace {
std::string ReadText(const fs::path& p) {
    std::ifstream in(p);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
// The first line a command writes, and that it ended well.
std::string FirstLine(const std::string& command) {
    FILE* f = popen(command.c_str(), "r");
    char line[100] = "";
    if (!f || !fgets(line, sizeof line, f)) return "";
    return pclose(f) == 0 ? line : "failed: " + std::string(line);
}

// A folder of its own for a test, removed after it.
struct SCRATCH_T {
    fs::path dir;
    SCRATCH_T() {
        char t[] = "/tmp/tamzor_install_XXXXXX";
        if (mkdtemp(t)) dir = t;
    }
    ~SCRATCH_T() {
        std::error_code e;
        if (!dir.empty()) fs::remove_all(dir, e);
    }
};

void Touch(const fs::path& p) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "solid x\nendsolid x\n";
}

std::set<std::string> FilesUnder(const fs::path& root) {
    std::set<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (!e.is_directory()) files.insert(fs::relative(e.path(), root).string());
    return files;
}

// A line of a manual page without roff's escapes and font changes.
std::string Unescape(std::string t) {
    for (const char* from : {"\\fB", "\\fI", "\\fR", "\\fP", "\\&", "\""})
        for (size_t at; (at = t.find(from)) != std::string::npos;) t.erase(at, strlen(from));
    for (size_t at; (at = t.find("\\-")) != std::string::npos;) t.erase(at, 1);
    if (!t.empty() && t[0] == '.') {  // a macro: its words without it
        const size_t space = t.find(' ');
        t = space == std::string::npos ? "" : t.substr(space + 1);
    }
    return t;
}

std::vector<std::string> ManLines(const std::string& page) {
    std::istringstream in(ReadText(std::string(TAMZOR_BUILD_TREE) + "/man/" + page + ".6"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A manual page as its reader sees the words, one space between them.
std::string ManWords(const std::string& page) {
    std::string words;
    for (const std::string& line : ManLines(page)) words += " " + Unescape(line);
    return std::regex_replace(words, std::regex("\\s+"), " ") + " ";
}

// The names the page lists its items under (the line after each .TP), split
// at commas and at " | ", each name's first word.
std::set<std::string> ManTags(const std::string& page) {
    const std::vector<std::string> lines = ManLines(page);
    std::set<std::string> tags;
    for (size_t i = 1; i < lines.size(); i++) {
        if (lines[i - 1] != ".TP") continue;
        std::istringstream parts(std::regex_replace(Unescape(lines[i]), std::regex(" \\| "), ", "));
        for (std::string part; std::getline(parts, part, ',');) {
            std::istringstream w(part);
            std::string first;
            if (w >> first) tags.insert(first);
        }
    }
    return tags;
}
}  // namespace

// Installed, the window reads the data beside it; run from its build folder,
// the source tree's; from anywhere else nothing, and the working directory
// never counts.
TEST(DataLookup, InstalledDataFirstThenTheSourceTreeFromTheBuildFolderOnly) {
    SCRATCH_T s;
    ASSERT_FALSE(s.dir.empty());
    const fs::path prefix = s.dir / "usr", build = s.dir / "build", source = s.dir / "src";
    fs::create_directories(prefix / "bin");
    fs::create_directories(build);
    Touch(source / "pieces/KING.STL");
    const char* from_bin = "../share/tamzor";
    const std::string b = build.string(), src = source.string();

    std::vector<std::string> dirs = DataDirs((prefix / "bin/tamzor").string(), from_bin, b.c_str(), src.c_str());
    EXPECT_EQ(dirs, std::vector<std::string>{(prefix / "share/tamzor").string()});
    EXPECT_EQ(FindDataDir(dirs), "");  // nothing installed yet
    Touch(prefix / "share/tamzor/pieces/KING.STL");
    EXPECT_EQ(FindDataDir(dirs), (prefix / "share/tamzor").string());

    // the build folder by another name is still the build folder
    fs::create_directory_symlink(build, s.dir / "link");
    dirs = DataDirs((s.dir / "link/tamzor").string(), from_bin, b.c_str(), src.c_str());
    ASSERT_EQ(dirs.size(), 2u);
    EXPECT_EQ(dirs[1], src);
    EXPECT_EQ(FindDataDir(dirs), src);
    Touch(s.dir / "share/tamzor/pieces/KING.STL");  // data beside it comes first
    EXPECT_EQ(FindDataDir(dirs), (s.dir / "share/tamzor").string());

    EXPECT_TRUE(DataDirs("", from_bin, b.c_str(), src.c_str()).empty());
    EXPECT_EQ(FindDataDir({}), "");
}

// A path too long for the info line keeps its end, so the file's name shows.
TEST(DataLookup, WrittenFilesAreNamedInFull) {
    char out[48];
    const std::string name = "tamzor-20261210-101010.pgn";
    TextWithPath("Saved to", "/home/" + std::string(100, 'd') + "/" + name, out, sizeof out);
    const std::string shown = out;
    EXPECT_EQ(shown.size(), sizeof out - 1);
    EXPECT_EQ(shown.rfind("Saved to ...", 0), 0u) << shown;
    EXPECT_EQ(shown.compare(shown.size() - name.size(), name.size(), name), 0) << shown;
}

// An install into a staging root puts every file in its place, the meshes
// where the installed window looks; the installed tool runs; the uninstall
// takes everything away again.
TEST(Install, StagedInstallHoldsEveryFileAndUninstallRemovesThem) {
    SCRATCH_T s;
    ASSERT_FALSE(s.dir.empty());
    const std::string root = s.dir.string();
    // the component's own manifest, not the one `make uninstall` reads
    const std::string install = "DESTDIR='" + root + "' '" TAMZOR_CMAKE "' --install '" TAMZOR_BUILD_TREE
                                "' --prefix /usr --component tamzor >/dev/null";
    ASSERT_EQ(system(install.c_str()), 0);
    std::set<std::string> expected = {
        "usr/" TAMZOR_BINDIR "/tamzor", "usr/" TAMZOR_BINDIR "/tamzor-cli", "usr/share/applications/tamzor.desktop",
        "usr/share/metainfo/org.example.tamzor.metainfo.xml", "usr/share/icons/hicolor/scalable/apps/tamzor.svg",
        "usr/share/icons/hicolor/48x48/apps/tamzor.png", "usr/share/icons/hicolor/128x128/apps/tamzor.png",
        "usr/share/man/man6/tamzor.6", "usr/share/man/man6/tamzor-cli.6"};
    for (const char* piece : {"KING", "QUEEN", "ROOK", "BISHOP", "KNIGHT", "PAWN"})
        expected.insert(std::string("usr/share/tamzor/pieces/") + piece + ".STL");
    for (const char* book : {"tamzor-2d.bin", "tamzor-3d.bin"})
        expected.insert(std::string("usr/share/tamzor/books/") + book);
    EXPECT_EQ(FilesUnder(s.dir), expected);

    const std::string exe = root + "/usr/" TAMZOR_BINDIR "/tamzor";
    EXPECT_EQ(FindDataDir(DataDirs(exe, TAMZOR_DATA_FROM_BIN, TAMZOR_BUILD_TREE, TAMZOR_SOURCE_TREE)),
              root + "/usr/share/tamzor");
    const std::string installed = FirstLine("cd / && '" + root + "/usr/" TAMZOR_BINDIR "/tamzor-cli' --version");
    EXPECT_EQ(installed, RunTool("--version").out);

    const std::string uninstall = "DESTDIR='" + root + "' '" TAMZOR_CMAKE "' -DMANIFEST='" TAMZOR_BUILD_TREE
                                  "/install_manifest_tamzor.txt' -P '" TAMZOR_SOURCE_DIR
                                  "/cmake/Uninstall.cmake' >/dev/null";
    ASSERT_EQ(system(uninstall.c_str()), 0);
    EXPECT_EQ(FilesUnder(s.dir), std::set<std::string>{});
    EXPECT_FALSE(fs::exists(s.dir / "usr/share/tamzor"));
}

// Both programs name one version, which the package, the metadata and the
// manual pages carry too.
TEST(Install, OneVersionEverywhere) {
    const RUN_T cli = RunTool("--version");
    EXPECT_EQ(cli.status, 0);
    EXPECT_EQ(cli.out, "tamzor-cli " TAMZOR_VERSION "\n");
    EXPECT_EQ(FirstLine("'" TAMZOR_GUI "' --version"), "tamzor " TAMZOR_VERSION "\n");
    const std::string changelog = ReadText(TAMZOR_SOURCE_DIR "/debian/changelog");
    EXPECT_EQ(changelog.rfind("tamzor (" TAMZOR_VERSION ") ", 0), 0u) << changelog.substr(0, 80);
    const std::string metainfo = ReadText(TAMZOR_SOURCE_DIR "/data/org.example.tamzor.metainfo.xml");
    EXPECT_NE(metainfo.find("<release version=\"" TAMZOR_VERSION "\""), std::string::npos);
    for (const char* page : {"tamzor", "tamzor-cli"})
        EXPECT_NE(ManWords(page).find(" Tamzor " TAMZOR_VERSION " "), std::string::npos) << page;
}

// tamzor-cli(6) lists every command, names every option its usage prints,
// and every option the UCI mode offers.
TEST(ManPages, TheToolsPageCoversItsUsageAndUciOptions) {
    const std::set<std::string> tags = ManTags("tamzor-cli");
    const std::string words = ManWords("tamzor-cli");
    for (const CLI_COMMAND_T& c : CliCommands()) EXPECT_TRUE(tags.count(c.name)) << c.name;
    const std::string usage = UsageText();
    const std::regex option("--[a-z][a-z0-9-]*");
    int options = 0;
    for (std::sregex_iterator it(usage.begin(), usage.end(), option), end; it != end; ++it) {
        options++;
        EXPECT_NE(words.find(it->str()), std::string::npos) << it->str();
    }
    EXPECT_GE(options, 20);
    const std::string input = testing::TempDir() + "tamzor_uci_" + std::to_string(getpid());
    std::ofstream(input) << "uci\nquit\n";
    const RUN_T uci = RunTool("uci < '" + input + "'");
    std::remove(input.c_str());
    const std::regex uci_option("option name (\\S+)");
    int uci_options = 0;
    for (std::sregex_iterator it(uci.out.begin(), uci.out.end(), uci_option), end; it != end; ++it) {
        uci_options++;
        EXPECT_TRUE(tags.count((*it)[1].str())) << (*it)[1].str();
    }
    EXPECT_GE(uci_options, 5) << uci.out;
}

// tamzor(6) lists every key of the help page and every option of the usage,
// and names every entry of the settings menus.
TEST(ManPages, TheWindowsPageCoversItsKeysOptionsAndMenus) {
    const std::set<std::string> tags = ManTags("tamzor");
    const std::string words = ManWords("tamzor");
    int count = 0;
    const HELP_ITEM_T* items = HelpItems(&count);
    std::string heading;
    int keys = 0;
    for (int i = 0; i < count; i++) {
        if (items[i].kind == HELP_HEADING) heading = items[i].text;
        if (items[i].kind != HELP_KEY) continue;
        for (const std::string& key : HelpKeyNames(items[i].keys)) {
            keys++;
            if (heading == "Keys") {
                EXPECT_TRUE(tags.count(key)) << key;
            } else {  // the mouse's ways, by their first word
                const std::string first = key.substr(0, key.find(' '));
                EXPECT_NE(words.find(" " + first + " "), std::string::npos) << key;
            }
        }
    }
    EXPECT_GE(keys, 50);
    const std::string usage = WindowUsage();
    const std::regex option("(^|[\\s,(\\[])(--?[a-z]+)");
    for (std::sregex_iterator it(usage.begin(), usage.end(), option), end; it != end; ++it)
        EXPECT_TRUE(tags.count((*it)[2].str())) << (*it)[2].str();
    for (int which = 0; which < SETTING_MENUS; which++) {
        const SETTING_MENU_T& m = SettingMenu(which);
        for (int i = 0; i < m.count; i++) {
            std::string label = m.entries[i].label;
            label.erase(0, label.find_first_not_of(' '));
            EXPECT_NE(words.find(label), std::string::npos) << label;
        }
    }
}
