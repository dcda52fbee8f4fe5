#include "CarRecord.h"

#include <algorithm>
#include <iterator>
#include <type_traits>

namespace modLoad {

void CopyCar(const CarRecord& source, CarRecord& destination)
{
    // A trivially copyable record is assigned as bytes, so every float keeps
    // its exact bit pattern (a signalling NaN included).
    static_assert(std::is_trivially_copyable_v<CarRecord>);
    destination = source;
}

namespace {

// Bytes 0x80 to 0x9F in Windows-1252; the rest of the code page is Latin-1.
constexpr char16_t HighBytes[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QChar character(char byte)
{
    const auto code = static_cast<unsigned char>(byte);
    return QChar(code >= 0x80 && code < 0xA0 ? HighBytes[code - 0x80] : char16_t{code});
}

}  // namespace

QString NameAsShown(const CarName& name)
{
    QString text;
    for (auto c = name.begin(); c != name.end() && *c != '\0'; ++c)
        text += character(*c);
    return text;
}

QString NameInList(const CarName& name)
{
    const QString text = NameAsShown(name);
    if (text.isEmpty())
        return QStringLiteral("\\x00");
    if (text.count(u' ') == text.size())
        return QString(text.size(), QChar(0x2423));
    QString shown;
    for (const QChar c : text) {
        if (IsControl(c.unicode()))
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

QString NameToEdit(const CarName& name)
{
    QString text = NameAsShown(name);
    // A character a byte, up to the NUL.
    const bool hasNul = text.size() < NameLength;
    while (text.startsWith(QLatin1Char(' ')))
        text.remove(0, 1);
    while (!hasNul && text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

std::optional<QByteArray> NameBytes(const QString& text, QString* refused)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80 || (c >= 0xA0 && c < 0x100)) {
            bytes += static_cast<char>(c);
        } else if (const auto* high = std::find(std::begin(HighBytes), std::end(HighBytes), c);
                   high != std::end(HighBytes)) {
            bytes += static_cast<char>(0x80 + (high - HighBytes));
        } else {
            if (refused)
                *refused = text.mid(i, text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1);
            return std::nullopt;
        }
    }
    return bytes;
}

CarName StoredName(QByteArrayView bytes)
{
    CarName name;
    name.fill(' ');
    const auto length = std::min<qsizetype>(bytes.size(), NameLength);
    std::copy_n(bytes.data(), length, name.begin());
    if (length < NameLength)
        name[length] = '\0';
    return name;
}

QString TrimSpaces(const QString& text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first] == QLatin1Char(' '))
        ++first;
    while (end > first && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(first, end - first);
}

}  // namespace modLoad
