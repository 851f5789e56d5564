#include "ownfiles.h"

#include "sectionfile.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
constexpr Qt::CaseSensitivity kNames = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kNames = Qt::CaseSensitive;
#endif

} // namespace

bool isSectionOwnFile(const QString &folder, const QString &path)
{
    QFileInfo target(path);
    // A file that exists is taken where its links lead.
    if (const QString canonical = target.canonicalFilePath(); !canonical.isEmpty())
        target = QFileInfo(canonical);
    QString name = target.fileName();
#ifdef Q_OS_WIN
    // Windows drops dots and blanks at the end of a name.
    while (name.endsWith(u'.') || name.endsWith(u' '))
        name.chop(1);
#endif
    const QString targetFolder = QFileInfo(target.absolutePath()).canonicalFilePath();
    const QString sectionFolder = QFileInfo(folder).canonicalFilePath();
    if (targetFolder.isEmpty() || targetFolder.compare(sectionFolder, kNames) != 0)
        return false;
    const QRegularExpression own(QStringLiteral("^%1(\\.lock|\\.bak[0-9]*)?$")
                                     .arg(QRegularExpression::escape(QString::fromLatin1(kSectionFileName))),
                                 kNames == Qt::CaseInsensitive ? QRegularExpression::CaseInsensitiveOption
                                                               : QRegularExpression::NoPatternOption);
    return own.match(name).hasMatch();
}

QString ownFileRefusal()
{
    return QStringLiteral("Questo file appartiene alla sezione in uso: scegliere un altro nome.");
}
