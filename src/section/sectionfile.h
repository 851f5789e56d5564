#pragma once

#include "diskversion.h"
#include "itemreader.h"
#include "sectiontable.h"

#include <QString>
#include <functional>
#include <optional>

// Load and save of the section file ComputoPersonalizzato.txt: Windows-1252
// text, CR LF line ends, eleven header lines, the count line and six lines
// per area. Both take the folder that holds the file, which for the program
// is its own folder (programFolder).

inline constexpr const char *kSectionFileName = "ComputoPersonalizzato.txt";

// A section file has at most 612 lines; the load takes nothing larger than
// this as one, and the save never writes a file it would refuse.
inline constexpr qint64 kMaxSectionFileBytes = 16 * 1024 * 1024;

QString sectionFilePath(const QString &folder);

// The program's folder, given the folder of its executable: that folder,
// or, when it is the MacOS folder of an application bundle
// (X.app/Contents/MacOS), the folder that holds X.app, so that the section
// file stays out of the bundle, which is signed and may run read-only.
QString programFolder(const QString &executableFolder);

struct LoadResult
{
    enum class Outcome {
        Loaded,     // the table holds the file's section
        Missing,    // no ordinary file at the path: one empty area
        Unreadable, // the file is there but cannot be used: one empty area
    };
    Outcome outcome = Outcome::Loaded;
    SectionTable table;
    QString problem; // for Unreadable: what is wrong, in Italian
    // For Unreadable: the eleven header lines were read, and the table holds
    // them (with one empty area).
    bool headerKept = false;
    // For Loaded: the first text of the file that the table does not hold,
    // so that rewriting the file would lose it (text after a closing quote,
    // items and lines after the last area).
    std::optional<ItemReader::Dropped> dropped;
    // The file as the load found it: its size and time, and its bytes when
    // they were read; nothing when there was no file.
    std::optional<DiskVersion> seen;
};

// Reads the section file. Never throws; an unusable file is reported in the
// result and left untouched on disk.
LoadResult LeggeFileSezione(const QString &folder);
// The same for a section file at any path (a copy kept by the user).
LoadResult loadSectionFile(const QString &path);

// Parses the bytes of a section file; used by the load and the fuzz target.
LoadResult parseSectionFile(const QByteArray &bytes);

// Keeps a copy of an unreadable section file beside it, under the first free
// name of ComputoPersonalizzato.txt.bak, .bak2, .bak3, ... Returns the copy's
// path, or nothing when no copy could be made.
std::optional<QString> backupSectionFile(const QString &folder);

struct SaveError
{
    QString message; // in Italian, ready for the user
};

// The file's exact bytes for a table, each value's line formed by the value
// rule (valuerules.h); fails on a value the file cannot hold, a count
// above the table's limit, or a file larger than the load takes.
struct EncodedSection
{
    QByteArray bytes;
    std::optional<SaveError> error;
};
EncodedSection encodeSectionFile(const SectionTable &table);

// Runs when the new bytes are in the temporary file, right before it
// replaces the section file (or, when the file is written in place, before
// its old bytes are overwritten); an error cancels the write.
using BeforeReplace = std::function<std::optional<SaveError>()>;

// The error of a failed write says why; whether the file on disk changed
// is leftIncomplete.
struct WriteResult
{
    std::optional<SaveError> error;
    DiskVersion written; // without an error: the file as written, with its bytes
    // A write in place failed part-way: the file on disk is no longer what
    // it was, and `written` is the file as it was left (without bytes).
    bool leftIncomplete = false;
    // leftIncomplete: the bytes the file held before the write, which can
    // put it back as it was.
    std::optional<QByteArray> previousBytes;
};

// The atomic write: rewrites the whole file through a temporary file, so
// that on any failure the file on disk keeps its previous bytes and the
// error says why. While another program's open handle keeps the file from
// being replaced, the write is tried again for about a second (and
// beforeReplace runs again each time). In a folder where no file can be
// created but the section file may be changed, the file is written in place
// instead, which is not atomic: a write that fails part-way (its end, the
// close, included) leaves it incomplete, and the error says so.
[[nodiscard]] WriteResult writeSectionFile(const SectionTable &table, const QString &folder,
                                           const BeforeReplace &beforeReplace = {});

// The same write of exact bytes to a file at any path, with no check
// before it: for putting back what a cut write in place replaced, and (only
// through a temporary file, never in place) for a copy of the section kept
// by the user.
enum class InPlace { Allowed, Refused };
[[nodiscard]] WriteResult writeFileBytes(const QByteArray &bytes, const QString &path,
                                         InPlace inPlace = InPlace::Allowed);
