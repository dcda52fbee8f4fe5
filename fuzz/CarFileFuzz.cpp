// Feeds arbitrary bytes to LoadCars as a file. A refused file must leave the
// table alone; an accepted one must save back as the same bytes, except that
// the record size becomes 1344.
#include "FuzzSupport.h"

#include <cstring>

using namespace modLoad;
using fuzz::bytesOf;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString in = fuzz::scratchFile("in.car");
    static const QString out = fuzz::scratchFile("out.car");
    static const CarTable original = fuzz::oddCars(2);
    static const QByteArray originalBytes = bytesOf(original);
    fuzz::writeInput(in, data, size);

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
