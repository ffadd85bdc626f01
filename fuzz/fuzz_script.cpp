// Fuzz harness: the sync-script tool's text, parsed and, when it parses, listed again.
#include <string>

#include "fuzz_target.h"
#include "xm/sync_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    SyncScript script;
    std::string why;
    if (script_parse(text, &script, &why)) {
        script_format(script);
    }
    return 0;
}
