// Runs the window program in a private X server (Xvfb) for end-to-end tests:
// keys and clicks through xdotool, pictures through ImageMagick, the
// program's standard output from a file.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "build_info.h"
#include "viewlogic.h"
#include "tamzor.h"

inline bool HaveCommand(const char* name) {
    return system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}
inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct PICTURE_T {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    // Pixels within `tolerance` of (r, g, b) in the box [x0, x1) x [y0, y1).
    long CountIn(int x0, int y0, int x1, int y1, int r, int g, int b, int tolerance = 2) const {
        long n = 0;
        for (int y = y0; y < y1 && y < height; y++)
            for (int x = x0; x < x1 && x < width; x++) {
                const unsigned char* p = &rgb[((size_t)y * width + x) * 3];
                n += std::abs(p[0] - r) <= tolerance && std::abs(p[1] - g) <= tolerance &&
                     std::abs(p[2] - b) <= tolerance;
            }
        return n;
    }
    long Count(int r, int g, int b, int tolerance = 2) const {
        return CountIn(0, 0, width, height, r, g, b, tolerance);
    }
    long NonBlack() const {
        long n = 0;
        for (size_t i = 0; i + 2 < rgb.size(); i += 3) n += rgb[i] > 8 || rgb[i + 1] > 8 || rgb[i + 2] > 8;
        return n;
    }
    long Differences(const PICTURE_T& o) const {
        if (o.rgb.size() != rgb.size()) return (long)rgb.size();
        long n = 0;
        for (size_t i = 0; i < rgb.size(); i++) n += rgb[i] != o.rgb[i];
        return n;
    }
};

class WindowSession {
public:
    // Starts the X server and the program in a fresh working directory. With
    // `pieces` it is the build's program, which finds the source tree's piece
    // meshes; without, a copy of it in that directory, where no data is found.
    // `arg`, when given, goes on the program's command line; with `log` the
    // program writes its game record on standard output. A server that does
    // not come up (a display taken at the same moment, a busy machine) is
    // tried again on another number; Why() tells what went wrong.
    bool Start(bool pieces = true, const std::string& arg = "", bool log = true) {
        for (int attempt = 1; attempt <= 3; attempt++) {
            if (StartOnce(pieces, arg, log, attempt)) return true;
            Stop();
        }
        return false;
    }
    const std::string& Why() const { return why_; }

    ~WindowSession() { Stop(); }

    static std::string Run(const std::string& cmd) {
        std::string out;
        FILE* f = popen(cmd.c_str(), "r");
        if (!f) return out;
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
        pclose(f);
        return out;
    }

