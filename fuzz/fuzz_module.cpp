// Fuzz harness: our module wrapper: loading, the sync-table scan and a second of offline playing.
#include "fuzz_target.h"
#include "runtime/music_offline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MusicOffline offline = {};
    std::string why;
    if (music_offline_open_memory(&offline, data, size, &why)) {
        uint8_t commands[256];
        MusicOfflineSyncs syncs = {commands, nullptr, 256, 0, 0};
        music_offline_advance_ms(&offline, 1000, &syncs, nullptr, 0);
    }
    music_offline_close(&offline);
    return 0;
}
