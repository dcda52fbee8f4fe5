#pragma once

// Writing a body to a device: what the file writer and the steps of a save share.

#include <QIODevice>

#include <functional>

namespace modLoad {

// Writes the body to its device; false as soon as a write fails.
using WriteBody = std::function<bool(QIODevice&)>;

// Writes all of data unless the device fails; a short write is tried again
// for the rest, so a full disk shows as the device's own error.
inline bool WriteAll(QIODevice& out, const char* data, qint64 size)
{
    while (size > 0) {
        const qint64 written = out.write(data, size);
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

}  // namespace modLoad
