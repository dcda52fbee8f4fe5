#pragma once

#include "CarRecord.h"
#include "FileResult.h"
#include "TableAllocator.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace modLoad {

using CarTable = std::vector<CarRecord, TableAllocator<CarRecord>>;

constexpr std::int32_t RecordSize = 1344;
constexpr std::int32_t HeaderSize = 8;
constexpr std::int32_t MaxCars = 32767;

// Reads a whole library. On failure the table is left exactly as it was.
FileResult LoadCars(const QString& fileName, CarTable& table);

// Writes the whole table. On failure the old file is left as it was.
FileResult SaveCars(const QString& fileName, const CarTable& table);

// A 4-byte value as the file holds every one: little-endian.
std::uint32_t ReadLittle32(const std::uint8_t* in);
void WriteLittle32(std::uint32_t value, std::uint8_t* out);

// One record in its file form. Where the host holds a record in memory
// exactly as it is stored, the bytes are copied whole; else field by field.
void EncodeRecord(const CarRecord& car, std::uint8_t* out);
void DecodeRecord(const std::uint8_t* in, CarRecord& car);

// Always field by field, little-endian: the path of big-endian hosts.
void EncodeRecordFieldwise(const CarRecord& car, std::uint8_t* out);
void DecodeRecordFieldwise(const std::uint8_t* in, CarRecord& car);

}  // namespace modLoad
