#include "diskversion.h"

#include <QFileDevice>
#include <QFileInfo>

DiskVersion DiskVersion::of(const QFileDevice &file)
{
    DiskVersion version;
    version.size = file.size(); // flushes and asks the open handle afresh
    version.modified = file.fileTime(QFileDevice::FileModificationTime);
    return version;
}

bool DiskVersion::sameStamp(const QFileInfo &info) const
{
    return info.size() == size && info.lastModified() == modified;
}
