// Runs a fuzz target's entry over saved inputs, without the fuzzing engine: every file
// named, and every file in each folder named, once. The native tests use it to keep the
// seed corpora and the inputs of past findings as regression cases.
// Usage: replay PATH... ; a PATH written as --optional=PATH may be missing.
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

static const char kOptionalPrefix[] = "--optional=";

static bool ReplayFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    // An array of exactly the input's size, so a read past its end is caught.
    uint8_t* data = new uint8_t[bytes.size()];
    if (!bytes.empty())
        memcpy(data, bytes.data(), bytes.size());
    fprintf(stderr, "replaying %s (%zu bytes)\n", path.c_str(), bytes.size());
    LLVMFuzzerTestOneInput(data, bytes.size());
    delete[] data;
    return true;
}

int main(int argc, char** argv)
{
    size_t replayed = 0;
    for (int i = 1; i < argc; i++) {
        std::string argument = argv[i];
        bool optional = argument.rfind(kOptionalPrefix, 0) == 0;
        fs::path path = optional ? argument.substr(strlen(kOptionalPrefix)) : argument;
        std::error_code error;
        if (!fs::exists(path, error)) {
            if (optional)
                continue;
            fprintf(stderr, "no such input: %s\n", path.c_str());
            return 1;
        }
        std::vector<fs::path> files;
        if (fs::is_directory(path)) {
            for (const fs::directory_entry& entry : fs::directory_iterator(path))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
            std::sort(files.begin(), files.end());
        } else {
            files.push_back(path);
        }
        for (const fs::path& file : files) {
            if (!ReplayFile(file))
                return 1;
            replayed++;
        }
    }
    // No input at all means a misnamed folder, not a pass.
    if (replayed == 0) {
        fprintf(stderr, "no inputs replayed\n");
        return 1;
    }
    printf("replayed %zu inputs\n", replayed);
    return 0;
}
