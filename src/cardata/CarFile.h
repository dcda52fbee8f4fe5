#pragma once

#include "CarRecord.h"
#include "TableAllocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>

#include <cstdint>
#include <vector>

namespace modLoad {

using CarTable = std::vector<CarRecord, TableAllocator<CarRecord>>;

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

// The module's texts for the user, through Qt's translation: the editor shows
// them in the user's language, velmar-car, which loads no translation, in English.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(modLoad)
};

// A failure whose text names the file in place of %1 and gives the details in
// place of %2 on. One pass, so a % in a file name is left alone.
template <typename... Details>
FileResult FileFault(const QString& text, const QString& fileName, const Details&... details)
{
    return FileResult::failure(text.arg(QDir::toNativeSeparators(fileName), details...));
}
// A text that has not been through Text::tr is refused when compiled.
template <typename... Details>
FileResult FileFault(const char* text, const QString& fileName, const Details&... details) = delete;

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
