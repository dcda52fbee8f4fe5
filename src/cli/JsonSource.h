#pragma once

#include "modLoad.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <array>
#include <cstddef>
#include <memory>

namespace cli {

// The largest JSON text that can describe a library: twice the largest that
// dump writes for a car, 8 KiB, for each of the most cars a library holds,
// which leaves room for any other layout of the same values.
constexpr qint64 MaxJsonBytes = qint64{modLoad::MaxCars} * 2 * 8192;

// Where a byte of the text lies, both counted from 1.
struct TextPlace {
    qint64 line = 1;
    qint64 column = 1;
};

// JSON text read as a stream, a buffer at a time, in the form the JSON
// reader takes: UTF-8, after a byte-order mark if it has one; text in UTF-16
// or UTF-32 is refused, named. It ends early, with a fault, past limit bytes
// or at the first byte no JSON text holds (a control character other than
// tab, line feed and carriage return), so that a binary file or a device is
// refused at once and nothing is read without end. It counts the lines as the reader passes over
// blanks, the only place a line can end in JSON, and keeps where the last
// token after blanks began, as a key is.
class JsonSource {
public:
    using Ch = char;

    // The file, or the standard input for "-".
    explicit JsonSource(const QString& path, qint64 limit = MaxJsonBytes);
    // Text already in memory.
    explicit JsonSource(const QByteArray& text, qint64 limit = MaxJsonBytes);

    // Why the input cannot be read as JSON text, or empty.
    const QString& Fault() const { return fault_; }

    // Where the byte at offset lies; offset is at most one line behind Tell.
    TextPlace PlaceOf(std::size_t offset) const;
    TextPlace LastTokenStart() const { return PlaceOf(tokenStart_); }

    Ch Peek() const { return next_ != end_ ? *next_ : '\0'; }
    Ch Take()
    {
        if (next_ == end_)
            return '\0';
        const Ch c = *next_++;
        if (next_ == end_)
            refill();
        return c;
    }
    std::size_t Tell() const { return static_cast<std::size_t>(consumed_ + (next_ - buffer_.data())); }

    // Passes over spaces, tabs and line ends straight in the buffer: a dump
    // is a third indentation.
    void SkipBlanks()
    {
        for (;;) {
            while (next_ != end_ && (*next_ == ' ' || *next_ == '\t' || *next_ == '\r'))
                ++next_;
            if (next_ == end_) {
                refill();
                if (next_ == end_)
                    return;
            } else if (*next_ == '\n') {
                Take();
                ++line_;
                previousLineStart_ = lineStart_;
                lineStart_ = Tell();
            } else {
                tokenStart_ = Tell();
                return;
            }
        }
    }

    // Not used by a reader, which never writes.
    Ch* PutBegin() { return nullptr; }
    void Put(Ch) {}
    void Flush() {}
    std::size_t PutEnd(Ch*) { return 0; }

private:
    void refill();
    // Refuses a text in UTF-16 or UTF-32 with a fault that names it, and
    // passes over a UTF-8 byte-order mark; got bytes begin the buffer.
    bool passEncodingMark(qint64 got);
    std::unique_ptr<QIODevice> device_;
    QString name_;
    qint64 limit_;
    QString fault_;
    std::array<Ch, 1 << 16> buffer_;
    const Ch* next_ = buffer_.data();
    const Ch* end_ = buffer_.data();
    // Bytes handed out before the buffer's first one.
    qint64 consumed_ = 0;
    qint64 read_ = 0;
    qint64 line_ = 1;
    std::size_t lineStart_ = 0;
    std::size_t previousLineStart_ = 0;
    std::size_t tokenStart_ = 0;
};

// The JSON reader passes over blanks through this, found by argument lookup.
inline void SkipWhitespace(JsonSource& source)
{
    source.SkipBlanks();
}

}  // namespace cli
