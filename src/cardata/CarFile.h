#pragma once

#include "CarRecord.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace modLoad {

using CarTable = std::vector<CarRecord>;

constexpr std::int32_t RecordSize = 1344;
constexpr std::int32_t HeaderSize = 8;
constexpr std::int32_t MaxCars = 32767;

// The outcome of a file operation: success, or a message for the user.
struct FileResult {
    bool ok = true;
    QString message;

    explicit operator bool() const { return ok; }
    static FileResult failure(QString text) { return {false, std::move(text)}; }
};

// Reads a whole library. On failure the table is left exactly as it was.
FileResult LoadCars(const QString& fileName, CarTable& table);

// Writes the whole table. On failure the old file is left as it was.
FileResult SaveCars(const QString& fileName, const CarTable& table);

// One record in its file form, field by field, little-endian.
void EncodeRecord(const CarRecord& car, std::uint8_t* out);
void DecodeRecord(const std::uint8_t* in, CarRecord& car);

}  // namespace modLoad
