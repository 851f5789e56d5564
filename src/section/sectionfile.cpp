#include "sectionfile.h"

#include "encoding.h"
#include "itemreader.h"
#include "valuerules.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>

namespace {

LoadResult unreadable(const QString &problem)
{
    LoadResult result;
    result.outcome = LoadResult::Outcome::Unreadable;
    result.table.Naree = 1;
    result.problem = problem;
    return result;
}

// The count line as a whole number, blanks around it ignored.
std::optional<int> parseCount(const QString &item)
{
    QStringView text(item);
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (!text.isEmpty() && blank(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && blank(text.back()))
        text.chop(1);
    const qsizetype digitsFrom = (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-')) ? 1 : 0;
    if (text.size() == digitsFrom)
        return std::nullopt;
    for (qsizetype i = digitsFrom; i < text.size(); ++i) {
        if (text.at(i) < u'0' || text.at(i) > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

QString sectionFilePath(const QString &folder)
{
    return QDir(folder).filePath(QLatin1String(kSectionFileName));
}

QString programFolder(const QString &executableFolder)
{
    // Taken apart as text only: nothing on disk is looked at.
    const QFileInfo macOS(executableFolder);
    const QFileInfo contents(macOS.path());
    const QFileInfo bundle(contents.path());
    const bool inBundle = macOS.fileName() == u"MacOS" && contents.fileName() == u"Contents"
                          && bundle.fileName().endsWith(u".app") && bundle.fileName() != u".app";
    return inBundle ? bundle.path() : executableFolder;
}

LoadResult parseSectionFile(const QByteArray &bytes)
{
    const QString text = fromWindows1252(bytes);
    ItemReader reader(text);
    LoadResult result;
    const QString endedEarly =
        QStringLiteral("il file termina prima di tutte le righe che il suo numero di aree richiede.");

    // Header lines are whole lines, commas included.
    for (int i = 1; i <= SectionTable::kHeaderLines; ++i) {
        std::optional<QString> line = reader.nextLine();
        if (!line)
            return unreadable(endedEarly);
        result.table.Intestazione[i] = *line;
    }

    // Past the header lines, a file that cannot be used still gives them.
    const auto unusable = [&result](const QString &problem) {
        LoadResult kept = unreadable(problem);
        kept.table.Intestazione = result.table.Intestazione;
        kept.headerKept = true;
        return kept;
    };
    const std::optional<QString> countItem = reader.next();
    if (!countItem)
        return unusable(endedEarly);
    const std::optional<int> count = parseCount(*countItem);
    if (!count || *count < -32768)
        return unusable(QStringLiteral("la riga 12 deve contenere il numero delle aree, ma contiene «%1».")
                            .arg(countItem->left(40)));
    if (*count > SectionTable::kMaxAreas)
        return unusable(QStringLiteral("il file indica %1 aree, ma una sezione ne ha al massimo %2.")
                            .arg(*count)
                            .arg(SectionTable::kMaxAreas));
    result.table.Naree = static_cast<qint16>(*count);

    const int areas = result.table.areaCount();
    for (int area = 1; area <= areas; ++area) {
        for (int column = 1; column <= SectionTable::kColumns; ++column) {
            std::optional<QString> item = reader.next();
            // An editor that trims a file's last empty lines leaves the last
            // area short of its empty values: they are read as empty.
            if (!item && (area < areas || column == 1))
                return unusable(endedEarly);
            result.table.Aree[area][column] = item.value_or(QString());
        }
    }
    reader.dropRest();
    result.dropped = reader.firstDropped();
    return result;
}

LoadResult LeggeFileSezione(const QString &folder)
{
    return loadSectionFile(sectionFilePath(folder));
}

LoadResult loadSectionFile(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        LoadResult result;
        result.outcome = LoadResult::Outcome::Missing;
        result.table.Naree = 1;
        return result;
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        LoadResult result = unreadable(QStringLiteral("non è possibile aprirlo in lettura."));
        // Its size and time still tell the next save whether it changed.
        const QFileInfo info(path);
        result.seen = DiskVersion{info.size(), info.lastModified(), std::nullopt};
        return result;
    }
    DiskVersion seen = DiskVersion::of(file);
    LoadResult result;
    if (file.size() > kMaxSectionFileBytes) {
        result = unreadable(QStringLiteral("è troppo grande per essere un file di sezione."));
    } else {
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            result = unreadable(QStringLiteral("la lettura si è interrotta."));
        } else {
            result = parseSectionFile(bytes);
            seen.bytes = bytes;
        }
    }
    result.seen = seen;
    return result;
}

std::optional<QString> backupSectionFile(const QString &folder)
{
    const QString source = sectionFilePath(folder);
    for (int n = 1; n < 1000; ++n) {
        const QString target = source + QStringLiteral(".bak") + (n == 1 ? QString() : QString::number(n));
        if (QFileInfo::exists(target))
            continue;
        if (QFile::copy(source, target))
            return target;
        return std::nullopt;
    }
    return std::nullopt;
}

EncodedSection encodeSectionFile(const SectionTable &table)
{
    if (table.Naree > SectionTable::kMaxAreas)
        return {{}, SaveError{QStringLiteral("La sezione ha %1 aree, ma ne può avere al massimo %2.")
                                  .arg(table.Naree)
                                  .arg(SectionTable::kMaxAreas)}};

    QByteArray bytes;
    bytes.reserve(64 * (SectionTable::kHeaderLines + 1 + SectionTable::kColumns * table.areaCount()));
    // Appends a value's line as the value rule forms it; why not, when the
    // file cannot hold the value.
    const auto add = [&bytes](const QString &value, auto append) -> std::optional<SaveError> {
        const ValueLine line = append(bytes, value);
        if (line.form == ValueLine::Form::Unwritable)
            return SaveError{line.problem};
        bytes += "\r\n";
        return std::nullopt;
    };

    for (int i = 1; i <= SectionTable::kHeaderLines; ++i) {
        if (std::optional<SaveError> error = add(table.Intestazione[i], appendHeaderLine))
            return {{}, error};
    }
    if (table.Naree >= 0)
        bytes += ' ';
    bytes += QByteArray::number(table.Naree);
    bytes += " \r\n";
    for (int area = 1; area <= table.areaCount(); ++area) {
        for (int column = 1; column <= SectionTable::kColumns; ++column) {
            if (std::optional<SaveError> error = add(table.Aree[area][column], appendValueLine))
                return {{}, error};
        }
    }
    if (bytes.size() > kMaxSectionFileBytes)
        return {{}, SaveError{QStringLiteral("La sezione occuperebbe più dei %1 MiB che un file di sezione può "
                                             "avere: i valori sono troppo lunghi.")
                                  .arg(kMaxSectionFileBytes >> 20)}};
    return {bytes, std::nullopt};
}

namespace {

// How long a replacement that another program's open handle refuses is
// tried again.
constexpr int kReplaceRetryMs = 1000;
constexpr int kReplaceRetryPauseMs = 50;

// The system's own words for a failure, after the program's.
QString systemSays(const QFileDevice &file)
{
    return QStringLiteral(" (il sistema risponde: «%1»)").arg(file.errorString());
}

struct Attempt
{
    WriteResult result;
    bool replaceRefused = false; // only the final rename failed: worth another try
};

Attempt failed(const std::optional<SaveError> &error)
{
    Attempt attempt;
    attempt.result.error = error;
    return attempt;
}

Attempt failed(const QString &message)
{
    return failed(SaveError{message});
}

Attempt written(const QFileDevice &file, const QByteArray &bytes)
{
    Attempt done;
    done.result.written = DiskVersion::of(file);
    done.result.written.bytes = bytes;
    return done;
}

// Writes the bytes into an open file and flushes them; false on any failure.
// A short write goes on with the rest, so that the error is the system's
// answer for the bytes it refuses.
bool writeAll(QFileDevice &file, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return file.flush() && file.error() == QFileDevice::NoError;
}

// The write in place, for a folder where the temporary file cannot be
// created but the section file may be changed: not atomic. The file's
// bytes are read first, to put it back should the write be cut.
Attempt writeInPlace(const QByteArray &bytes, const QString &path, const BeforeReplace &beforeReplace)
{
    if (beforeReplace) {
        if (std::optional<SaveError> error = beforeReplace())
            return failed(error);
    }
    QFile old(path);
    const bool read = old.open(QIODevice::ReadOnly);
    const QByteArray previous = read ? old.readAll() : QByteArray();
    if (!read || old.error() != QFileDevice::NoError)
        return failed(QStringLiteral("Non è possibile leggere il file prima di riscriverlo%1.").arg(systemSays(old)));
    old.close();

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(QStringLiteral("Non è possibile scrivere il file%1.").arg(systemSays(file)));
    QString cut = writeAll(file, bytes) ? QString() : systemSays(file);
    Attempt done;
    if (cut.isEmpty()) {
        done = written(file, bytes); // from the open handle, before the close
        file.close(); // a network share may refuse the bytes only now
        if (file.error() != QFileDevice::NoError)
            cut = systemSays(file);
    }
    if (cut.isEmpty())
        return done;
    Attempt incomplete = failed(QStringLiteral("La scrittura del file si è interrotta%1. La cartella non permette di "
                                               "creare file, quindi il file è stato scritto direttamente e ora può "
                                               "essere incompleto: va salvato di nuovo.")
                                    .arg(cut));
    const QFileInfo left(path);
    incomplete.result.written = DiskVersion{left.size(), left.lastModified(), std::nullopt};
    incomplete.result.leftIncomplete = true;
    incomplete.result.previousBytes = previous;
    return incomplete;
}

// Why the temporary file beside the section file could not be made.
QString cannotCreate(const QSaveFile &file, const QString &path, const QString &folder)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("Il percorso del file è occupato da una cartella con lo stesso nome.");
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("La cartella %1 non esiste.").arg(QDir::toNativeSeparators(folder));
    if (info.exists() && !info.isWritable()) {
        // The system's own refusal, rather than the temporary file's words.
        QFile existing(path);
        return QStringLiteral("Il file è di sola lettura%1.")
            .arg(existing.open(QIODevice::ReadWrite) ? systemSays(file) : systemSays(existing));
    }
    return QStringLiteral("Non è possibile creare il file nella cartella %1%2.")
        .arg(QDir::toNativeSeparators(folder), systemSays(file));
}

// One write of the whole file through a temporary file beside it. On any
// failure the temporary file is gone and the section file keeps its bytes.
Attempt writeOnce(const QByteArray &bytes, const QString &path, const BeforeReplace &beforeReplace,
                  InPlace inPlace)
{
    const QString folder = QFileInfo(path).path();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        const QFileInfo info(path);
        if (inPlace == InPlace::Allowed && info.isFile() && info.isWritable() && QFileInfo(folder).isDir())
            return writeInPlace(bytes, path, beforeReplace);
        return failed(cannotCreate(file, path, folder));
    }

    // QSaveFile::commit() can report success after a failed write, so every
    // step is checked and a failed write is cancelled before the commit.
    const auto cancel = [&file](const std::optional<SaveError> &error) {
        file.cancelWriting();
        file.commit();
        return failed(error);
    };
    if (!writeAll(file, bytes))
        return cancel(SaveError{QStringLiteral("La scrittura del file si è interrotta (disco pieno o limite di "
                                               "dimensione dei file raggiunto).")});
    Attempt done = written(file, bytes);
    if (beforeReplace) {
        if (std::optional<SaveError> error = beforeReplace())
            return cancel(error);
    }
    // A failed rename removes the temporary file.
    if (!file.commit()) {
        Attempt refused = failed(QStringLiteral("Non è possibile sostituire il file: è protetto o in uso."));
        refused.replaceRefused = true;
        return refused;
    }
    return done;
}

// On Windows a file cannot be replaced while another program reads it
// (a virus scanner, the program that computes from it, a sync client).
// Such reads are brief: the whole write is tried again for a second.
WriteResult writeRetrying(const QByteArray &bytes, const QString &path, const BeforeReplace &beforeReplace,
                          InPlace inPlace = InPlace::Allowed)
{
    const QDeadlineTimer deadline(kReplaceRetryMs);
    for (;;) {
        const Attempt attempt = writeOnce(bytes, path, beforeReplace, inPlace);
        if (!attempt.replaceRefused || deadline.hasExpired())
            return attempt.result;
        QThread::msleep(kReplaceRetryPauseMs);
    }
}

} // namespace

WriteResult writeSectionFile(const SectionTable &table, const QString &folder, const BeforeReplace &beforeReplace)
{
    const EncodedSection encoded = encodeSectionFile(table);
    if (encoded.error)
        return failed(encoded.error).result;
    return writeRetrying(encoded.bytes, sectionFilePath(folder), beforeReplace);
}

WriteResult writeFileBytes(const QByteArray &bytes, const QString &path, InPlace inPlace)
{
    return writeRetrying(bytes, path, {}, inPlace);
}
