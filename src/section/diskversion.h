#pragma once

#include <QByteArray>
#include <QDateTime>
#include <optional>

class QFileDevice;
class QFileInfo;

// The section file as this program last saw it on disk: its size and
// modification time, and its bytes when the program read or wrote them.
struct DiskVersion
{
    qint64 size = 0;
    QDateTime modified;
    std::optional<QByteArray> bytes;

    // The size and modification time of an open file, taken from its open
    // handle, so that they belong to the bytes read from or written to it.
    static DiskVersion of(const QFileDevice &file);

    // Whether the file that `info` describes still has this size and
    // modification time.
    bool sameStamp(const QFileInfo &info) const;
};
