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

// Reads and writes fields in their stored form, a byte at a time, so the same
// code is right on any host and can run at compile time.
class RecordWriter {
public:
    constexpr explicit RecordWriter(std::uint8_t* out) : p_(out) {}

    template <std::size_t N>
    constexpr void text(const std::array<char, N>& t)
    {
        for (const char c : t)
            *p_++ = static_cast<std::uint8_t>(c);
    }
    constexpr void field(std::uint8_t v) { *p_++ = v; }
    constexpr void field(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            *p_++ = static_cast<std::uint8_t>(v >> (8 * i));
    }
    constexpr void field(const float& v) { field(std::bit_cast<std::uint32_t>(v)); }

private:
    std::uint8_t* p_;
};

class RecordReader {
public:
    constexpr explicit RecordReader(const std::uint8_t* in) : p_(in) {}

    template <std::size_t N>
    constexpr void text(std::array<char, N>& t)
    {
        for (char& c : t)
            c = static_cast<char>(*p_++);
    }
    constexpr void field(std::uint8_t& v) { v = *p_++; }
    constexpr void field(std::uint32_t& v)
    {
        v = 0;
        for (int i = 0; i < 4; ++i)
            v |= std::uint32_t{*p_++} << (8 * i);
    }
    constexpr void field(float& v)
    {
        std::uint32_t b = 0;
        field(b);
        v = std::bit_cast<float>(b);
    }

private:
    const std::uint8_t* p_;
};

// A point, a raw vector or a triangle: three fields of one type, in order.
template <typename Triple, typename Io>
constexpr void walkTriple(Triple& t, Io& io)
{
    auto& [a, b, c] = t;
    io.field(a);
    io.field(b);
    io.field(c);
}

// The one definition of the record layout: the walk over the seventeen
// fields, shared by reader and writer so the two can never disagree on order
// or width.
template <typename Car, typename Io>
constexpr void walkRecord(Car& car, Io& io)
{
    io.text(car.Name);
    io.text(car.Text3);
    walkTriple(car.ExtraVector, io);
    for (auto& p : car.Parameters)
        io.field(p);
    io.field(car.VertexCount);
    io.field(car.ExtraByte1);
    io.field(car.PolyPointCount);
    io.field(car.ExtraByte2);
    io.field(car.HeadHidden);
    for (auto& p : car.Polys)
        walkTriple(p, io);
    for (auto& c : car.PolyColour)
        io.field(c);
    for (auto& p : car.ExtraPolys)
        walkTriple(p, io);
    io.field(car.ExtraByte3);
    for (auto& v : car.Vertices)
        walkTriple(v, io);
    for (auto& v : car.Normals)
        walkTriple(v, io);
    for (auto& v : car.ExtraVectors)
        walkTriple(v, io);
    for (auto& v : car.SpherePos)
        walkTriple(v, io);
}

using RecordBytes = std::array<std::uint8_t, RecordSize>;

// Whether a record in memory is byte for byte its stored form: the walk
// decodes a pattern with no two neighbouring bytes alike, and the record's
// memory must be that pattern again. A reordered or resized field, padding or
// a big-endian host each break it. Small byte values keep every float of the
// pattern an ordinary number.
template <typename Car>
constexpr bool storedAsInMemory()
{
    if constexpr (sizeof(Car) != RecordSize) {
        return false;
    } else {
        RecordBytes pattern{};
        for (std::size_t i = 0; i < pattern.size(); ++i)
            pattern[i] = static_cast<std::uint8_t>(1 + (i * 29 + i / 61) % 61);
        Car car{};
        RecordReader reader(pattern.data());
        walkRecord(car, reader);
        return std::bit_cast<RecordBytes>(car) == pattern;
    }
}

constexpr bool BulkRecords = storedAsInMemory<CarRecord>();
// On a little-endian host the record must keep the stored layout, so that
// whole records and tables are copied in bulk; a change that breaks it stops
// the build instead of silently taking the slow path.
static_assert(std::endian::native != std::endian::little || BulkRecords,
              "CarRecord no longer lies in memory as it is stored");

FileResult notALibraryFolder(const QString& fileName)
{
    return FileFault(Text::tr("\"%1\" is a folder, not a car library."), fileName);
}

// Where records must be encoded one by one, they pass through a small
// buffer of whole records that stays in cache.
constexpr qint64 RecordsPerChunk = 64;

bool writeTable(QIODevice& out, const CarTable& table)
{
    std::uint8_t header[HeaderSize];
    RecordWriter fields(header);
    fields.field(static_cast<std::uint32_t>(RecordSize));
    fields.field(static_cast<std::uint32_t>(table.size()));
    if (!WriteAll(out, reinterpret_cast<const char*>(header), HeaderSize))
        return false;
    if constexpr (BulkRecords)
        return WriteAll(out, reinterpret_cast<const char*>(table.data()), static_cast<qint64>(table.size()) * RecordSize);
    std::vector<std::uint8_t> chunk(static_cast<std::size_t>(RecordsPerChunk * RecordSize));
    for (std::size_t first = 0; first < table.size(); first += RecordsPerChunk) {
        const std::size_t count = std::min<std::size_t>(RecordsPerChunk, table.size() - first);
        for (std::size_t k = 0; k < count; ++k)
            EncodeRecordFieldwise(table[first + k], chunk.data() + k * RecordSize);
        if (!WriteAll(out, reinterpret_cast<const char*>(chunk.data()), static_cast<qint64>(count) * RecordSize))
            return false;
    }
    return true;
}

