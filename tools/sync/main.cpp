// korvel-sync: compiles a show script into the W effects of any XM module, or lists a module's script.
#include <cstdio>
#include <cstring>
#include <string>

#include "xm/sync_script.h"

namespace {

int32_t usage()
{
    std::fprintf(stderr,
                 "usage: korvel-sync compile MODULE.xm SCRIPT OUT.xm [--storyboard FILE.md]\n"
                 "       korvel-sync list MODULE.xm\n");
    return 2;
}

int32_t report(const std::string& why)
{
    std::fprintf(stderr, "korvel-sync: %s\n", why.c_str());
    return 1;
}

int32_t load_song(const char* path, XmSong* song, std::string* why)
{
    std::vector<uint8_t> bytes;
    if (!xm_read_file(path, &bytes, why)) {
        return 0;
    }
    if (!xm_parse(bytes, song, why)) {
        *why = std::string(path) + ": " + *why;
        return 0;
    }
    return 1;
}

int32_t list(const char* module_path)
{
    XmSong song;
    std::string why;
    if (!load_song(module_path, &song, &why)) {
        return report(why);
    }
    std::fputs(script_format(script_read(song)).c_str(), stdout);
    return 0;
}

int32_t compile(const char* module_path, const char* script_path, const char* out_path, const char* storyboard)
{
    XmSong song;
    std::string why;
    std::vector<uint8_t> text;
    if (!load_song(module_path, &song, &why) || !xm_read_file(script_path, &text, &why)) {
        return report(why);
    }
    SyncScript script;
    if (!script_parse(std::string(text.begin(), text.end()), &script, &why)) {
        return report(std::string(script_path) + ": " + why);
    }
    if (!script_compile(&song, script, &why)) {
        return report(std::string(script_path) + ": " + why);
    }
    if (!xm_write_file(out_path, xm_build(song), &why)) {
        return report(why);
    }
    if (storyboard == nullptr) {
        return 0;
    }
    std::string page = script_storyboard(song, script);
    if (!xm_write_file(storyboard, std::vector<uint8_t>(page.begin(), page.end()), &why)) {
        return report(why);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "list") == 0) {
        return list(argv[2]);
    }
    if (argc == 5 && std::strcmp(argv[1], "compile") == 0) {
        return compile(argv[2], argv[3], argv[4], nullptr);
    }
    if (argc == 7 && std::strcmp(argv[1], "compile") == 0 && std::strcmp(argv[5], "--storyboard") == 0) {
        return compile(argv[2], argv[3], argv[4], argv[6]);
    }
    return usage();
}