    template <class F>
    static bool WaitUntil(F done, double seconds, double poll = 0.1) {
        auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < end) {
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::duration<double>(poll));
        }
        return done();
    }

    std::string Output() const { return ReadFile(out_path_); }
    // Waits until the output from `from` on matches `pattern`.
    bool WaitFor(const std::string& pattern, double seconds, size_t from = 0) const {
        std::regex re(pattern);
        return WaitUntil([&] {
            std::string s = Output();
            return s.size() > from && std::regex_search(s.begin() + (long)from, s.end(), re);
        }, seconds);
    }

    void Key(const std::string& keys) { Xdo(" key --window " + std::to_string(window_) + " " + keys); }
    // A click at window coordinates (button 1 left, 3 right).
    void Click(int x, int y, int button = 1) { Xdo(At(x, y) + " click " + std::to_string(button)); }
    void Move(int x, int y) { Xdo(At(x, y)); }
    // Moves the pointer onto a menu entry that opens a submenu (or clicks
    // `button` there to open the menu), and waits for it to show: a busy
    // machine draws it late.
    void MoveToOpen(int x, int y, int button = 0) {
        const PICTURE_T before = Picture();
        if (button) Click(x, y, button);
        else Move(x, y);
        WaitUntil([&] { return Picture().Differences(before) > 500; }, 10);
    }
    // The left button pressed at (x0, y0), the pointer moved in a few steps
    // to (x1, y1) with it held; `release` lets it go there.
    void Drag(int x0, int y0, int x1, int y1, bool release = true) {
        std::string cmd = At(x0, y0) + " mousedown 1";
        for (int i = 1; i <= 4; i++) cmd += At(x0 + (x1 - x0) * i / 4, y0 + (y1 - y0) * i / 4) + " sleep 0.05";
        Xdo(cmd + (release ? " mouseup 1" : ""));
    }
    void MouseUp() { Xdo(" mouseup 1"); }
    // Clicks at each place in turn, in one go, without waiting after (for
    // what shows one frame only).
    void QuickClicks(const std::vector<std::pair<int, int>>& places) {
        std::string cmd = "xdotool";
        for (auto [x, y] : places) cmd += At(x, y) + " click 1";
        Run(cmd + " 2>/dev/null");
    }
    // Lets the program take the event in and draw the next frame.
    static void Settle() { std::this_thread::sleep_for(std::chrono::milliseconds(400)); }

    PICTURE_T Picture() const {
        PICTURE_T p;
        std::string path = dir_ + "/shot.ppm";
        Run("import -window root -depth 8 ppm:'" + path + "' 2>/dev/null");
        FILE* f = fopen(path.c_str(), "rb");
        if (!f) return p;
        int maxval = 0;
        if (fscanf(f, "P6 %d %d %d", &p.width, &p.height, &maxval) == 3 && maxval == 255) {
            fgetc(f);
            p.rgb.resize((size_t)p.width * p.height * 3);
            if (fread(p.rgb.data(), 1, p.rgb.size(), f) != p.rgb.size()) p.rgb.clear();
        }
        fclose(f);
        return p;
    }

    // Whether a picture taken shows what `shows` asks within `seconds` (the
    // frame after an event comes later on a busy machine); `seen` gets the
    // last one taken.
    template <class F>
    bool Shows(F shows, PICTURE_T* seen = nullptr, double seconds = 10) const {
        PICTURE_T p;
        const bool ok = WaitUntil([&] { return shows(p = Picture()); }, seconds, 0.05);
        if (seen) *seen = std::move(p);
        return ok;
    }
    // The picture once two shots in a row agree: all drawn that came before.
    PICTURE_T Still(double seconds = 5) const {
        PICTURE_T last = Picture(), p;
        Shows([&](const PICTURE_T& now) { return std::exchange(last, now).Differences(now) < 50; }, &p, seconds);
        return p;
    }

    void Resize(int w, int h) {
        Xdo(" windowsize " + std::to_string(window_) + " " + std::to_string(w) + " " + std::to_string(h));
    }
    // A menu entry: the right button opens the menu at (x, y); each step of
    // `path` is an entry's row (25 pixels apart) in the menu opened by the
    // step before, whose submenu opens beside it (100, then 120 pixels on,
    // or `wide` for the second step).
    void Menu(int x, int y, const std::vector<int>& path, int wide = 120) {
        MoveToOpen(x, y, 3);
        int mx = x + 20, my = y + 14;
        for (size_t i = 0; i < path.size(); i++) {
            my += 25 * path[i];
            if (i + 1 == path.size()) break;
            MoveToOpen(mx, my);
            mx += i == 0 ? 100 : wide;
        }
        Move(mx, my);
        // the menu drawn with its entry lit, then gone after the click
        const PICTURE_T open = Still();
        Click(mx, my, 1);
        Shows([&](const PICTURE_T& p) { return p.Differences(open) > 5000; });
    }
    bool Alive() { return WaitExit(0.1) == -1; }

    std::string WindowInfo() const { return Run("xwininfo -id " + std::to_string(window_)); }

    // Exit status once the program ended within `seconds`; -1 otherwise.
    int WaitExit(double seconds) {
        int status = 0;
        bool ended = WaitUntil([&] { return waitpid(program_, &status, WNOHANG) == program_; }, seconds);
        if (!ended) return -1;
        program_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    const std::string& Dir() const { return dir_; }
    std::string Errors() const { return ReadFile(dir_ + "/stderr.txt"); }

private:
    bool Fail(int attempt, const std::string& what) {
        why_ += "try " + std::to_string(attempt) + ", display :" + std::to_string(display_) + ": " + what;
        if (!dir_.empty()) why_ += "\nXvfb said: " + ReadFile(dir_ + "/xvfb.txt") + "the program said: " + Errors();
        why_ += "\n";
        return false;
    }
    bool XvfbEnded() {
        int status = 0;
        if (xvfb_ <= 0 || waitpid(xvfb_, &status, WNOHANG) != xvfb_) return false;
        xvfb_ = -1;
        return true;
    }
    // A display number whose lock and socket are free (a server killed
    // without its clean-up leaves either behind), taken by a marker of our
    // own made in one step, so two tests starting together take two numbers.
    bool TakeDisplay(int attempt) {
        for (int i = 0; i < 100 && display_ < 0; i++) {
            const int d = 300 + (int)((getpid() * 7 + (attempt * 100 + i) * 13) % 600);
            const std::string n = std::to_string(d), marker = "/tmp/tamzor-e2e-display-" + n;
            if (access(("/tmp/.X" + n + "-lock").c_str(), F_OK) == 0 ||
                access(("/tmp/.X11-unix/X" + n).c_str(), F_OK) == 0)
                continue;
            int fd = open(marker.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            if (fd < 0) {
                // a marker whose test has ended is taken over
                const pid_t owner = (pid_t)std::atol(ReadFile(marker).c_str());
                if (owner > 0 && (kill(owner, 0) == 0 || errno != ESRCH)) continue;
                unlink(marker.c_str());
                if ((fd = open(marker.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644)) < 0) continue;
            }
            const std::string pid = std::to_string(getpid());
            if (write(fd, pid.data(), pid.size()) < 0) {}
            close(fd);
            display_ = d;
            marker_ = marker;
        }
        return display_ >= 0;
    }
    bool StartOnce(bool pieces, const std::string& arg, bool log, int attempt) {
        char tmpl[] = "/tmp/tamzor_e2e_XXXXXX";
        if (!mkdtemp(tmpl)) return Fail(attempt, "no temporary folder");
        dir_ = tmpl;
        if (!TakeDisplay(attempt)) return Fail(attempt, "no free display number");
        const std::string disp = ":" + std::to_string(display_), xvfb_out = dir_ + "/xvfb.txt";
        xvfb_ = fork();
        if (xvfb_ == 0) {
            dup2(open("/dev/null", O_WRONLY), 1);
            dup2(open(xvfb_out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
            execlp("Xvfb", "Xvfb", disp.c_str(), "-screen", "0", "1024x900x24", "-nolisten", "tcp", (char*)nullptr);
            _exit(127);
        }
        const std::string sock = "/tmp/.X11-unix/X" + std::to_string(display_);
        // the socket up and our server still there (another one's socket
        // would make it give up)
        WaitUntil([&] { return XvfbEnded() || access(sock.c_str(), F_OK) == 0; }, 30);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (xvfb_ < 0 || XvfbEnded()) return Fail(attempt, "Xvfb ended");
        if (access(sock.c_str(), F_OK) != 0) return Fail(attempt, "no Xvfb socket after 30 s");
        setenv("DISPLAY", disp.c_str(), 1);

        std::string program = TAMZOR_GUI;
        if (!pieces) {
            program = dir_ + "/bin/tamzor";
            if (system(("mkdir '" + dir_ + "/bin' && cp '" TAMZOR_GUI "' '" + program + "'").c_str()) != 0)
                return Fail(attempt, "no copy of the program");
        }
        out_path_ = dir_ + "/stdout.txt";
        program_ = fork();
        if (program_ == 0) {
            if (chdir(dir_.c_str()) != 0) _exit(127);
            dup2(open(out_path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
            dup2(open((dir_ + "/stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
            // Under the address sanitizer: the GL driver and D-Bus keep
            // allocations to the end of the process, which is not ours to fix.
            std::string asan = "detect_leaks=0";
            if (const char* o = getenv("ASAN_OPTIONS")) asan = std::string(o) + ":" + asan;
            setenv("ASAN_OPTIONS", asan.c_str(), 1);
            std::vector<const char*> argv = {program.c_str()};
            if (log) argv.push_back("--log");
            if (!arg.empty()) argv.push_back(arg.c_str());
            argv.push_back(nullptr);
            execv(program.c_str(), (char* const*)argv.data());
            _exit(127);
        }
        const std::string search = "xdotool search --onlyvisible --name '^Tamzor " TAMZOR_VERSION "$' 2>/dev/null";
        int ended = -1;
        WaitUntil([&] {
            window_ = std::strtoul(Run(search).c_str(), nullptr, 10);
            return window_ || (ended = WaitExit(0)) >= 0 || XvfbEnded();
        }, 30, 0.2);
        if (ended >= 0) return Fail(attempt, "the program ended with status " + std::to_string(ended));
        if (xvfb_ < 0) return Fail(attempt, "Xvfb ended before the window showed");
        if (!window_) return Fail(attempt, "no window after 30 s");
        // The first frame is drawn once the window is mapped, and is on the
        // screen soon after (later in sanitizer builds).
        if (log && !WaitFor("\nTamzor V" TAMZOR_VERSION, 30)) return Fail(attempt, "no greeting on standard output");
        if (!WaitUntil([&] { return Picture().NonBlack() > 20000; }, 30)) return Fail(attempt, "no first frame");
        return true;
    }
    void Stop() {
        if (program_ > 0) {
            kill(program_, SIGKILL);
            waitpid(program_, nullptr, 0);
        }
        if (xvfb_ > 0) {
            kill(xvfb_, SIGTERM);
            waitpid(xvfb_, nullptr, 0);
        }
        if (!dir_.empty() && system(("rm -rf '" + dir_ + "'").c_str()) != 0) {}
        if (!marker_.empty()) unlink(marker_.c_str());
        program_ = xvfb_ = -1;
        display_ = -1;
        window_ = 0;
        dir_.clear();
        marker_.clear();
    }
    std::string At(int x, int y) const {
        const std::string w = std::to_string(window_);
        return " mousemove --window " + w + " " + std::to_string(x) + " " + std::to_string(y);
    }
    void Xdo(const std::string& args) {
        Run("xdotool" + args + " 2>/dev/null");
        Settle();
    }

    int display_ = -1;
    pid_t xvfb_ = -1, program_ = -1;
    unsigned long window_ = 0;
    std::string dir_, out_path_, marker_, why_;
};
// Window position of a model point in the perspective view of a game of
// `dmode` (scaled, turned `yang` degrees about Y after `xang` about X), in
// the picture of the layout of the window (800 x 800 with the move list and
// the tray unless given).
inline void Project(double px, double py, double pz, double xang, double scale, int* x, int* y,
                    const LAYOUT_T& l = ViewLayout(800, 800, true), int dmode = 3, double yang = 0) {
    const double pi = 3.14159265358979;
    const double t = xang * pi / 180, u = yang * pi / 180;
    // about X first (the last rotation applied acts first), then about Y
    const double y1 = py * std::cos(t) - pz * std::sin(t), z1 = py * std::sin(t) + pz * std::cos(t);
    const double x2 = px * std::cos(u) + z1 * std::sin(u), z2 = -px * std::sin(u) + z1 * std::cos(u);
    const double X = scale * x2, Y = scale * y1, Z = scale * z2;
    const CAMERA_T cam = ViewCamera(dmode);
    double th, tv;
    CameraTangents(cam, (double)l.pic_w / l.pic_h, &th, &tv);
    const double depth = cam.eye - Z;
    const int top = l.height - l.pic_y - l.pic_h;
    *x = l.pic_x + (int)std::lround((X / (th * depth) + 1) / 2 * l.pic_w);
    *y = top + PictureDrop(l) + (int)std::lround((1 - Y / (tv * depth)) / 2 * l.pic_h);
}
// The eye of that view in model coordinates: what lies between it and a
// point hides the point.
inline void EyeInModel(double xang, double scale, double yang, double eye[3], int dmode = 3) {
    const double pi = 3.14159265358979;
    const double t = xang * pi / 180, u = yang * pi / 180, d = ViewCamera(dmode).eye / scale;
    eye[0] = -d * std::sin(u);
    eye[1] = d * std::cos(u) * std::sin(t);
    eye[2] = d * std::cos(u) * std::cos(t);
}

// Window position of the centre of a 2D board cell in the view of a new
// game, and of a piece standing there (a point of its body above the cell:
// a click there takes the piece, where the cell's centre may be covered by
// the piece in front).
inline void Cell2D(int file, int rank, int* x, int* y, const LAYOUT_T& l = ViewLayout(800, 800, true),
                   double height = 0) {
    const VIEW_PRESET_T v = ViewPreset(2);
    Project(file - 4 + 0.5, rank - 4 + 0.5, height, v.xang, v.scale, x, y, l, 2);
}
inline void Piece2D(int file, int rank, int* x, int* y, const LAYOUT_T& l = ViewLayout(800, 800, true)) {
    Cell2D(file, rank, x, y, l, 0.55);
}

// A package build sets TAMZOR_SKIP_DISPLAY_TESTS: it has no X server to spare.
#define SKIP_WITHOUT_X()                                                                  \
    do {                                                                                  \
        if (getenv("TAMZOR_SKIP_DISPLAY_TESTS"))                                          \
            GTEST_SKIP() << "TAMZOR_SKIP_DISPLAY_TESTS: no display tests here";          \
        if (!HaveCommand("Xvfb") || !HaveCommand("xdotool") || !HaveCommand("import") || \
            !HaveCommand("xwininfo"))                                                     \
            GTEST_SKIP() << "Xvfb, xdotool, xwininfo or ImageMagick missing";           \
    } while (0)
