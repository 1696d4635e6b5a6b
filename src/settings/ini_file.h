// A small INI reader and writer that keeps the whole file in memory: sorted
// sections of sorted keys with text values.
#pragma once
#include <cstddef>
#include <iosfwd>
#include <map>
#include <string>

// Results of CIniFile::load.
enum iniResult {
    INI_OK = 0,
    INI_NO_BRACKET = 1,    // a section line has no ']'
    INI_EMPTY_SECTION = 2, // a section line has an empty name
    INI_NO_SECTION = 3,    // a key line comes before any section line
    INI_NO_EQUALS = 4,     // a line is neither comment, section nor key line
    INI_EMPTY_KEY = 5,     // a key line has an empty key
};

// Decimal text to int: true only when the whole text was used (leading
// whitespace allowed) and the number fits an int; an empty text gives 0.
bool str_to_int(const std::string& text, int& value);

class CIniSection {
public:
    std::map<std::string, std::string> values;
};

class CIniFile {
public:
    CIniFile() = default;
    // Loads path; a file that cannot be read gives an empty object.
    explicit CIniFile(const std::string& path);

    // 0 also when the file cannot be opened (the object is then empty).
    int Load(const std::string& path);
    // Empties the object and reads the stream; see iniResult. Reading stops
    // at the first bad line; what was read before it stays.
    int load(std::istream& in);
    // Writes the whole file to a temporary file beside path and renames it
    // over path, so the old file stays intact when anything fails. True on
    // success.
    bool Save(const std::string& path) const;
    void save(std::ostream& out) const;

    // False when the section or key is missing (value unchanged).
    bool Get(const char* section, const char* key, std::string& value) const;
    // False also when the text is not a whole int (value unchanged).
    bool Get(const char* section, const char* key, int& value) const;
    // False also when the text is not a finite decimal number (sk_toreal).
    bool Get(const char* section, const char* key, double& value) const;
    // Lists of values separated by single blanks: the number read, at most
    // count, stopping at the first piece that is not an int (or a byte).
    size_t Get(const char* section, const char* key, int* values, size_t count) const;
    size_t Get(const char* section, const char* key, unsigned char* values, size_t count) const;

    bool Set(const char* section, const char* key, const std::string& value);
    bool Set(const char* section, const char* key, const char* value);
    bool Set(const char* section, const char* key, int value);
    // The shortest text that reads back as the same double (str_real).
    bool Set(const char* section, const char* key, double value);
    // Each value in decimal followed by one blank.
    bool Set(const char* section, const char* key, const int* values, size_t count);
    bool Set(const char* section, const char* key, const unsigned char* values, size_t count);

    std::map<std::string, CIniSection> sections;

private:
    const std::string* Find(const char* section, const char* key) const;
};
