// Collecting the generated files and writing them out.
#include "asset_files.h"

#include <cstdio>
#include <filesystem>

void add_file(AssetSet* set, const std::string& name, std::vector<uint8_t> bytes)
{
    set->files.push_back(GeneratedFile{name, std::move(bytes)});
}

void add_text_file(AssetSet* set, const std::string& name, const std::string& text)
{
    add_file(set, name, std::vector<uint8_t>(text.begin(), text.end()));
}

bool write_asset_set(const AssetSet& set, const std::string& folder, std::string* reason)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        *reason = folder + ": " + error.message();
        return false;
    }
    for (const GeneratedFile& file : set.files) {
        const std::string path = folder + "/" + file.name;
        FILE* out = std::fopen(path.c_str(), "wb");
        if (out == nullptr) {
            *reason = path + ": cannot be written";
            return false;
        }
        const size_t written = std::fwrite(file.bytes.data(), 1, file.bytes.size(), out);
        const bool closed = std::fclose(out) == 0;
        if (written != file.bytes.size() || !closed) {
            *reason = path + ": write failed";
            return false;
        }
    }
    return true;
}
