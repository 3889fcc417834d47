// The program around the engine: new games, the saved game, the clock and the
// search timer, the SDL library, the banner, and games as PGN.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tamzor.h"

extern char gamefilename[260];
extern int replay;
extern char banner_string[64];
extern char move_string[64];

// A new game of kind dmode (2 or 3): the whole state record is zeroed except
// the difficulty and the attack-board rules (tdcl unless tournament was
// chosen), the notation set to NOTATION_DEFAULT, the connectivity
// cache emptied and the start position set.
int NewGameState(int dmode, bool keep_search_memory = false);
// The live game reset to the start position of its kind (and the view to
// its preset when asked); the table and the move-ordering memories are
// cleared unless kept.
int ResetBoard(bool reset_view, bool keep_search_memory = false);
// Puts a FEN position into the live 2D game (a new 2D game set up first);
// refuses a position whose side not to move is in check.
bool SetUpFen(const std::string& text, std::string* error);

// "\nTamzor V<version>" and the lines after it.
void PrintBanner();

// ---------------------------------------------------------------------------
// Saved games
// ---------------------------------------------------------------------------

constexpr int SAVE_FILE_SIZE = 34496;
static_assert(sizeof(STATE_T) == SAVE_FILE_SIZE);

// The saved-game image of a state: every field at its place, pointer fields
// and padding zero.
void SaveImage(const STATE_T* s, unsigned char image[SAVE_FILE_SIZE]);
// Checks a saved-game image before anything is changed; false with `why`
// naming what is wrong.
bool CheckSaveImage(const unsigned char* image, size_t length, char* why, size_t why_size);
// Saves the live game to tamzor.sav; when it cannot, the file and the
// reason go into `why` when given.
bool SaveGame(int unused, char* why = nullptr, size_t why_size = 0);
// Restores tamzor.sav over the live game. A file it refuses leaves the game
// as it was; the reason, one line, goes into `why` when given, else to the
// console.
bool RestoreGame(int unused, char* why = nullptr, size_t why_size = 0);

// ---------------------------------------------------------------------------
// Game clock and search timer; SDL library lifetime
// ---------------------------------------------------------------------------
// No SDL header here: the two SDL types are forward-declared and the
// timer-callback types are spelled as the plain integers SDL defines them as
// (Uint32 is uint32_t, SDL_TimerID is int; checked where SDL is included).

struct SDL_Window;
struct SDL_Renderer;

// Milliseconds since SDL started. Everything that reads SDL ticks goes
// through this pointer, so tests can drive the clock without sleeping. Set
// it before other threads read the clock.
extern uint64_t (*tick_source)();
inline uint64_t TickCount() { return tick_source(); }

// Whole seconds of the tick count; gameStart is the tick count of the first
// call, wallClock that of the latest.
uint64_t WallTime();
extern std::atomic<bool> wt_initialized;
extern std::atomic<uint64_t> gameStart;
extern std::atomic<uint64_t> wallClock;

enum TIMERSTATE : int32_t { TIMER_IDLE = 0, TIMER_STARTED = 1, TIMER_EXPIRED = 2 };
enum TIMERMODE_E : int32_t {
    TM_OFF = 0, TM_BLACK = 1, TM_WHITE = 2, TM_ELAPSED = 3, TM_STOPPED = 4, TM_ERROR = 5
};

// The game clock shown in the window and the computer's search timer.
// Fields read on a thread other than their writer's are atomic (the second
// counts are written on SDL's timer thread, timer_state and move_start_time
// on the engine thread, timermode and timer_limit by the interface); pass
// them to printf through .load() or a cast.
class TIMERS_C {
public:
    char time_string[64] = {};
    uint32_t init_time = 0;                 // tick count at start-up
    uint32_t curr_time = 0;
    std::atomic<uint32_t> elapsed_time{0};  // seconds since start-up
    std::atomic<uint32_t> white_time{0};    // seconds counted while White was to move
    std::atomic<uint32_t> black_time{0};
    // Hard search limit in seconds, counted in milliseconds from TimerStart:
    // a 5-second limit ends the search 5.0 s after it began.
    std::atomic<uint64_t> timer_limit{0};
    // The running search's own hard limit in seconds (a timed game's clock,
    // a hint, a review), 0 for the player's timer_limit: kept apart so that
    // the menu shows, and a save keeps, the player's choice meanwhile.
    std::atomic<uint64_t> search_limit{0};
    uint64_t LimitS() const {
        const uint64_t own = search_limit.load();
        return own ? own : timer_limit.load();
    }
    std::atomic<TIMERSTATE> timer_state{TIMER_IDLE};
    std::atomic<uint64_t> move_start_time{0};  // WallTime() at TimerStart
    std::atomic<uint64_t> move_start_ms{0};    // TickCount() at TimerStart
    int TID = 0;                            // SDL_TimerID of the one-second tick
    std::atomic<TIMERMODE_E> timermode{TM_OFF};
    // Optional millisecond deadline on the tick count (0 = none) for callers
    // that need finer limits than whole seconds; TimerExpired honours it.
    std::atomic<uint64_t> deadline_ms{0};
    // Optional limit of every move in milliseconds (0 = none), for a game
    // whose limit is no whole number of seconds: TimerStart sets the
    // deadline that far ahead.
    std::atomic<uint64_t> move_limit_ms{0};
    // Set while the game has a result: the clock stands at the time played.
    std::atomic<bool> standing{false};
    // What the clock showed before the game's end switched it to TM_STOPPED.
    std::atomic<TIMERMODE_E> mode_before_stop{TM_OFF};

