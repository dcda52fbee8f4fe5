#include "CarRecord.h"

#include <algorithm>
#include <type_traits>

namespace modLoad {

void CopyCar(const CarRecord& source, CarRecord& destination)
{
    // A trivially copyable record is assigned as bytes, so every float keeps
    // its exact bit pattern (a signalling NaN included).
    static_assert(std::is_trivially_copyable_v<CarRecord>);
    destination = source;
}

QString NameAsShown(const CarName& name)
{
    const auto end = std::find(name.begin(), name.end(), '\0');
    return QString::fromLatin1(name.data(), end - name.begin());
}

CarName StoredName(const QString& text)
{
    CarName name;
    name.fill(' ');
    const QByteArray bytes = text.toLatin1();
    const auto length = std::min<qsizetype>(bytes.size(), NameLength);
    for (qsizetype i = 0; i < length; ++i)
        name[i] = bytes[i];
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
