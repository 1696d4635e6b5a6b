// Fuzz target helpers: a scratch folder for the whole run, input written to files in it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// A fresh folder, in /dev/shm when there is one, removed when the fuzzer exits.
inline const std::string& fuzz_scratch()
{
    static std::string s_dir;
    if (s_dir.empty()) {
        s_dir = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        s_dir += "/skytrace-fuzz-XXXXXX";
        if (!mkdtemp(&s_dir[0]))
            std::abort();
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(s_dir, ec);
        });
    }
    return s_dir;
}

// Writes the bytes exactly to path; aborts when the scratch folder is unusable.
inline void fuzz_write(const std::string& path, const uint8_t* data, size_t size)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || (size && std::fwrite(data, 1, size, f) != size) || std::fclose(f) != 0)
        std::abort();
}

// Preference folder and home in scratch (settings create folders there); 0 for LLVMFuzzerInitialize.
inline int fuzz_home_in_scratch()
{
    setenv("XDG_DATA_HOME", fuzz_scratch().c_str(), 1);
    return setenv("HOME", fuzz_scratch().c_str(), 1);
}

inline void fuzz_write(const std::string& path, const std::string& text)
{
    fuzz_write(path, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}
