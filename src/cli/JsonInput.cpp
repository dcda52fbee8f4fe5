#include "JsonInput.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>

#include <unistd.h>

namespace cli {

namespace {

bool inText(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 || byte == '\t' || byte == '\n' || byte == '\r';
}

}  // namespace

JsonInput ReadJsonText(const QString& path, qint64 limit)
{
    const QString name = path == QLatin1String("-") ? QStringLiteral("The standard input")
                                                    : u'"' + QDir::toNativeSeparators(path) + u'"';
    QFile file(path == QLatin1String("-") ? QString() : path);
    if (path == QLatin1String("-")) {
        if (!file.open(STDIN_FILENO, QIODevice::ReadOnly))
            return {{}, QStringLiteral("Cannot read the standard input: %1.").arg(file.errorString())};
    } else if (const modLoad::FileResult opened = modLoad::OpenForReading(file); !opened) {
        return {{}, opened.message};
    }
    const QString tooLong = QStringLiteral("%1 is longer than the JSON of any library can be (%2 bytes).")
                                .arg(name, QString::number(limit));
    // A file says its length; a pipe or a device is read up to one byte past the limit.
    if (!file.isSequential() && file.size() > limit)
        return {{}, tooLong};
    JsonInput input;
    if (!file.isSequential())
        input.text.reserve(file.size());
    std::array<char, 1 << 16> chunk;
    for (;;) {
        const qint64 got = file.read(chunk.data(), std::min<qint64>(chunk.size(), limit + 1 - input.text.size()));
        if (got < 0)
            return {{}, QStringLiteral("Cannot read %1: %2.").arg(name, file.errorString())};
        if (got == 0)
            return input;
        const char* const end = chunk.data() + got;
        if (const char* const odd = std::find_if_not<const char*>(chunk.data(), end, inText); odd != end)
            return {{}, QStringLiteral("%1 is not JSON text: byte %2 is 0x%3, a control character.")
                            .arg(name, QString::number(input.text.size() + (odd - chunk.data())),
                                 QStringLiteral("%1").arg(static_cast<unsigned char>(*odd), 2, 16, QLatin1Char('0')))};
        input.text.append(chunk.data(), got);
        if (input.text.size() > limit)
            return {{}, tooLong};
    }
}

}  // namespace cli
