#pragma once

// What the fuzz targets share: a scratch folder in memory, the input written
// as a file, a record of odd bytes, and a check that stops on a fault.

#include "modLoad.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz target: %s\n", what);
        std::abort();
    }
}

inline QString scratchFile(const char* name)
{
    static QTemporaryDir dir(QFile::exists("/dev/shm") ? QStringLiteral("/dev/shm/velmar-fuzz-XXXXXX")
                                                       : QDir::tempPath() + "/velmar-fuzz-XXXXXX");
    return dir.filePath(QString::fromLatin1(name));
}

inline void writeInput(const QString& path, const std::uint8_t* data, std::size_t size)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Unbuffered), "cannot write the input file");
    require(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) == qint64(size),
            "cannot write the input file");
}

inline QByteArray bytesOf(const modLoad::CarTable& table)
{
    QByteArray bytes(static_cast<qsizetype>(table.size()) * modLoad::RecordSize, Qt::Uninitialized);
    for (std::size_t k = 0; k < table.size(); ++k)
        modLoad::EncodeRecord(table[k], reinterpret_cast<std::uint8_t*>(bytes.data()) + k * modLoad::RecordSize);
    return bytes;
}

// Cars of odd bytes that a refused operation must leave in place.
inline modLoad::CarTable oddCars(std::size_t count)
{
    QByteArray bytes(static_cast<qsizetype>(count) * modLoad::RecordSize, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 131 + 7);
    modLoad::CarTable table(count);
    for (std::size_t k = 0; k < count; ++k)
        modLoad::DecodeRecord(reinterpret_cast<const std::uint8_t*>(bytes.constData()) + k * modLoad::RecordSize,
                              table[k]);
    return table;
}

}  // namespace fuzz
