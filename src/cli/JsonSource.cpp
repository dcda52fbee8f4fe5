#include "JsonSource.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstring>
#include <string_view>

#include <unistd.h>

namespace cli {

namespace {

bool inText(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 0x20) | (byte == '\t') | (byte == '\n') | (byte == '\r');
}

}  // namespace

JsonSource::JsonSource(const QString& path, qint64 limit)
    : name_(path == QLatin1String("-") ? QStringLiteral("The standard input")
                                       : u'"' + QDir::toNativeSeparators(path) + u'"'),
      limit_(limit)
{
    auto file = std::make_unique<QFile>(path == QLatin1String("-") ? QString() : path);
    if (path == QLatin1String("-")) {
        if (!file->open(STDIN_FILENO, QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            fault_ = QStringLiteral("Cannot read the standard input: %1.").arg(file->errorString());
            return;
        }
    } else if (const modLoad::FileResult opened = modLoad::OpenForReading(*file); !opened) {
        fault_ = opened.message;
        return;
    }
    // A file says its length; a pipe or a device is read up to one byte past the limit.
    if (!file->isSequential() && file->size() > limit_) {
        fault_ = QStringLiteral("%1 is longer than the JSON of any library can be (%2 bytes).")
                     .arg(name_, QString::number(limit_));
        return;
    }
    device_ = std::move(file);
    refill();
}

JsonSource::JsonSource(const QByteArray& text, qint64 limit)
    : name_(QStringLiteral("The text")), limit_(limit)
{
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(text);
    buffer->open(QIODevice::ReadOnly);
    device_ = std::move(buffer);
    refill();
}

void JsonSource::refill()
{
    consumed_ += end_ - buffer_.data();
    next_ = end_ = buffer_.data();
    if (!fault_.isEmpty() || !device_)
        return;
    qint64 got = 0;
    for (;;) {
        const qint64 step = device_->read(buffer_.data() + got, std::min<qint64>(static_cast<qint64>(buffer_.size()) - got,
                                                                                  limit_ + 1 - read_ - got));
        if (step < 0) {
            fault_ = QStringLiteral("Cannot read %1: %2.").arg(name_, device_->errorString());
            return;
        }
        got += step;
        // The first four bytes, where the text has them, tell its encoding; a pipe may bring fewer at a time.
        if (step == 0 || read_ > 0 || got >= 4)
            break;
    }
    if (read_ == 0 && !passEncodingMark(got))
        return;
    // Checked a whole buffer at once, which vectorises; found only when present.
    unsigned char bad = 0;
    for (qint64 i = 0; i < got; ++i)
        bad |= static_cast<unsigned char>(!inText(buffer_[static_cast<std::size_t>(i)]));
    const Ch* const stop =
        bad == 0 ? buffer_.data() + got : std::find_if_not<const Ch*>(buffer_.data(), buffer_.data() + got, inText);
    end_ = stop;
    if (stop != buffer_.data() + got) {
        fault_ = QStringLiteral("%1 is not JSON text: byte %2 is 0x%3, a control character.")
                     .arg(name_, QString::number(read_ + (stop - buffer_.data())),
                          QStringLiteral("%1").arg(static_cast<unsigned char>(*stop), 2, 16, QLatin1Char('0')));
    }
    read_ += got;
    if (read_ > limit_ && fault_.isEmpty()) {
        fault_ = QStringLiteral("%1 is longer than the JSON of any library can be (%2 bytes).")
                     .arg(name_, QString::number(limit_));
        end_ = buffer_.data();
    }
}

bool JsonSource::passEncodingMark(qint64 got)
{
    const auto starts = [&](std::string_view bytes) {
        return got >= std::ssize(bytes) && std::memcmp(buffer_.data(), bytes.data(), bytes.size()) == 0;
    };
    // By the marks; without one, by where the zeros of the first character fall, as RFC 4627 tells.
    const auto nul = [&](qint64 i) { return got > i && buffer_[static_cast<std::size_t>(i)] == 0; };
    const auto some = [&](qint64 i) { return got > i && buffer_[static_cast<std::size_t>(i)] != 0; };
    const char* const encoding =
        starts({"\0\0\xFE\xFF", 4}) || (nul(0) && nul(1) && nul(2) && some(3))    ? "UTF-32 big-endian"
        : starts({"\xFF\xFE\0\0", 4}) || (some(0) && nul(1) && nul(2) && nul(3)) ? "UTF-32 little-endian"
        : starts("\xFE\xFF") || (nul(0) && some(1))                             ? "UTF-16 big-endian"
        : starts("\xFF\xFE") || (some(0) && nul(1))                             ? "UTF-16 little-endian"
                                                                                : nullptr;
    if (encoding) {
        fault_ = QStringLiteral("%1 is in %2; JSON is read in UTF-8.").arg(name_, QLatin1String(encoding));
        return false;
    }
    // A UTF-8 mark, as some editors write one, is passed over; lines and columns count after it.
    if (starts("\xEF\xBB\xBF")) {
        next_ += 3;
        lineStart_ = previousLineStart_ = 3;
    }
    return true;
}

TextPlace JsonSource::PlaceOf(std::size_t offset) const
{
    if (offset >= lineStart_)
        return {line_, static_cast<qint64>(offset - lineStart_) + 1};
    if (offset >= previousLineStart_)
        return {line_ - 1, static_cast<qint64>(offset - previousLineStart_) + 1};
    return {line_, 1};
}

}  // namespace cli
