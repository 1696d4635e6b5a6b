// Helpers shared by the tests: temporary folders and files, shared data.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

// A fresh folder under the system's temporary folder, removed at the end.
class TempDir {
public:
    TempDir()
    {
        char tmpl[] = "/tmp/skytrace-test-XXXXXX";
        const char* d = mkdtemp(tmpl);
        m_path = d ? d : "/tmp";
    }
    ~TempDir()
    {
        std::string cmd = "rm -rf '" + m_path + "'";
        if (std::system(cmd.c_str()) != 0)
            return;
    }
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }
    // Writes bytes exactly as given (no line-end translation).
    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::string p = file(name);
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
    std::string mkdir(const std::string& name) const
    {
        std::string p = file(name);
        ::mkdir(p.c_str(), 0755);
        return p;
    }

private:
    std::string m_path;
};

// Path of a file of the shared data folder, or "" when the folder is absent.
inline std::string shared_data(const std::string& rel)
{
    std::string p = std::string(SKYTRACE_SHARED_DATA) + "/" + rel;
    struct stat st;
    return stat(p.c_str(), &st) == 0 ? p : std::string();
}

#define REQUIRE_SHARED_DATA(var, rel)                                              \
    std::string var = shared_data(rel);                                            \
    if (var.empty())                                                               \
        GTEST_SKIP() << "shared data not found: " SKYTRACE_SHARED_DATA "/" rel;

inline std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
