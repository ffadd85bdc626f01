// Runs a fuzz harness once over every file of the corpus folders it is given,
// so that the ordinary test suite replays what the fuzzers found.
#include <dirent.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fuzz_target.h"

namespace {

bool read_file(const std::string& path, std::vector<uint8_t>* bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    bytes->clear();
    uint8_t chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof(chunk), file)) > 0) {
        bytes->insert(bytes->end(), chunk, chunk + got);
    }
    std::fclose(file);
    return true;
}

// Every regular file of the folder, in name order. Returns the count, or -1
// when the folder cannot be read.
int replay_folder(const std::string& folder)
{
    dirent** names = nullptr;
    int count = scandir(folder.c_str(), &names, nullptr, alphasort);
    if (count < 0) {
        return -1;
    }
    int replayed = 0;
    std::vector<uint8_t> bytes;
    for (int i = 0; i < count; i++) {
        std::string path = folder + "/" + names[i]->d_name;
        if (names[i]->d_name[0] != '.' && read_file(path, &bytes)) {
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            replayed++;
        }
        std::free(names[i]);
    }
    std::free(names);
    return replayed;
}

}  // namespace

int main(int argc, char** argv)
{
    int total = 0;
    for (int i = 1; i < argc; i++) {
        int replayed = replay_folder(argv[i]);
        if (replayed < 0) {
            std::fprintf(stderr, "cannot read the corpus folder %s\n", argv[i]);
            return 1;
        }
        total += replayed;
    }
    std::printf("%d inputs replayed\n", total);
    return total > 0 ? 0 : 1;
}