    TIMERS_C();
    int PrintTimeString(uint32_t time_to_print);
    void TimerStart();
    uint64_t TimerElapsed();
    // Milliseconds since TimerStart; 0 while idle.
    uint64_t TimerElapsedMs();
    int TimerExpired();
    int TimerTerminate(int force);
    // When an iteration is no longer begun, for a hard limit in seconds.
    static uint64_t SoftLimitMs(uint64_t limit_seconds);
    // True once the tick count reaches deadline_ms; false when none is set.
    bool DeadlinePassed();
    // deadline_ms = now + ms (ms 0 still sets a deadline: the current tick).
    void SetDeadlineIn(uint64_t ms);
    // The game has a result: the clock stands, showing the time played.
    void GameOver();
    // A new game: the counts start from zero, the clock runs and shows what
    // it showed before a result stopped it.
    void NewGame();
    // The game goes on (a move was taken back from its end): the clock runs again.
    void GoOn();
};
extern TIMERS_C timers;

// SDL timer callback, once a second: counts the clock, asks for a redraw and
// returns 1000 to be called again a second later.
uint32_t secondtick(uint32_t tick, void* param);

// Owns the SDL library: initialised with the given subsystem flags,
// shut down on destruction. A failed initialisation is reported (non-fatal)
// and leaves Initialized() false.
class SDL {
public:
    SDL_Window* m_window = nullptr;
    SDL_Renderer* m_renderer = nullptr;

    explicit SDL(unsigned int flags);
    virtual ~SDL();
    SDL(const SDL&) = delete;
    SDL& operator=(const SDL&) = delete;
    bool Initialized() const { return m_initialized; }

private:
    bool m_initialized = false;
};
extern SDL* pSDL;

// Start-up of the clock once SDL is up: time_string "0:00:0", init_time and
// curr_time = tick count, the one-second secondtick registered (its id in
// timers.TID). False, after a non-fatal report, when SDL is not initialised or
// the timer cannot be added; the program then runs without the tick.
// Install core_hooks.redraw before calling it: secondtick reads the hook.
bool StartSecondTick(const SDL* sdl);

// ---------------------------------------------------------------------------
// Games as PGN: the 2D game in standard algebraic notation, the 3D game as
// move tokens with the program's texts beside them
// ---------------------------------------------------------------------------

struct PGN_TAGS_T {
    std::string event = "Tamzor game";
    std::string site = "?";
    std::string date;           // empty: today
    std::string round = "-";
    std::string white = "?";    // "Tamzor" for the computer's side
    std::string black = "?";
};

// The live game from its start, as PGN: the seven tags (and SetUp/FEN for a
// 2D game from another start; Variant, Rules and Board3D for a 3D game), the
// moves and the result, in lines under 80 characters.
std::string PgnText(const PGN_TAGS_T& tags);

struct PGN_MOVE_T {
    std::string text;           // the move as the file writes it, marks and all
    int line;                   // where it stands in the file
    long long clock_ms = -1;    // its [%clk] comment: the mover's clock after it; -1 none
};

struct PGN_GAME_T {
    std::vector<std::pair<std::string, std::string>> tags;
    std::vector<PGN_MOVE_T> moves;
    std::string result = "*";   // the result token that ends the game
    int first_line = 1;
    // A tag's value, empty when the game has none.
    std::string Tag(const std::string& name) const;
};

// Game `number` (1 the first) of a PGN text: its tags and the moves of its
// main line (comments, variations and annotation glyphs skipped). False with
// `error` naming the line of what cannot be read.
bool PgnParse(const std::string& text, int number, PGN_GAME_T* game, std::string* error);

// The PGN game last loaded, kept beside the live game so that writing it
// again keeps what the file said of it: its tags, in their order, and its
// result when the board does not decide the game. A new game forgets it.
struct PGN_SOURCE_T {
    std::vector<std::pair<std::string, std::string>> tags;
    std::string result = "*";        // the file's result
    std::string start;               // its kind and start position
    std::vector<std::string> moves;  // the tokens of its moves
    bool loaded = false;

    // Noted from the live game just loaded from `g`.
    void Note(const PGN_GAME_T& g);
    void Forget() { *this = PGN_SOURCE_T(); }
    // How the live game stands to it: 0 another game, 1 the same game taken
    // back or played on, 2 the very same moves.
    int Follows() const;
};
extern PGN_SOURCE_T pgn_source;

// Game `number` of a PGN text made the live game: a new game of its kind
// and rules from its start position, every move played, recorded and named
// as a player's is (nothing printed). False with `error` naming the line and
// the move; the live game is then as it was. The caller keeps the engine
// thread disengaged meanwhile.
bool PgnLoadGame(const std::string& text, int number, std::string* error);

// A PGN file's text; false with `error` set when it cannot be read or is
// larger than any collection of games kept at hand (64 MiB).
bool ReadPgnFile(const std::string& path, std::string* text, std::string* error);

// The 3D start position of an edited game as one text (cells by index,
// pins, side to move, castling, en passant), and back into a position.
std::string Board3DText(const POS_T* b);
bool ParseBoard3D(const std::string& text, POS_T* b, std::string* error);
