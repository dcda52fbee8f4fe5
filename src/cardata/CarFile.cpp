#include "CarFile.h"

#include "SaveFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

namespace modLoad {

namespace {

// Swaps between little-endian and host order; nothing to do on most hosts.
constexpr std::uint32_t little(std::uint32_t v)
{
    if constexpr (std::endian::native == std::endian::big)
        return __builtin_bswap32(v);
    return v;
}

class RecordWriter {
public:
    explicit RecordWriter(std::uint8_t* out) : p_(out) {}

    template <std::size_t N>
    void text(const std::array<char, N>& t)
    {
        std::memcpy(p_, t.data(), N);
        p_ += N;
    }
    void byte(std::uint8_t v) { *p_++ = v; }
    void bits(std::uint32_t v)
    {
        WriteLittle32(v, p_);
        p_ += 4;
    }
    void single(const float& v) { bits(std::bit_cast<std::uint32_t>(v)); }

private:
    std::uint8_t* p_;
};

class RecordReader {
public:
    explicit RecordReader(const std::uint8_t* in) : p_(in) {}

    template <std::size_t N>
    void text(std::array<char, N>& t)
    {
        std::memcpy(t.data(), p_, N);
        p_ += N;
    }
    void byte(std::uint8_t& v) { v = *p_++; }
    void bits(std::uint32_t& v)
    {
        v = ReadLittle32(p_);
        p_ += 4;
    }
    void single(float& v)
    {
        std::uint32_t b;
        bits(b);
        v = std::bit_cast<float>(b);
    }

private:
    const std::uint8_t* p_;
};

template <typename V, typename Io>
void walkVector(V& v, Io& io)
{
    io.single(v.X);
    io.single(v.Y);
    io.single(v.Z);
}

template <typename V, typename Io>
void walkRaw(V& v, Io& io)
{
    io.bits(v.X);
    io.bits(v.Y);
    io.bits(v.Z);
}

template <typename P, typename Io>
void walkPoly(P& p, Io& io)
{
    io.byte(p.A);
    io.byte(p.B);
    io.byte(p.C);
}

// The one walk over the seventeen fields, shared by reader and writer so the
// two can never disagree on order or width.
template <typename Car, typename Io>
void walkRecord(Car& car, Io& io)
{
    io.text(car.Name);
    io.text(car.Text3);
    walkRaw(car.ExtraVector, io);
    for (auto& p : car.Parameters)
        io.single(p);
    io.byte(car.VertexCount);
    io.byte(car.ExtraByte1);
    io.byte(car.PolyPointCount);
    io.byte(car.ExtraByte2);
    io.byte(car.HeadHidden);
    for (auto& p : car.Polys)
        walkPoly(p, io);
    for (auto& c : car.PolyColour)
        io.byte(c);
    for (auto& p : car.ExtraPolys)
        walkPoly(p, io);
    io.byte(car.ExtraByte3);
    for (auto& v : car.Vertices)
        walkVector(v, io);
    for (auto& v : car.Normals)
        walkVector(v, io);
    for (auto& v : car.ExtraVectors)
        walkRaw(v, io);
    for (auto& v : car.SpherePos)
        walkVector(v, io);
}

FileResult notALibraryFolder(const QString& fileName)
{
    return FileFault("\"%1\" is a folder, not a car library.", fileName);
}

// Records pass through a small buffer of whole records that stays in cache.
constexpr qint64 RecordsPerChunk = 64;

// Encodes and writes a chunk at a time, so the whole file never sits in memory.
bool writeTable(QIODevice& out, const CarTable& table)
{
    std::uint8_t header[HeaderSize];
    RecordWriter fields(header);
    fields.bits(static_cast<std::uint32_t>(RecordSize));
    fields.bits(static_cast<std::uint32_t>(table.size()));
    if (!WriteAll(out, reinterpret_cast<const char*>(header), HeaderSize))
        return false;
    std::vector<std::uint8_t> chunk(static_cast<std::size_t>(RecordsPerChunk * RecordSize));
    for (std::size_t first = 0; first < table.size(); first += RecordsPerChunk) {
        const std::size_t count = std::min<std::size_t>(RecordsPerChunk, table.size() - first);
        for (std::size_t k = 0; k < count; ++k)
            EncodeRecord(table[first + k], chunk.data() + k * RecordSize);
        if (!WriteAll(out, reinterpret_cast<const char*>(chunk.data()), static_cast<qint64>(count) * RecordSize))
            return false;
    }
    return true;
}

}  // namespace

std::uint32_t ReadLittle32(const std::uint8_t* in)
{
    std::uint32_t v;
    std::memcpy(&v, in, 4);
    return little(v);
}

void WriteLittle32(std::uint32_t value, std::uint8_t* out)
{
    value = little(value);
    std::memcpy(out, &value, 4);
}

void EncodeRecord(const CarRecord& car, std::uint8_t* out)
{
    RecordWriter writer(out);
    walkRecord(car, writer);
}

void DecodeRecord(const std::uint8_t* in, CarRecord& car)
{
    RecordReader reader(in);
    walkRecord(car, reader);
}

FileResult LoadCars(const QString& fileName, CarTable& table)
{
    if (QFileInfo(fileName).isDir())
        return notALibraryFolder(fileName);
    QFile file(fileName);
    if (const FileResult opened = OpenForReading(file); !opened)
        return opened;

    std::uint8_t header[HeaderSize];
    const qint64 got = file.read(reinterpret_cast<char*>(header), HeaderSize);
    if (got < 0)
        return FileFault("Cannot read \"%1\": %2.", fileName, file.errorString());
    if (got < HeaderSize)
        return FileFault("\"%1\" is not a car library: it is shorter than its 8-byte header.", fileName);

    // The first value, the record size, is not trusted: records are always 1344 bytes.
    const auto count = static_cast<std::int32_t>(ReadLittle32(header + 4));
    if (count <= 0 || count > MaxCars)
        return FileFault("\"%1\" is not a usable car library: it declares %2 cars, and a library holds 1 to %3.",
                      fileName, QString::number(count), QString::number(MaxCars));

    CarTable fresh;
    try {
        // A tiny file may claim 32767 cars: room for no more than it can hold.
        const qint64 fits = (file.size() - HeaderSize) / RecordSize;
        fresh.reserve(static_cast<std::size_t>(std::clamp<qint64>(fits, 0, count)));
        std::vector<std::uint8_t> chunk(static_cast<std::size_t>(RecordsPerChunk * RecordSize));
        while (fresh.size() < static_cast<std::size_t>(count)) {
            const qint64 wanted = std::min<qint64>(RecordsPerChunk, count - static_cast<qint64>(fresh.size()));
            const qint64 bytes = file.read(reinterpret_cast<char*>(chunk.data()), wanted * RecordSize);
            if (bytes < 0)
                return FileFault("Cannot read \"%1\": %2.", fileName, file.errorString());
            const qint64 whole = bytes / RecordSize;
            for (qint64 k = 0; k < whole; ++k)
                DecodeRecord(chunk.data() + k * RecordSize, fresh.emplace_back());
            if (whole < wanted)
                return FileFault("\"%1\" is damaged: it declares %2 but holds only %3.", fileName,
                                 count == 1 ? QStringLiteral("1 car") : QStringLiteral("%1 cars").arg(count),
                                 fresh.size() == 1 ? QStringLiteral("1 whole record")
                                                   : QStringLiteral("%1 whole records").arg(fresh.size()));
        }
    } catch (const std::bad_alloc&) {
        return FileFault("There is not enough memory to load \"%1\".", fileName);
    }
    table.swap(fresh);
    return {};
}

FileResult SaveCars(const QString& fileName, const CarTable& table)
{
    if (table.empty())
        return FileFault("There are no cars to save to \"%1\".", fileName);
    if (table.size() > static_cast<std::size_t>(MaxCars))
        return FileFault("Cannot save \"%1\": a library holds at most %2 cars.", fileName, QString::number(MaxCars));

    if (QFileInfo(fileName).isDir())
        return notALibraryFolder(fileName);
    return SaveFile(fileName, HeaderSize + static_cast<qint64>(table.size()) * RecordSize,
                    [&](QIODevice& out) { return writeTable(out, table); });
}

}  // namespace modLoad
