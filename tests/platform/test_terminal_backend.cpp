// The terminal back end on a real pseudo-terminal: entering, frames,
// restoring after close, Ctrl-Z, resizes and signals.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "moving_picture.h"
#include "platform/console.h"
#include "platform/signals.h"
#include "pty_run.h"
#include "support/screen_model.h"

namespace {

const std::string RESTORE = "\x18\x1b\\\x1b[?2026l\x1b[0m\x1b[?7h\x1b[?25h\x1b[?1049l\x1b[23;0t";
const std::string ENTER = "\x1b[22;0t\x1b[?1049h\x1b[?25l\x1b[?7l\x1b[0m\x1b[H\x1b[2J";

// Child side: a line on standard error for the parent to check.
void report(const char* text)
{
    ssize_t ignored = write(2, text, std::strlen(text));
    (void)ignored;
}

void report_modes()
{
    termios modes;
    tcgetattr(0, &modes);
    bool raw = (modes.c_lflag & (ECHO | ICANON | IEXTEN)) == 0 && (modes.c_lflag & ISIG) != 0 &&
               (modes.c_iflag & (IXON | ICRNL | INLCR | ISTRIP)) == 0 && modes.c_cc[VMIN] == 0 &&
               modes.c_cc[VTIME] == 0;
    report(raw ? "raw\n" : "not raw\n");
}

void report_view()
{
    int32_t columns = 0;
    int32_t rows = 0;
    platform_console_view(80, 50, &columns, &rows);
    char line[48];
    std::snprintf(line, sizeof(line), "view %dx%d\n", columns, rows);
    report(line);
}

// The picture of frame t, written through the console.
void show_frame(int32_t t, int32_t columns, int32_t rows)
{
    static uint8_t characters[PICTURE_CELLS];
    static uint8_t attributes[PICTURE_CELLS];
    moving_picture(characters, attributes, t);
    platform_console_write(characters, attributes, PICTURE_COLUMNS, columns, rows);
}

void use_terminal()
{
    platform_console_select(CONSOLE_BACKEND_TERMINAL);
    console_settings = {CONSOLE_COLOURS_ANSI16, 0, 80, 50};
}

void expect_restored(const PtyRun& run)
{
    EXPECT_EQ(run.timed_out, 0);
    ASSERT_GE(run.output.size(), RESTORE.size());
    EXPECT_EQ(run.output.substr(run.output.size() - RESTORE.size()), RESTORE) << "the restore comes last";
    EXPECT_TRUE(same_modes(run.before, run.after)) << "the modes are back";
}

// Runs body on a columns x rows terminal and checks that it ends restored.
PtyRun run_restored(void (*body)(), int columns, int rows)
{
    PtyRun run;
    pty_run(body, columns, rows, &run);
    expect_restored(run);
    return run;
}

// Plays bytes onto a fresh columns x rows screen; nothing may be written past its edges.
void play_within_edges(ScreenModel* screen, int32_t columns, int32_t rows, const std::string& bytes,
                       const char* what = "")
{
    screen_init(screen, columns, rows);
    screen_apply(screen, bytes.data(), static_cast<int32_t>(bytes.size()));
    EXPECT_EQ(screen->edge_overwrites, 0) << what;
}

// What went out before the closing restore.
std::string frames_of(const PtyRun& run)
{
    return run.output.substr(0, run.output.size() - RESTORE.size());
}

// The start-up order of the program: open, title, window, open again.
// The window is asked for only on request (--resize-window).
void start_like_the_program(int32_t resize_window = 1)
{
    use_terminal();
    console_settings.resize_window = resize_window;
    platform_console_open();
    platform_console_set_title("KORVEL - alt+enter=fullscreen");
    platform_console_set_window(80, 50, 1);
    platform_console_open();
}

void body_open_twice_then_close()
{
    start_like_the_program();
    report_modes();
    report_view();
    show_frame(0, 80, 50);
    platform_console_message("cannot read data/\x1b[31mx.tga\n");
    show_frame(1, 80, 50);
    platform_console_close();
    platform_console_close();
    report("closed\n");
}

TEST(TerminalBackend, OpeningTwiceStillRestoresTheFirstState)
{
    PtyRun run = run_restored(body_open_twice_then_close, 100, 60);
    EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0);
    EXPECT_EQ(run.output.rfind(ENTER, 0), 0u) << "enters first";
    EXPECT_EQ(count_of(run.output, "\x1b[22;0t"), 1) << "the title is pushed once";
    EXPECT_EQ(count_of(run.output, "\x1b[?1049h"), 1);
    EXPECT_EQ(count_of(run.output, RESTORE), 1);
    EXPECT_NE(run.output.find("\x1b]2;KORVEL - alt+enter=fullscreen\a"), std::string::npos);
    EXPECT_NE(run.output.find("\x1b[8;50;80t\x1b[10;1t"), std::string::npos);
    // The window goes back to what it was, whether or not it obeyed.
    EXPECT_NE(run.output.find("\x1b[10;0t\x1b[8;60;100t" + RESTORE), std::string::npos);
    // The message waits for the restore and cannot smuggle escape codes.
    EXPECT_EQ(run.errors, "raw\nview 80x50\ncannot read data/?[31mx.tga\nclosed\n");

