#include "ObjLines.h"

#include "SaveFile.h"
#include "modOBJ.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace modOBJ {

namespace {

using modLoad::FileFault;
using modLoad::FileResult;

// Room past the longest line, so that a read always has some. The buffer
// starts at the file's size, at most the room of one read, and grows only
// for a long line: most models are small and have short lines.
constexpr std::size_t ReadRoom = 64 * 1024;
constexpr qint64 SmallestRoom = 256;
constexpr std::size_t BufferSize = MaxLineLength + ReadRoom;

// The byte order when the first line, as far as head holds it, has a zero in
// every other byte and none in the others, as UTF-16 without its mark; else null.
const char* unmarkedUtf16(const char* head, qint64 size)
{
    for (const int zero : {1, 0}) {
        qint64 units = 0;
        for (qint64 i = 0; i + 1 < size; i += 2) {
            const char unit = head[i + 1 - zero];
            if (head[i + zero] != 0 || unit == 0) {
                units = 0;
                break;
            }
            ++units;
            if (unit == '\n')
                break;
        }
        if (units > 0)
            return zero == 1 ? QT_TRANSLATE_NOOP("modOBJ", "little-endian") : QT_TRANSLATE_NOOP("modOBJ", "big-endian");
    }
    return nullptr;
}

}  // namespace

ObjLines::ObjLines(const QString& fileName) : fileName_(fileName), file_(fileName) {}

FileResult ObjLines::open()
{
    // A pipe or a device could block the open or never end.
    result_ = modLoad::CheckRegularFile(fileName_);
    if (!result_)
        return result_;
    // Read straight into the buffer below, not through one of QFile's own.
    if (!file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return result_ = FileFault(modLoad::Text::tr("Cannot open \"%1\": %2."), fileName_, file_.errorString());
    if (file_.size() > MaxFileSize)
        return result_ = FileFault(
                   Text::tr("\"%1\" is too large for a model: it has %2 bytes, and the editor reads at most %3."),
                   fileName_, QString::number(file_.size()), QString::number(MaxFileSize));
    char head[256];
    const qint64 peeked = file_.peek(head, sizeof head);
    // A UTF-16 decoder drops the mark itself.
    if (peeked >= 3 && std::memcmp(head, "\xEF\xBB\xBF", 3) == 0)
        file_.skip(3);
    else if (peeked >= 2 && std::memcmp(head, "\xFF\xFE", 2) == 0)
        decoder_.emplace(QStringConverter::Utf16LE);
    else if (peeked >= 2 && std::memcmp(head, "\xFE\xFF", 2) == 0)
        decoder_.emplace(QStringConverter::Utf16BE);
    else if (const char* const order = unmarkedUtf16(head, peeked))
        return result_ = FileFault(Text::tr("\"%1\" looks like UTF-16 text (%2) without a byte-order mark, which the "
                                            "editor cannot tell from other text. Save it as UTF-8, or as UTF-16 with a "
                                            "byte-order mark."),
                                   fileName_, Text::tr(order));
    // A model of a few hundred bytes takes a buffer of its size.
    size_ = static_cast<std::size_t>(std::clamp<qint64>(file_.size() + 1, SmallestRoom, ReadRoom));
    buffer_.reset(new char[size_]);
    return result_;
}

bool ObjLines::next(std::string_view& line)
{
    while (result_) {
        char* const data = buffer_.get();
        const char* const from = data + begin_;
        const std::size_t length = end_ - begin_;
        // A line ends at LF, CR LF or a lone CR; a CR at the buffer's end waits for what follows it.
        // The search for LF goes on from where the last one stopped, so a file of lone CRs reads in one pass.
        lfFrom_ = std::max(lfFrom_, begin_);
        const auto* const lf = static_cast<const char*>(std::memchr(data + lfFrom_, '\n', end_ - lfFrom_));
        lfFrom_ = lf ? static_cast<std::size_t>(lf - data) : end_;
        const auto* const cr = static_cast<const char*>(std::memchr(from, '\r', lf ? lf - from : length));
        if (const char* const stop = cr ? cr : lf; stop && (stop + 1 != data + end_ || *stop == '\n' || atEnd_)) {
            begin_ = static_cast<std::size_t>(stop + (stop == cr && stop + 1 == lf ? 2 : 1) - data);
            if (skipping_) {
                skipping_ = false;
                continue;
            }
            return take(line, from, stop);
        }
        if (atEnd_) {
            // The text after the last line end is the last line.
            if (finished_ || skipping_)
                return false;
            finished_ = true;
            begin_ = end_;
            return take(line, from, from + length);
        }
        // What is left of a line passed over goes, but for a CR that may begin its end.
        if (skipping_)
            begin_ = end_ - (length > 0 && data[end_ - 1] == '\r' ? 1 : 0);
        std::memmove(data, data + begin_, end_ - begin_);
        end_ -= begin_;
        lfFrom_ = end_;
        begin_ = 0;
        if (end_ > MaxLineLength) {
            // The rest of the line, after its "#", is passed over unread.
            begin_ = end_ - (data[end_ - 1] == '\r' ? 1 : 0);
            skipping_ = true;
            return take(line, data, data + begin_);
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
    // The part of a line held fills over half the buffer: twice the room, up
    // to the longest line and a read more.
    if (end_ > size_ / 2 && size_ < BufferSize) {
        size_ = std::min(2 * size_, BufferSize);
        std::unique_ptr<char[]> larger(new char[size_]);
        std::memcpy(larger.get(), buffer_.get(), end_);
        buffer_ = std::move(larger);
    }
    char* const to = buffer_.get() + end_;
    const qint64 room = static_cast<qint64>(size_ - end_);
    qint64 got = 0;
    if (!decoder_) {
        got = file_.read(to, room);
        end_ += static_cast<std::size_t>(std::max<qint64>(got, 0));
    } else {
        // Two bytes of UTF-16 make at most three of UTF-8, and a surrogate
        // held over from the last read at most one more.
        QByteArray raw(std::min<qint64>((room - 4) / 3 * 2, ReadRoom), Qt::Uninitialized);
        got = file_.read(raw.data(), raw.size());
        QString text = std::exchange(held_, QString());
        if (got > 0) {
            text += (*decoder_)(QByteArrayView(raw.constData(), got));
            // A pair of surrogates that the read splits waits for its second half.
            if (!text.isEmpty() && text.back().isHighSurrogate()) {
                held_ = text.back();
                text.chop(1);
            }
        }
        const QByteArray bytes = text.toUtf8();
        std::memcpy(to, bytes.constData(), static_cast<std::size_t>(bytes.size()));
        end_ += static_cast<std::size_t>(bytes.size());
        // A half pair left at the end goes out first; the next read ends the file.
        if (got == 0 && !bytes.isEmpty())
            return;
    }
    if (got < 0)
        result_ = FileFault(modLoad::Text::tr("Cannot read \"%1\": %2."), fileName_, file_.errorString());
    atEnd_ = got <= 0;
}

}  // namespace modOBJ
