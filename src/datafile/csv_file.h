// Reader of comma-separated element files: a header line whose first column
// is "OBJECT_NAME", then one row of 17 OMM columns per element set.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/elements_file.h"

class CsvFile : public ElementsFile {
public:
    static constexpr int EL_COUNT = 17;

    CsvFile() = default;
    explicit CsvFile(TextFile* f) { SetFile(f); }

    bool Validate() override;
    bool ReadFirstElements(OrbitalElements_t& el) override;
    bool ReadNextElements(OrbitalElements_t& el) override;

    // Splits the next raw line into fields; true with exactly 17 columns.
    bool ReadSeparatedValues();
    bool GetElements(OrbitalElements_t& el);

private:
    std::string_view Field(int col) const;
    bool GetStr(int col, std::string& out) const;
    bool GetDouble(int col, double& out) const;
    bool GetUInt(int col, unsigned& out) const;
    bool GetChar(int col, char& out) const;
    bool GetEpoch(OrbitalElements_t& el) const;

    uint64_t dataStart = 0;
    std::vector<std::string_view> fields;
};
