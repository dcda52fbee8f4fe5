#pragma once

#include "FileResult.h"

#include <QFile>
#include <QStringDecoder>

#include <memory>
#include <optional>
#include <string_view>

namespace modOBJ {

// Hands out the lines of an OBJ file one at a time through a buffer that grows
// only for a long line, so that reading takes the same memory whatever the
// file's size, and a small one little.
// A leading UTF-8 byte-order mark is skipped; after a UTF-16 one (either byte
// order) the text is decoded to UTF-8, and a file that looks like UTF-16
// without one is refused. Lines end at LF, CR LF or a lone CR. A line longer than MaxLineLength is handed out up
// to its "#", which starts a comment, and refused when it has none there.
class ObjLines {
public:
    explicit ObjLines(const QString& fileName);

    // Refuses what is not a regular file before opening it, and a file larger than MaxFileSize.
    modLoad::FileResult open();

    // The next line; false after the last one, or on a failure that result() then holds.
    bool next(std::string_view& line);
    // The number of the last line handed out, counted from 1.
    qint64 number() const { return number_; }
    const modLoad::FileResult& result() const { return result_; }

private:
    bool take(std::string_view& line, const char* begin, const char* end);
    void read();

    const QString fileName_;
    QFile file_;
    std::optional<QStringDecoder> decoder_;
    // The first half of a pair of surrogates, until the read that brings the second.
    QString held_;
    // Left uninitialised: every byte handed out is read in first.
    std::unique_ptr<char[]> buffer_;
    std::size_t size_ = 0;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    // No LF lies between begin_ and this.
    std::size_t lfFrom_ = 0;
    bool atEnd_ = false;
    bool finished_ = false;
    // Passing over the rest of a long line after its "#".
    bool skipping_ = false;
    qint64 number_ = 0;
    modLoad::FileResult result_;
};

}  // namespace modOBJ
