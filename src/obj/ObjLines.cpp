#include "ObjLines.h"

#include "SaveFile.h"
#include "modOBJ.h"

#include <algorithm>
#include <cstring>

namespace modOBJ {

namespace {

using modLoad::FileFault;
using modLoad::FileResult;

// Room past the longest line, so that a read always has some.
constexpr std::size_t ReadRoom = 64 * 1024;
constexpr std::size_t BufferSize = MaxLineLength + ReadRoom;

}  // namespace

ObjLines::ObjLines(const QString& fileName) : fileName_(fileName), file_(fileName) {}

FileResult ObjLines::open()
{
    // A pipe or a device could block the open or never end.
    result_ = modLoad::CheckRegularFile(fileName_);
    if (!result_)
        return result_;
    if (!file_.open(QIODevice::ReadOnly))
        return result_ = FileFault(modLoad::Text::tr("Cannot open \"%1\": %2."), fileName_, file_.errorString());
    if (file_.size() > MaxFileSize)
        return result_ = FileFault(
                   Text::tr("\"%1\" is too large for a model: it has %2 bytes, and the editor reads at most %3."),
                   fileName_, QString::number(file_.size()), QString::number(MaxFileSize));
    char mark[3];
    const qint64 marked = file_.peek(mark, sizeof mark);
    // A UTF-16 decoder drops the mark itself.
    if (marked == 3 && std::memcmp(mark, "\xEF\xBB\xBF", 3) == 0)
        file_.skip(3);
    else if (marked >= 2 && std::memcmp(mark, "\xFF\xFE", 2) == 0)
        decoder_.emplace(QStringConverter::Utf16LE);
    else if (marked >= 2 && std::memcmp(mark, "\xFE\xFF", 2) == 0)
        decoder_.emplace(QStringConverter::Utf16BE);
    buffer_.reset(new char[BufferSize]);
    return result_;
}

bool ObjLines::next(std::string_view& line)
{
    while (result_) {
        char* const data = buffer_.get();
        const char* const from = data + begin_;
        const std::size_t length = end_ - begin_;
        if (const auto* const lf = static_cast<const char*>(std::memchr(from, '\n', length))) {
            begin_ = static_cast<std::size_t>(lf + 1 - data);
            if (skipping_) {
                skipping_ = false;
                continue;
            }
            return take(line, from, lf != from && lf[-1] == '\r' ? lf - 1 : lf);
        }
        if (atEnd_) {
            // The text after the last line end is the last line.
            if (finished_ || skipping_)
                return false;
            finished_ = true;
            begin_ = end_;
            return take(line, from, from + length);
        }
        if (skipping_)
            begin_ = end_;
        std::memmove(data, data + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
        if (end_ > MaxLineLength) {
            // The rest of the line, after its "#", is passed over unread.
            begin_ = end_;
            skipping_ = true;
            return take(line, data, data + end_);
        }
        read();
    }
    return false;
}

bool ObjLines::take(std::string_view& line, const char* begin, const char* end)
{
    ++number_;
    line = {begin, static_cast<std::size_t>(end - begin)};
    if (line.size() <= MaxLineLength)
        return true;
    if (const auto* const hash = static_cast<const char*>(std::memchr(begin, '#', MaxLineLength + 1))) {
        line = {begin, static_cast<std::size_t>(hash - begin)};
        return true;
    }
    result_ = FileFault(Text::tr("Line %2 of \"%1\" holds more than %3 bytes before its end or a \"#\", far more "
                                 "than a line of a model."),
                        fileName_, QString::number(number_), QString::number(MaxLineLength));
    return false;
}

void ObjLines::read()
{
    char* const to = buffer_.get() + end_;
    const qint64 room = static_cast<qint64>(BufferSize - end_);
    qint64 got = 0;
    if (!decoder_) {
        got = file_.read(to, room);
    } else {
        // Two bytes of UTF-16 make at most three of UTF-8, and a surrogate
        // held over from the last read at most one more.
        QByteArray raw(std::min<qint64>((room - 4) / 3 * 2, ReadRoom), Qt::Uninitialized);
        got = file_.read(raw.data(), raw.size());
        if (got > 0) {
            const QByteArray text = QString((*decoder_)(QByteArrayView(raw.constData(), got))).toUtf8();
            std::memcpy(to, text.constData(), static_cast<std::size_t>(text.size()));
            end_ += static_cast<std::size_t>(text.size());
            return;
        }
    }
    if (got < 0)
        result_ = FileFault(modLoad::Text::tr("Cannot read \"%1\": %2."), fileName_, file_.errorString());
    else
        end_ += static_cast<std::size_t>(got);
    atEnd_ = got <= 0;
}

}  // namespace modOBJ
