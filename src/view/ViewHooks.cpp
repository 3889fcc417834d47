// What the core asks of the window. The engine thread and SDL's timer thread
// may call these: they only leave requests that the GLUT thread carries out.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

#include "view.h"
#include "tamzor.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {
std::atomic<bool> redraw_wanted{false};
std::atomic<bool> title_wanted{false};
std::mutex title_mutex;
std::string title_text;

void SetTitle(const char* title) {
    {
        std::lock_guard<std::mutex> lock(title_mutex);
        title_text = title ? title : "";
    }
    title_wanted = true;
}

void OptionsChanged() { RequestRedraw(); }

// Fault reports the player cannot act on wait for the verbose mode (E).
bool QuietReports() { return !eval_show; }
}  // namespace

void RequestRedraw() { redraw_wanted = true; }

void InstallViewHooks() {
    core_hooks.redraw = RequestRedraw;
    core_hooks.set_title = SetTitle;
    core_hooks.reset_view = ResetView;
    // The window asks for the piece before the move reaches the core: a
    // promotion made there without one is a queen.
    core_hooks.ask_promotion = nullptr;
    core_hooks.options_changed = OptionsChanged;
    core_hooks.quiet_reports = QuietReports;
}

void ViewIdle() {
    // The first pick sets up GL's selection, a good part of a second on a
    // slow machine: done here once, the first click answers at once.
    static bool picked_once = false;
    if (!picked_once) {
        picked_once = true;
        PickAt(-100, -100);
    }
    TamzorIdleFunc();
    RememberComputerSide();
    ForgetStaleWait();
    RefreshMenuMarks();
    WatchGame();
    RefreshThinkingLabel();
    if (title_wanted.exchange(false)) {
        std::lock_guard<std::mutex> lock(title_mutex);
        glutSetWindow(mainWindow);
        glutSetWindowTitle(title_text.c_str());
    }
    if (KeepGameClock(TickCount())) redraw_wanted = true;  // the clocks show a new time
    if (ForgetStaleConfirm(TickCount())) redraw_wanted = true;
    if (redraw_wanted.exchange(false)) glutPostRedisplay();
    fflush(stdout);
    // GLUT calls this without pause: leave the processor to the engine.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}