// Reads until size bytes are in or the input ends; -1 on a read error.
qint64 readFully(QIODevice& in, char* data, qint64 size)
{
    qint64 got = 0;
    while (got < size) {
        const qint64 n = in.read(data + got, size - got);
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        got += n;
    }
    return got;
}

// Reads up to count records into place; the number of whole records read, or
// -1 on a read error.
qint64 readRecords(QIODevice& in, CarRecord* into, qint64 count)
{
    if constexpr (BulkRecords) {
        const qint64 got = readFully(in, reinterpret_cast<char*>(into), count * RecordSize);
        return got < 0 ? -1 : got / RecordSize;
    }
    std::vector<std::uint8_t> chunk(static_cast<std::size_t>(RecordsPerChunk * RecordSize));
    qint64 done = 0;
    while (done < count) {
        const qint64 wanted = std::min(RecordsPerChunk, count - done);
        const qint64 got = readFully(in, reinterpret_cast<char*>(chunk.data()), wanted * RecordSize);
        if (got < 0)
            return -1;
        for (qint64 k = 0; k < got / RecordSize; ++k)
            DecodeRecordFieldwise(chunk.data() + k * RecordSize, into[done + k]);
        done += got / RecordSize;
        if (got < wanted * RecordSize)
            break;
    }
    return done;
}

}  // namespace

std::uint32_t ReadLittle32(const std::uint8_t* in)
{
    std::uint32_t v = 0;
    RecordReader(in).field(v);
    return v;
}

void WriteLittle32(std::uint32_t value, std::uint8_t* out)
{
    RecordWriter(out).field(value);
}

void EncodeRecordFieldwise(const CarRecord& car, std::uint8_t* out)
{
    RecordWriter writer(out);
    walkRecord(car, writer);
}

void DecodeRecordFieldwise(const std::uint8_t* in, CarRecord& car)
{
    RecordReader reader(in);
    walkRecord(car, reader);
}

void EncodeRecord(const CarRecord& car, std::uint8_t* out)
{
    if constexpr (BulkRecords)
        std::memcpy(out, &car, RecordSize);
    else
        EncodeRecordFieldwise(car, out);
}

void DecodeRecord(const std::uint8_t* in, CarRecord& car)
{
    if constexpr (BulkRecords)
        std::memcpy(&car, in, RecordSize);
    else
        DecodeRecordFieldwise(in, car);
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
        return FileFault(Text::tr("Cannot read \"%1\": %2."), fileName, file.errorString());
    if (got < HeaderSize)
        return FileFault(Text::tr("\"%1\" is not a car library: it is shorter than its 8-byte header."),
                         fileName);

    // The first value, the record size, is not trusted: records are always 1344 bytes.
    const auto count = static_cast<std::int32_t>(ReadLittle32(header + 4));
    if (count <= 0 || count > MaxCars)
        return FileFault(
            Text::tr("\"%1\" is not a usable car library: it declares %2 cars, and a library holds 1 to %3."),
            fileName, QString::number(count), QString::number(MaxCars));

    CarTable fresh;
    try {
        // Room for what the file can hold: a tiny file may claim 32767 cars,
        // and a pipe tells no size, so the table grows as records arrive.
        const qint64 fits = (file.size() - HeaderSize) / RecordSize;
        qint64 read = 0;
        while (read < count) {
            const qint64 room = std::min<qint64>(count, read == 0 ? std::max(fits, RecordsPerChunk) : 2 * read);
            // Every byte of the new entries is read in below, so they are not zeroed first.
            fresh.reserve(static_cast<std::size_t>(room));
            while (fresh.size() < static_cast<std::size_t>(room))
                fresh.emplace_back(ForOverwrite{});
            const qint64 got = readRecords(file, fresh.data() + read, room - read);
            if (got < 0)
                return FileFault(Text::tr("Cannot read \"%1\": %2."), fileName, file.errorString());
            read += got;
            if (read < room)
                return FileFault(Text::tr("\"%1\" is damaged: it declares %2 but holds only %3."), fileName,
                                 count == 1 ? Text::tr("1 car") : Text::tr("%1 cars").arg(count),
                                 read == 1 ? Text::tr("1 whole record") : Text::tr("%1 whole records").arg(read));
        }
    } catch (const std::bad_alloc&) {
        return FileFault(Text::tr("There is not enough memory to load \"%1\"."), fileName);
    }
    table.swap(fresh);
    return {};
}

FileResult SaveCars(const QString& fileName, const CarTable& table)
{
    if (table.empty())
        return FileFault(Text::tr("There are no cars to save to \"%1\"."), fileName);
    if (table.size() > static_cast<std::size_t>(MaxCars))
        return FileFault(Text::tr("Cannot save \"%1\": a library holds at most %2 cars."), fileName,
                         QString::number(MaxCars));

    if (QFileInfo(fileName).isDir())
        return notALibraryFolder(fileName);
    return SaveFile(fileName, HeaderSize + static_cast<qint64>(table.size()) * RecordSize,
                    [&](QIODevice& out) { return writeTable(out, table); });
}

}  // namespace modLoad
