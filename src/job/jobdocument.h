#pragma once

#include "job.h"

#include <QString>
#include <variant>

// The job's file as the drawing window works on it: where it is, and what
// it holds, so that the window knows whether it has changes the file does
// not hold. A job never saved holds what the window started with: a window
// only looked at has nothing to save.
class JobDocument
{
public:
    explicit JobDocument(const Job &start = {}) : m_held(start) {}

    // The file's path; empty for a job never saved.
    const QString &path() const { return m_path; }
    // Its name, "via Roma.profilara"; empty for a job never saved.
    QString fileName() const;
    // The folder against which a stretch's section is read: the file's, or
    // `unsaved` for a job never saved.
    QString folder(const QString &unsaved) const;
    // Whether the file (or the start) holds the job as it stands.
    bool holds(const Job &job) const { return job == m_held; }

    // Writes the job to path, each stretch's section kept relative to the
    // new folder where it lies under it (read until now against
    // folder(unsaved)). The job as written, or why not, in Italian.
    std::variant<Job, QString> saveAs(const QString &path, const Job &job, const QString &unsaved);
    // The job as the window holds what it was given by open() or saveAs():
    // boxes that round a number hold it so.
    void heldAs(const Job &job) { m_held = job; }
    // Reads a job; the job, or why not. Nothing changes when it is refused.
    std::variant<Job, QString> open(const QString &path);

private:
    QString m_path;
    Job m_held;
};
