#include "settings/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "support/sk.h"
#include "support/str.h"

static const char* const s_space = " \t\n\v\f\r";

bool str_to_int(const std::string& text, int& value)
{
    const char* s = text.c_str();
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(s, &end, 10);
    if (*end != '\0' || errno == ERANGE || v < INT_MIN || v > INT_MAX)
        return false;
    value = static_cast<int>(v);
    return true;
}

CIniFile::CIniFile(const std::string& path)
{
    Load(path);
}

int CIniFile::Load(const std::string& path)
{
    std::ifstream in(path);
    return load(in);
}

int CIniFile::load(std::istream& in)
{
    sections.clear();
    if (!in)
        return INI_OK;
    CIniSection* current = nullptr;
    std::string line;
    while (std::getline(in, line)) {
        // The settings take values as C strings: a NUL ends the line's text
        // here, so what is stored is exactly what a setter will see.
        const size_t nul = line.find('\0');
        if (nul != std::string::npos)
            line.resize(nul);
        size_t start = line.find_first_not_of(s_space);
        if (start == std::string::npos || line[start] == '#' || line[start] == ';')
            continue;
        if (line[start] == '[') {
            size_t close = line.find(']', start + 1);
            if (close == std::string::npos)
                return INI_NO_BRACKET;
            if (close == start + 1)
                return INI_EMPTY_SECTION;
            current = &sections[line.substr(start + 1, close - start - 1)];
            continue;
        }
        if (!current)
            return INI_NO_SECTION;
        size_t eq = line.find('=', start);
        if (eq == std::string::npos)
            return INI_NO_EQUALS;
        if (eq == start)
            return INI_EMPTY_KEY;
        // line[start] is no whitespace, so the key keeps at least it.
        size_t keyEnd = line.find_last_not_of(s_space, eq - 1);
        std::string key = line.substr(start, keyEnd - start + 1);
        size_t vStart = line.find_first_not_of(s_space, eq + 1);
        std::string value;
        if (vStart != std::string::npos) {
            size_t vEnd = line.find_last_not_of(s_space);
            value = line.substr(vStart, vEnd - vStart + 1);
        }
        current->values[key] = value;
    }
    return INI_OK;
}

void CIniFile::save(std::ostream& out) const
{
    for (const auto& s : sections) {
        out << '[' << s.first << "]\n";
        for (const auto& kv : s.second.values)
            out << kv.first << '=' << kv.second << '\n';
    }
}

// Mode of a new file as open(2) would give it: 0666 less the umask.
static mode_t new_file_mode()
{
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool CIniFile::Save(const std::string& path) const
{
    std::ostringstream text;
    save(text);
    const std::string data = text.str();

    std::vector<char> tmp(path.begin(), path.end());
    const char suffix[] = ".XXXXXX";
    tmp.insert(tmp.end(), suffix, suffix + sizeof suffix);  // with the NUL
    int fd = mkstemp(tmp.data());
    if (fd < 0)
        return false;
    struct stat st;
    mode_t mode = stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : new_file_mode();
    bool ok = fchmod(fd, mode) == 0;
    for (size_t done = 0; ok && done < data.size();) {
        ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            done += static_cast<size_t>(n);
    }
    // The data must be on disk before the rename makes it the file.
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && std::rename(tmp.data(), path.c_str()) == 0;
    if (!ok)
        unlink(tmp.data());
    return ok;
}

const std::string* CIniFile::Find(const char* section, const char* key) const
{
    auto s = sections.find(section);
    if (s == sections.end())
        return nullptr;
    auto k = s->second.values.find(key);
    return k == s->second.values.end() ? nullptr : &k->second;
}

bool CIniFile::Get(const char* section, const char* key, std::string& value) const
{
    const std::string* v = Find(section, key);
    if (!v)
        return false;
    value = *v;
    return true;
}

bool CIniFile::Get(const char* section, const char* key, int& value) const
{
    const std::string* v = Find(section, key);
    return v && str_to_int(*v, value);
}

bool CIniFile::Get(const char* section, const char* key, double& value) const
{
    const std::string* v = Find(section, key);
    return v && sk_toreal(v->c_str(), &value);
}

// Calls take(piece) for each blank-separated piece from the left until it
// fails, the text ends or count pieces were taken; returns how many were.
template <class Take>
static size_t take_pieces(const std::string& text, size_t count, Take take)
{
    size_t n = 0;
    size_t pos = 0;
    while (n < count) {
        size_t blank = text.find(' ', pos);
        std::string piece = text.substr(pos, blank == std::string::npos ? std::string::npos : blank - pos);
        if (!take(n, piece))
            break;
        ++n;
        if (blank == std::string::npos)
            break;
        pos = blank + 1;
    }
    return n;
}

size_t CIniFile::Get(const char* section, const char* key, int* values, size_t count) const
{
    const std::string* v = Find(section, key);
    if (!v)
        return 0;
    return take_pieces(*v, count, [values](size_t i, const std::string& piece) {
        return str_to_int(piece, values[i]);
    });
}

size_t CIniFile::Get(const char* section, const char* key, unsigned char* values, size_t count) const
{
    const std::string* v = Find(section, key);
    if (!v)
        return 0;
    return take_pieces(*v, count, [values](size_t i, const std::string& piece) {
        char* end = nullptr;
        unsigned long b = std::strtoul(piece.c_str(), &end, 10);
        if (*end != '\0' || b > 255)
            return false;
        values[i] = static_cast<unsigned char>(b);
        return true;
    });
}

bool CIniFile::Set(const char* section, const char* key, const std::string& value)
{
    sections[section].values[key] = value;
    return true;
}

bool CIniFile::Set(const char* section, const char* key, const char* value)
{
    return Set(section, key, std::string(value));
}

bool CIniFile::Set(const char* section, const char* key, int value)
{
    return Set(section, key, std::to_string(value));
}

bool CIniFile::Set(const char* section, const char* key, double value)
{
    char text[32];
    return Set(section, key, str_real(text, sizeof text, value));
}

bool CIniFile::Set(const char* section, const char* key, const int* values, size_t count)
{
    std::string text;
    for (size_t i = 0; i < count; ++i)
        text += std::to_string(values[i]) + ' ';
    return Set(section, key, text);
}

bool CIniFile::Set(const char* section, const char* key, const unsigned char* values, size_t count)
{
    std::string text;
    for (size_t i = 0; i < count; ++i)
        text += std::to_string(values[i]) + ' ';
    return Set(section, key, text);
}
