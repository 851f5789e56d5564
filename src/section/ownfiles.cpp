#include "ownfiles.h"

#include "sectionfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {

#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
constexpr Qt::CaseSensitivity kNames = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kNames = Qt::CaseSensitive;
#endif

// Links followed at most: a loop of links leads nowhere.
constexpr int kMostLinks = 40;

bool isOwnName(const QString &name, Qt::CaseSensitivity letters)
{
    const QRegularExpression own(QStringLiteral("^%1(\\.lock|\\.bak[0-9]*)?$")
                                     .arg(QRegularExpression::escape(QString::fromLatin1(kSectionFileName))),
                                 letters == Qt::CaseInsensitive ? QRegularExpression::CaseInsensitiveOption
                                                                : QRegularExpression::NoPatternOption);
    return own.match(name).hasMatch();
}

// The file a path leads to through its links, even a link to a file that
// is not there yet: writing through it creates that file.
QFileInfo resolved(const QString &path)
{
    QFileInfo file(path);
    for (int hop = 0; hop < kMostLinks; ++hop) {
        if (const QString canonical = file.canonicalFilePath(); !canonical.isEmpty())
            return QFileInfo(canonical);
        if (!file.isSymbolicLink())
            break;
        // A relative target is read from the folder that really holds the link.
        if (const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath(); !folder.isEmpty())
            file = QFileInfo(QDir(folder).filePath(file.fileName()));
        file = QFileInfo(file.symLinkTarget());
    }
    return file;
}

#ifndef Q_OS_WIN

// A file as the system knows it, however it is named.
struct Identity
{
    dev_t device;
    ino_t inode;
    bool operator==(const Identity &) const = default;
};

std::optional<Identity> identityOf(const QString &path)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return Identity{status.st_dev, status.st_ino};
}

bool sameFile(const QString &a, const QString &b)
{
    const std::optional<Identity> identity = identityOf(a);
    return identity && identity == identityOf(b);
}

// Whether the folder's file system ignores letter case (FAT, exFAT, a
// Windows share): a name there, spelt in other letters, leads to the same
// file. Probed with the section file, its lock, or the folder itself.
bool ignoresCase(const QString &folder)
{
    const QFileInfo self(QFileInfo(folder).canonicalFilePath());
    const QString section = QString::fromLatin1(kSectionFileName);
    const QList<std::pair<QDir, QString>> probes{{QDir(folder), section},
                                                  {QDir(folder), section + QStringLiteral(".lock")},
                                                  {self.dir(), self.fileName()}};
    for (const auto &[dir, name] : probes) {
        QString other = name.toUpper();
        if (other == name)
            other = name.toLower();
        if (other == name || !QFileInfo::exists(dir.filePath(name)))
            continue;
        return sameFile(dir.filePath(name), dir.filePath(other));
    }
    return false;
}

#endif

} // namespace

bool isSectionOwnFile(const QString &folder, const QString &path)
{
    const QFileInfo target = resolved(path);
#ifdef Q_OS_WIN
    // Windows drops dots and blanks at the end of a name, and compares
    // names and canonical paths without case.
    QString name = target.fileName();
    while (name.endsWith(u'.') || name.endsWith(u' '))
        name.chop(1);
    const QString targetFolder = QFileInfo(target.absolutePath()).canonicalFilePath();
    const QString sectionFolder = QFileInfo(folder).canonicalFilePath();
    return !targetFolder.isEmpty() && targetFolder.compare(sectionFolder, kNames) == 0 && isOwnName(name, kNames);
#else
    // A file that exists is one of them when it is the same file as one,
    // whatever its name.
    if (target.exists()) {
        const std::optional<Identity> identity = identityOf(target.filePath());
        const QDir sectionFolder(folder);
        const QStringList names = sectionFolder.entryList({QString::fromLatin1(kSectionFileName) + u'*'},
                                                          QDir::Files | QDir::Hidden | QDir::System);
        return identity && std::any_of(names.begin(), names.end(), [&](const QString &name) {
                   return isOwnName(name, kNames) && identityOf(sectionFolder.filePath(name)) == identity;
               });
    }
    // One not there yet, by its name in the section's folder.
    if (!sameFile(target.absolutePath(), folder))
        return false;
    const bool anyCase = kNames == Qt::CaseInsensitive || ignoresCase(folder);
    return isOwnName(target.fileName(), anyCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
#endif
}

QString ownFileRefusal()
{
    return QStringLiteral("Questo file appartiene alla sezione in uso: scegliere un altro nome.");
}