    ScreenModel screen;
    play_within_edges(&screen, 100, 60, frames_of(run));
    uint8_t characters[PICTURE_CELLS];
    uint8_t attributes[PICTURE_CELLS];
    moving_picture(characters, attributes, 1);
    // Centred: 10 columns and 5 rows of margin; ramp byte 0x30 is '0' in any locale.
    int32_t zeros = 0;
    for (int32_t i = 0; i < PICTURE_CELLS; i++) {
        if (characters[i] == 0x30) {
            zeros++;
            EXPECT_EQ(screen.glyphs[screen_index(&screen, 10 + i % 80, 5 + i / 80)], "0") << i;
        }
    }
    EXPECT_GT(zeros, 50);
}

void body_user_window()
{
    start_like_the_program(0);
    show_frame(0, 80, 50);
    platform_console_close();
}

TEST(TerminalBackend, TheWindowStaysAsTheUserSetItAndTheSurroundIsBlack)
{
    PtyRun run = run_restored(body_user_window, 100, 60);
    // Window operations end in 't'; only the title's push and pop (22, 23) may go out.
    for (size_t at = run.output.find("\x1b["); at != std::string::npos; at = run.output.find("\x1b[", at + 1)) {
        size_t end = run.output.find_first_not_of("0123456789;", at + 2);
        if (end != std::string::npos && run.output[end] == 't') {
            std::string operation = run.output.substr(at + 2, end - at - 2);
            EXPECT_TRUE(operation.rfind("22;", 0) == 0 || operation.rfind("23;", 0) == 0) << operation;
        }
    }
    ScreenModel screen;
    play_within_edges(&screen, 100, 60, frames_of(run));
    // Every cell outside the centred 80 x 50 picture is black, not the terminal's default.
    int32_t surround = 0;
    for (int32_t row = 0; row < 60; row++) {
        for (int32_t column = 0; column < 100; column++) {
            if (column >= 10 && column < 90 && row >= 5 && row < 55) {
                continue;
            }
            int32_t i = screen_index(&screen, column, row);
            surround += screen.backgrounds[i] == 0 && screen.glyphs[i] == " ";
        }
    }
    EXPECT_EQ(surround, 100 * 60 - 80 * 50);
}

void body_suspend()
{
    start_like_the_program();
    show_frame(0, 80, 50);
    raise(SIGTSTP);  // stops here until the parent continues us
    report_modes();
    show_frame(0, 80, 50);
    platform_console_close();
}

TEST(TerminalBackend, CtrlZRestoresAndContinueComesBackWithAFullRedraw)
{
    PtyRun run = run_restored(body_suspend, 80, 50);
    ASSERT_EQ(run.stopped, 1);
    ASSERT_GE(run.output_at_stop.size(), RESTORE.size());
    EXPECT_EQ(run.output_at_stop.substr(run.output_at_stop.size() - RESTORE.size()), RESTORE);
    EXPECT_TRUE(same_modes(run.before, run.at_stop)) << "the shell gets its modes while we are stopped";
    std::string resumed = run.output.substr(run.output_at_stop.size());
    EXPECT_EQ(resumed.rfind(ENTER, 0), 0u) << "continue re-enters at once";
    EXPECT_NE(resumed.find("\x1b]2;KORVEL"), std::string::npos) << "with the title";
    EXPECT_NE(resumed.find("\x1b[8;50;80t\x1b[10;1t"), std::string::npos) << "and the window request";
    // The same picture again, yet all of it: the screen was lost meanwhile.
    EXPECT_NE(resumed.find("\x1b[2J", ENTER.size()), std::string::npos);
    EXPECT_EQ(count_of(resumed, "\x1b[1;1H"), 1);
    EXPECT_EQ(count_of(resumed, "\x1b[50;1H"), 1);
    EXPECT_EQ(run.errors, "raw\n");
    EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0);
}

