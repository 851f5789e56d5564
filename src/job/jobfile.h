#pragma once

#include "job.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>

// The job's file (.profilara): a UTF-8 JSON object, indented, that other
// programs can read. Besides "formato" and "versione" it holds "lavoro",
// "L", "P", "D" (metres), "DN" (millimetres, or null), "spessore" (metres),
// "profondita" (null, or "da", "a" and "passo" as typed), "tratti" and
// "voci". A stretch is a list of texts as typed: name, length, P at the
// start, P at the end, D, DN, section file, and for an imported one its
// nodes and levels (StretchOrigin's order); an item is a list of six texts
// (PriceItem's order). The same job always gives the same bytes.

inline constexpr const char *kJobSuffix = "profilara";
inline constexpr int kJobVersion = 1;

// The file's bytes for a job. A number that is not finite is written null,
// which the reading refuses: writeJob does not write it.
QByteArray jobBytes(const Job &job);

// The job in a file's bytes, or why they are not one, in Italian.
std::variant<Job, QString> jobFromBytes(const QByteArray &bytes);

// Writes the file whole or not at all; why not, in Italian, or nothing.
std::optional<QString> writeJob(const QString &path, const Job &job);

// Reads the file; the job, or why it cannot be opened, in Italian.
std::variant<Job, QString> readJob(const QString &path);

// A stretch's section file as the job's file keeps it, given the path as
// the user gave it (relative ones to the job's folder): relative to the
// folder, with '/', when it lies under it; else absolute, with '/'. A '\'
// is taken for a separator. Empty stays empty.
QString storedSectionPath(const QString &path, const QString &jobFolder);

// The absolute path, with '/', of a section file as the job's file keeps
// it; a '\' typed on Windows is taken for a separator. Empty stays empty.
QString resolvedSectionPath(const QString &stored, const QString &jobFolder);
