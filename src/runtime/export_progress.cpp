// The progress line of a rendering on standard error: share done, frames a second, time left.
#include "runtime/export_progress.h"

#include <cstdio>

#include "platform/clock.h"
#include "platform/console.h"

namespace {

constexpr uint32_t QUIET_MS = 1000;  // shorter runs show no line at all
constexpr uint32_t REDRAW_MS = 200;
constexpr int32_t BAR_WIDTH = 30;

}  // namespace

void progress_format(int64_t done, int64_t total, uint32_t elapsed_ms, char* out, int32_t capacity)
{
    if (total <= 0) {
        total = 1;
    }
    int32_t filled = static_cast<int32_t>(done * BAR_WIDTH / total);
    char bar[BAR_WIDTH + 1];
    for (int32_t i = 0; i < BAR_WIDTH; i++) {
        bar[i] = i < filled ? '#' : '.';
    }
    bar[BAR_WIDTH] = '\0';
    int64_t fps = elapsed_ms > 0 ? done * 1000 / elapsed_ms : 0;
    int64_t left_s = done > 0 ? (total - done) * static_cast<int64_t>(elapsed_ms) / done / 1000 : 0;
    std::snprintf(out, static_cast<size_t>(capacity), "[%s] %3d%%  %lld fps  %lld:%02lld left", bar,
                  static_cast<int32_t>(done * 100 / total), static_cast<long long>(fps),
                  static_cast<long long>(left_s / 60), static_cast<long long>(left_s % 60));
}

void progress_start(ExportProgress* progress, int64_t total)
{
    *progress = ExportProgress{};
    progress->enabled = platform_stderr_is_terminal();
    progress->start_ms = platform_monotonic_ms();
    progress->drawn_ms = progress->start_ms;
    progress->total = total;
}

void progress_update(ExportProgress* progress, int64_t done)
{
    if (!progress->enabled) {
        return;
    }
    uint32_t now = platform_monotonic_ms();
    uint32_t elapsed = now - progress->start_ms;
    if (elapsed < QUIET_MS || now - progress->drawn_ms < REDRAW_MS) {
        return;
    }
    progress->drawn_ms = now;
    char line[128];
    progress_format(done, progress->total, elapsed, line, sizeof(line));
    std::fprintf(stderr, "\r%s", line);
    std::fflush(stderr);
    progress->shown = 1;
}

void progress_finish(ExportProgress* progress)
{
    if (progress->shown) {
        std::fputs("\r\x1b[K", stderr);
    }
    progress->shown = 0;
}