void body_resize()
{
    use_terminal();
    platform_console_open();
    report_view();
    show_frame(0, 80, 50);
    winsize smaller = {30, 60, 0, 0};
    ioctl(1, TIOCSWINSZ, &smaller);
    raise(SIGWINCH);  // a pty that is not our controlling terminal sends none itself
    report_view();
    show_frame(0, 60, 19);
    // A resize between the view and the write: only what fits is written.
    winsize tiny = {5, 10, 0, 0};
    ioctl(1, TIOCSWINSZ, &tiny);
    raise(SIGWINCH);
    show_frame(1, 60, 19);
    platform_console_close();
}

TEST(TerminalBackend, AResizeClearsAndRedrawsTheNewViewCentred)
{
    PtyRun run = run_restored(body_resize, 100, 60);
    EXPECT_EQ(run.errors, "view 80x50\nview 60x19\n");
    size_t second = run.output.find("\x1b[?2026h", run.output.find("\x1b[?2026l"));
    ASSERT_NE(second, std::string::npos);
    size_t third = run.output.find("\x1b[?2026h", second + 1);
    ASSERT_NE(third, std::string::npos);
    std::string after_resize = run.output.substr(second, third - second);
    EXPECT_NE(after_resize.find("\x1b[2J"), std::string::npos);
    EXPECT_NE(after_resize.find("\x1b[6;1H"), std::string::npos) << "19 rows centred in 30 start at row 6";
    ScreenModel screen;
    play_within_edges(&screen, 60, 30, after_resize);

    std::string tiny = frames_of(run).substr(third);
    play_within_edges(&screen, 10, 5, tiny, "nothing written past a 10 x 5 terminal");
    EXPECT_EQ(count_of(tiny, ";1H"), 5) << "clipped to 10 x 5: one row start per row";
}

void body_stop_signal()
{
    use_terminal();
    platform_console_open();
    show_frame(0, 80, 50);
    raise(SIGTERM);
    report(platform_stop_signalled() != 0 ? "stop asked\n" : "no stop\n");
    report_modes();  // still ours: the main loop closes
    raise(SIGINT);   // a second request while the first is pending ends the process
    report("not reached\n");
}

TEST(TerminalBackend, AStopSignalAsksOnceAndASecondOneEndsRestored)
{
    PtyRun run = run_restored(body_stop_signal, 80, 50);
    EXPECT_EQ(run.errors, "stop asked\nraw\n");
    EXPECT_TRUE(WIFSIGNALED(run.status) && WTERMSIG(run.status) == SIGINT);
}

int fatal_signal = 0;

void body_fatal()
{
    use_terminal();
    platform_console_open();
    show_frame(0, 80, 50);
    if (fatal_signal == SIGSEGV) {
#if defined(__SANITIZE_ADDRESS__)
        raise(SIGSEGV);  // the address sanitizer reports a real bad store itself and exits
#else
        volatile int* nowhere = nullptr;
        *nowhere = 1;
#endif
    }
    if (fatal_signal == SIGABRT) {
        std::abort();
    }
    raise(fatal_signal);
}

TEST(TerminalBackend, FatalSignalsRestoreAndStillEndTheProcessByTheSignal)
{
    for (int sig : {SIGSEGV, SIGABRT, SIGFPE}) {
        SCOPED_TRACE(sig);
        fatal_signal = sig;
        PtyRun run = run_restored(body_fatal, 80, 50);
        EXPECT_TRUE(WIFSIGNALED(run.status) && WTERMSIG(run.status) == sig);
    }
}

void body_not_a_terminal()
{
    use_terminal();
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    report(platform_console_open() == -1 ? "refused\n" : "opened\n");
    std::string why;
    report(platform_console_available(&why) == 0 ? (why + "\n").c_str() : "available\n");
    platform_console_message("said at once");
    platform_console_close();
}

TEST(TerminalBackend, OutputThatIsNoTerminalIsRefusedWithAReason)
{
    PtyRun run;
    pty_run(body_not_a_terminal, 80, 50, &run);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(run.errors, "refused\nstandard output is not a terminal\nsaid at once\n");
    EXPECT_TRUE(same_modes(run.before, run.after));
}

}  // namespace
