// Feeds arbitrary bytes to LoadCars as a file. A refused file must leave the
// table alone; an accepted one must save back as the same bytes, except that
// the record size becomes 1344.
#include "modLoad.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace modLoad;

namespace {

QByteArray bytesOf(const CarTable& table)
{
    QByteArray bytes(static_cast<qsizetype>(table.size()) * RecordSize, Qt::Uninitialized);
    for (std::size_t k = 0; k < table.size(); ++k)
        EncodeRecord(table[k], reinterpret_cast<std::uint8_t*>(bytes.data()) + k * RecordSize);
    return bytes;
}

// Two cars of odd bytes that a refused load must leave in place.
CarTable before()
{
    QByteArray bytes(2 * RecordSize, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 131 + 7);
    CarTable table(2);
    for (std::size_t k = 0; k < table.size(); ++k)
        DecodeRecord(reinterpret_cast<const std::uint8_t*>(bytes.constData()) + k * RecordSize, table[k]);
    return table;
}

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "carfile_fuzz: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir(QFile::exists("/dev/shm") ? QStringLiteral("/dev/shm/velmar-fuzz-XXXXXX")
                                                       : QDir::tempPath() + "/velmar-fuzz-XXXXXX");
    static const QString in = dir.filePath("in.car");
    static const QString out = dir.filePath("out.car");
    static const CarTable original = before();
    static const QByteArray originalBytes = bytesOf(original);

    {
        QFile file(in);
        require(file.open(QIODevice::WriteOnly), "cannot write the input file");
        require(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) == qint64(size),
                "cannot write the input file");
    }

    CarTable table = original;
    const FileResult loaded = LoadCars(in, table);
    if (!loaded) {
        require(!loaded.message.isEmpty(), "refused without a message");
        require(bytesOf(table) == originalBytes, "a refused load changed the table");
        return 0;
    }

    const std::size_t length = HeaderSize + table.size() * RecordSize;
    require(size >= length, "accepted a file shorter than its cars");
    require(SaveCars(out, table).ok, "cannot save what was loaded");
    QFile saved(out);
    require(saved.open(QIODevice::ReadOnly), "cannot read the saved file");
    QByteArray expected(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
    const char recordSize[4] = {0x40, 0x05, 0x00, 0x00};
    std::memcpy(expected.data(), recordSize, 4);
    require(saved.readAll() == expected, "the saved file differs from the loaded one");
    return 0;
}
