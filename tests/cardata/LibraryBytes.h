#pragma once

// Building and inspecting library files byte by byte, independent of the
// reader and writer under test.

#include "modLoad.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <random>

namespace testing_bytes {

inline void putInt32(QByteArray& bytes, qsizetype at, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(v >> (8 * i));
}

inline QByteArray randomBytes(qsizetype size, std::uint32_t seed)
{
    std::mt19937 random(seed);
    QByteArray bytes(size, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random());
    return bytes;
}

// A library file: header with the given record size and count, then the records.
inline QByteArray library(const QByteArray& records, std::int32_t count, std::int32_t recordSize = 1344)
{
    QByteArray bytes(8, '\0');
    putInt32(bytes, 0, recordSize);
    putInt32(bytes, 4, count);
    return bytes + records;
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(path));
}

inline QByteArray encoded(const modLoad::CarTable& table)
{
    QByteArray bytes(table.size() * modLoad::RecordSize, '\0');
    for (std::size_t k = 0; k < table.size(); ++k)
        modLoad::EncodeRecord(table[k], reinterpret_cast<std::uint8_t*>(bytes.data()) + k * modLoad::RecordSize);
    return bytes;
}

inline modLoad::CarTable decoded(const QByteArray& records)
{
    modLoad::CarTable table(records.size() / modLoad::RecordSize);
    for (std::size_t k = 0; k < table.size(); ++k)
        modLoad::DecodeRecord(reinterpret_cast<const std::uint8_t*>(records.constData()) + k * modLoad::RecordSize,
                              table[k]);
    return table;
}

inline QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

}  // namespace testing_bytes
