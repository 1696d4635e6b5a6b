// Reader of two- and three-line element files: two lines of 69 characters
// with correct checksums per element set, optionally after a name line.
#pragma once
#include <string_view>

#include "datafile/elements_file.h"

class TleFile : public ElementsFile {
public:
    TleFile() = default;
    explicit TleFile(TextFile* f) { SetFile(f); }

    bool Validate() override;
    bool ReadFirstElements(OrbitalElements_t& el) override;
    bool ReadNextElements(OrbitalElements_t& el) override;

    // Results of ReadLines.
    enum {
        TLE_OK = 0,
        TLE_NO_MORE = 1,
        TLE_LINE1_LENGTH = 2,
        TLE_LINE1_CHECKSUM = 3,
        TLE_LINE2_LENGTH = 4,
        TLE_LINE2_CHECKSUM = 5,
    };
    // Locates the next element set's name line, line 1 and line 2.
    int ReadLines();
    // Columns 1 to 68 summed (digits, '-' as 1) modulo 10 against column 69.
    static bool IsChecksum(std::string_view line);

    std::string_view NameLine() const { return nameLine; }
    std::string_view Line1() const { return line1; }
    std::string_view Line2() const { return line2; }

private:
    size_t ReadLine();
    std::string_view GetStr(int index) const;
    bool GetCatId(unsigned& id) const;
    bool GetDecAssumed(int index, double& value) const;
    bool GetUInt(int index, unsigned& value) const;
    bool GetDouble(int index, double& value) const;
    bool ReadElements(OrbitalElements_t& el);

    std::string_view line;
    std::string_view nameLine;
    std::string_view line1;
    std::string_view line2;
};
