// The data manager file: reads the list of element files in either syntax
// and loads each named file with the identifiers given for it.
#include "datafile/manager_file.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "datafile/elements_reader.h"
#include "support/fsys.h"
#include "support/str.h"

// Version-1 lines are read into a buffer this large so that a line too long
// for a name is recognised and passed over instead of being cut.
static const size_t s_v1LineCap = 4096;

static bool is_space(unsigned char c)
{
    return std::isspace(c) != 0;
}

// The text of s after its first character, trimmed.
static std::string rest_trimmed(const std::string& s)
{
    size_t b = 1, e = s.size();
    while (b < e && is_space(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && is_space(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

// The reader that accepts the text (comma-separated first, then two-line),
// or none: a file in neither format is passed over.
static int load_elements(CObjects& objs, const std::string& path,
                         std::vector<unsigned long>* catIds, std::vector<std::string>* names)
{
    // Only regular files are read: a FIFO would block, a directory fail.
    if (fsys_type(path.c_str()) != 1)
        return 1;
    TextFile text;
    const int r = text.Load(path);
    if (r != 0)
        return r;
    CsvFile csv;
    TleFile tle;
    ElementsFile* reader = elements_bind(&text, csv, tle);
    if (!reader)
        return 0;
    return catIds ? reader->ReadObjects(objs, *catIds, *names) : reader->ReadObjects(objs);
}

int load_objs(CObjects& objs, std::string& path)
{
    return load_elements(objs, path, nullptr, nullptr);
}

int load_objs(CObjects& objs, std::string& path, std::vector<unsigned long>& catIds,
              std::vector<std::string>& names)
{
    return load_elements(objs, path, &catIds, &names);
}

int ManagerFile::Load(CObjects& o, const char* file)
{
    // Something that exists but is neither a file nor a directory (a FIFO, a
    // device) cannot be opened as a list: reading it could block.
    if (fsys_type(file) == 0 && fsys_exist(file))
        return 1;
    // A list is small; a huge file is a mistake and is not read into memory.
    size_t bytes = 0;
    if (fsys_size(file, &bytes) == 0 && bytes > TextFile::MAX_SIZE)
        return 7;
    const unsigned r = Open(file);
    if (r != 0)
        return static_cast<int>(r);
    objs = &o;
    ClearIdents();
    const int result = Version() == 1 ? ReadV1() : ReadV2();
    Close();
    return result;
}

int ManagerFile::Version()
{
    SeekSet(0);
    for (size_t i = 0; i < size; ++i) {
        const unsigned char c = buffer[i];
        if (c == '>')
            return 1;
        if (c == '{')
            return 2;
        if (c == '*') {
            // A '*' opening a line is a version-1 identifier block; anywhere
            // else it belongs to a version-2 name pattern.
            size_t j = i;
            while (j > 0 && buffer[j - 1] != '\n' && buffer[j - 1] != '\r')
                --j;
            for (; j < i; ++j)
                if (!is_space(buffer[j]))
                    return 2;
            return 1;
        }
    }
    return 2;
}

void ManagerFile::ClearIdents()
{
    catIds.clear();
    names.clear();
}

int ManagerFile::LoadObjects()
{
    if (catIds.empty() && names.empty())
        return load_objs(*objs, path);
    const int r = load_objs(*objs, path, catIds, names);
    ClearIdents();
    return r;
}

// ---- Version 1 ----

bool ManagerFile::ReadV1Line(std::string& line, bool* tooLong)
{
    char buf[s_v1LineCap];
    const size_t raw = ReadLine(buf, sizeof buf);
    line.assign(str_trim(buf));
    *tooLong = raw >= sizeof buf || line.size() > V1_NAME_MAX;
    return raw != 0;
}

int ManagerFile::ReadSearchIdents()
{
    if (IsEnd())
        return -1;
    std::string line;
    bool tooLong = false;
    while (!IsEnd()) {
        if (!ReadV1Line(line, &tooLong))
            continue;
        if (line == "*")
            return 0;
        if (tooLong || (!line.empty() && line[0] == '#'))
            continue;
        // A line of blanks only is an empty digit string and counts as 0.
        if (str_isdigit(line.c_str()))
            catIds.push_back(std::strtoul(line.c_str(), nullptr, 10));
        else
            names.push_back(line);
    }
    return -1;
}

int ManagerFile::ReadV1()
{
    std::string prefix;
    bool prefixTooLong = false;
    std::string line;
    bool tooLong = false;
    while (!IsEnd()) {
        if (!ReadV1Line(line, &tooLong) || line.empty())
            continue;
        std::string name;
        switch (line[0]) {
        case '#':
            continue;
        case '>':
            prefix = rest_trimmed(line);
            prefixTooLong = tooLong;
            continue;
        case '<':
            prefix.clear();
            prefixTooLong = false;
            continue;
        case '*': {
            const size_t before = catIds.size() + names.size();
            if (ReadSearchIdents() != 0)
                return 0;
            if (catIds.size() + names.size() == before)
                continue;
            name = rest_trimmed(line);
            if (name.empty())
                continue;
            break;
        }
        default:
            name = line;
            break;
        }
        // A name that does not fit is passed over rather than cut into the
        // name of some other file; so is anything but a regular file, which
        // could block (a FIFO) or fail (a directory).
        path = prefix + name;
        if (tooLong || prefixTooLong || path.size() > V1_PATH_MAX ||
            fsys_type(path.c_str()) != 1) {
            ClearIdents();
            continue;
        }
        LoadObjects();
    }
    return 0;
}

// ---- Version 2 ----

int ManagerFile::SeekToken()
{
    while (cursor < end && is_space(*cursor))
        ++cursor;
    if (cursor >= end)
        return MGR_END;
    if (*cursor == '{')
        return MGR_OPEN;
    if (*cursor == '}')
        return MGR_CLOSE;
    return MGR_TEXT;
}

int ManagerFile::PeekToken()
{
    unsigned char* const at = cursor;
    const int kind = SeekToken();
    cursor = at;
    return kind;
}

int ManagerFile::ReadToken()
{
    const int kind = SeekToken();
    if (kind == MGR_OPEN || kind == MGR_CLOSE) {
        ++cursor;
        return kind;
    }
    if (kind == MGR_END)
        return kind;
    const unsigned char* start = cursor;
    while (cursor < end && *cursor != '\n' && *cursor != '\r' && *cursor != '{' && *cursor != '}')
        ++cursor;
    size_t n = static_cast<size_t>(cursor - start);
    while (n > 0 && is_space(start[n - 1]))
        --n;
    tokenTooLong = n >= TOKEN_CAP;
    if (tokenTooLong)
        n = TOKEN_CAP - 1;
    std::memcpy(token, start, n);
    token[n] = '\0';
    return kind;
}

void ManagerFile::ReadEntry(bool inDir)
{
    const int type = tokenTooLong ? 0 : fsys_type(path.c_str());
    if (PeekToken() == MGR_OPEN) {
        if (type == 1) {
            ReadFileGroup();
        } else if (type == 2 && !inDir) {
            if (path.back() != '/')
                path += '/';
            baseLen = path.size();
            ReadDirGroup();
        } else {
            SkipGroup();
        }
    } else if (type == 1) {
        LoadObjects();
    }
}

int ManagerFile::ReadV2()
{
    int kind = ReadToken();
    while (kind == MGR_TEXT) {
        path = token;
        ReadEntry(false);
        kind = ReadToken();
    }
    return kind == MGR_END ? 0 : -1;
}

int ManagerFile::ReadDirGroup()
{
    if (PeekToken() != MGR_OPEN)
        return -1;
    ReadToken();
    int kind = ReadToken();
    while (kind == MGR_TEXT) {
        path.resize(baseLen);
        path += token;
        ReadEntry(true);
        path.resize(baseLen);
        kind = ReadToken();
    }
    return kind == MGR_CLOSE ? 0 : -1;
}

int ManagerFile::ReadFileGroup()
{
    ClearIdents();
    if (PeekToken() != MGR_OPEN)
        return -1;
    ReadToken();
    int kind = ReadToken();
    while (kind == MGR_TEXT) {
        if (!tokenTooLong) {
            const unsigned long id = CatId(token);
            if (id != 0)
                catIds.push_back(id);
            else
                names.emplace_back(token);
        }
        kind = ReadToken();
    }
    if (!catIds.empty() || !names.empty())
        LoadObjects();
    return kind == MGR_CLOSE ? 0 : -1;
}

int ManagerFile::SkipGroup()
{
    if (PeekToken() != MGR_OPEN)
        return -1;
    ReadToken();
    int depth = 1;
    int kind = MGR_OPEN;
    while (depth > 0) {
        kind = ReadToken();
        if (kind == MGR_END)
            break;
        if (kind == MGR_OPEN)
            ++depth;
        else if (kind == MGR_CLOSE)
            --depth;
    }
    return kind == MGR_CLOSE ? 0 : -1;
}

unsigned long ManagerFile::CatId(const char* text)
{
    static const char s_alpha5[] = "ABCDEFGHJKLMNPQRSTUVWXYZ";
    unsigned long base = 0;
    if (text[0] != '\0') {
        const char* letter = std::strchr(s_alpha5, text[0]);
        if (letter) {
            base = (static_cast<unsigned long>(letter - s_alpha5) + 10) * 10000;
            ++text;
        }
    }
    if (!str_isdigit(text))
        return 0;
    return base + std::strtoul(text, nullptr, 10);
}
