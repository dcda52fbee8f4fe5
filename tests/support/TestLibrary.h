#pragma once

// Test libraries built in code, and library files inspected byte by byte
// independently of the reader and writer under test.

#include "QtPrinters.h"
#include "modLoad.h"

#include <QFile>

#include <algorithm>
#include <random>

namespace testlib {

// Cars named "<prefix> 0", "<prefix> 1", ... whose bytes differ in every field
// from car to car and from seed to seed; parameters are plain numbers.
inline modLoad::CarTable MakeCars(int count, int seed = 0, const QString& prefix = QStringLiteral("Car"))
{
    modLoad::CarTable cars(static_cast<std::size_t>(count));
    std::uint8_t bytes[modLoad::RecordSize];
    for (int car = 0; car < count; ++car) {
        for (int i = 0; i < modLoad::RecordSize; ++i)
            bytes[i] = static_cast<std::uint8_t>((car + seed) * 37 + i * 11 + (i >> 8));
        modLoad::DecodeRecord(bytes, cars[car]);
        for (int i = 0; i < modLoad::ParameterCount; ++i)
            cars[car].Parameters[i] = static_cast<float>(car + seed) + 0.25f * static_cast<float>(i);
        cars[car].Name = modLoad::StoredName(QStringLiteral("%1 %2").arg(prefix).arg(car).toLatin1());
    }
    return cars;
}

inline QByteArray Encoded(const modLoad::CarTable& cars)
{
    QByteArray bytes(modLoad::RecordSize * std::ssize(cars), '\0');
    for (std::size_t i = 0; i < cars.size(); ++i)
        modLoad::EncodeRecord(cars[i], reinterpret_cast<std::uint8_t*>(bytes.data()) + i * modLoad::RecordSize);
    return bytes;
}

inline QByteArray Encoded(const modLoad::CarRecord& car) { return Encoded(modLoad::CarTable{car}); }

// A library file: the header with the given count and record size, then the records.
inline QByteArray LibraryFile(const QByteArray& records, std::int32_t count, std::int32_t recordSize = 1344)
{
    QByteArray bytes(modLoad::HeaderSize, '\0');
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<char>(static_cast<std::uint32_t>(i < 4 ? recordSize : count) >> (8 * (i % 4)));
    return bytes + records;
}

inline QByteArray LibraryFile(const modLoad::CarTable& cars) { return LibraryFile(Encoded(cars), std::int32_t(cars.size())); }

inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the bytes, or the cars as a library file; returns the path.
inline QString WriteFile(const QString& path, const QByteArray& bytes)
{
    if (QFile file(path); !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(path));
    return path;
}

inline QString WriteFile(const QString& path, const modLoad::CarTable& cars) { return WriteFile(path, LibraryFile(cars)); }

// A committed sample copied into folder, so that a test gone wrong cannot overwrite the original.
inline QString Sample(const QString& folder, const char* name)
{
    return WriteFile(folder + '/' + name, ReadFile(QStringLiteral(VELMAR_SOURCE_DIR "/samples/") + name));
}

// A name exactly as its 13 bytes lie in the file.
inline modLoad::CarName RawName(const char (&bytes)[modLoad::NameLength + 1])
{
    modLoad::CarName name;
    std::copy_n(bytes, modLoad::NameLength, name.begin());
    return name;
}

// Bytes with no pattern, the same for the same seed: every field of a record
// made from them holds odd values, NaNs included.
inline QByteArray RandomBytes(qsizetype size, std::uint32_t seed)
{
    std::mt19937 random(seed);
    QByteArray bytes(size, '\0');
    std::generate(bytes.begin(), bytes.end(), [&random] { return static_cast<char>(random()); });
    return bytes;
}

}  // namespace testlib
