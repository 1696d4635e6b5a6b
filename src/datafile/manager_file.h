// The data manager file: which element files to load into the catalogue and,
// per file, which satellites to take. Two syntaxes: version 1 is a list of
// lines (">dir/", "<", "file", "*file" + identifier block + "*"), version 2
// nests entries in braces ("dir { file { 25544 A0001 NAME* } }").
#pragma once
#include <string>
#include <vector>

#include "support/memfile.h"

class CObjects;

// Loads one element file into the catalogue: every element set, or only
// those the lists select (the lists lose what was satisfied). 0, or the
// TextFile::Load code when the file cannot be read; a file in neither
// element format loads nothing and gives 0.
int load_objs(CObjects& objs, std::string& path);
int load_objs(CObjects& objs, std::string& path, std::vector<unsigned long>& catIds,
              std::vector<std::string>& names);

// Kinds of version-2 tokens.
enum mgrToken {
    MGR_END = 0,
    MGR_TEXT = 1,
    MGR_OPEN = 2,
    MGR_CLOSE = 3,
};

class ManagerFile : public CMemFile {
public:
    // Longest version-1 file name or directory prefix, and the room for the
    // two joined; longer entries are passed over.
    static constexpr size_t V1_NAME_MAX = 299;
    static constexpr size_t V1_PATH_MAX = 303;
    static constexpr size_t TOKEN_CAP = 512;

    // 0 when read; the CMemFile::Open code when the file cannot be read (7
    // also when it is larger than TextFile::MAX_SIZE); -1 when a version-2
    // list ends on a brace at its top level.
    int Load(CObjects& objs, const char* path);
    // 1 or 2, told from the first '*', '>' or '{' of the text.
    int Version();
    int ReadV1();
    int ReadV2();
    // Version 1: identifiers up to a line "*"; 0 closed, -1 the text ended.
    int ReadSearchIdents();
    int LoadObjects();
    // Version 2 tokens: kind of the next one (not consumed), and reading it.
    int SeekToken();
    int ReadToken();
    int ReadDirGroup();
    int ReadFileGroup();
    int SkipGroup();
    // Decimal or Alpha-5 catalogue number, 0 when the text is not one.
    static unsigned long CatId(const char* text);

    std::vector<unsigned long> catIds;
    std::vector<std::string> names;
    CObjects* objs = nullptr;
    std::string path;
    size_t baseLen = 0;
    char token[TOKEN_CAP] = {};
    // The last text token did not fit token; its entry is passed over.
    bool tokenTooLong = false;

private:
    int PeekToken();
    // Version-1 line, trimmed; false at the end of the text. *tooLong when it
    // is longer than a name may be.
    bool ReadV1Line(std::string& line, bool* tooLong);
    void ClearIdents();
    // Version 2: one entry whose text is in token, with path set to the
    // joined name; inDir forbids nested directory groups.
    void ReadEntry(bool inDir);
};
