#pragma once

#include "job/jobdocument.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

enum class SectionFileChoice;

// The drawing window's commands on its job's file: "Apri lavoro...",
// "Salva lavoro" and "Salva lavoro con nome...", the question asked before
// changes the file does not hold would be lost (at the program's close, or
// before another job is opened), and the window's title, which names the
// file and marks such changes with " *". The window gives the job as it
// stands, takes the one opened or written, and tells what happened.
class JobCommands : public QObject
{
    Q_OBJECT

public:
    // A question with buttons of these texts; the index of the one chosen.
    using Question = std::function<int(const QString &title, const QString &text, const QStringList &buttons)>;
    // The file chosen in a dialog of this kind, offering a path; nothing when cancelled.
    using Chooser = std::function<std::optional<QString>(SectionFileChoice choice, const QString &offered)>;

    struct Window
    {
        std::function<Job()> current;
        std::function<void(const Job &job)> apply;
        std::function<void(const QString &text)> tell;
        Chooser choose;
        Question ask;
    };

    // sectionFolder: the section file's, whose own files are never written.
    // unsavedFolder: where the sections of a job never saved are read from.
    JobCommands(const QString &sectionFolder, const QString &unsavedFolder, Window window, QObject *parent = nullptr);

    void setQuestion(Question ask) { m_window.ask = std::move(ask); }
    // Asks the window's question.
    int ask(const QString &title, const QString &text, const QStringList &buttons) const
    {
        return m_window.ask(title, text, buttons);
    }

    void open();
    // False when nothing was written: the dialog cancelled, the write failed.
    bool save();
    bool saveAs();
    // Whether the window may go on: nothing the file does not hold, or the
    // user saved it or chose not to. `question` asks about the changes.
    bool settle(const QString &question);

    // "Disegno della sezione – via Roma.profilara", and " *" while the job
    // has changes the file does not hold.
    QString title() const;
    // The folder against which the stretches' sections are read.
    QString folder() const;
    bool hasChanges() const;

signals:
    // The job was opened or saved: the title follows.
    void fileChanged();

private:
    bool writeTo(const QString &path);

    QString m_sectionFolder;
    QString m_unsavedFolder;
    Window m_window;
    JobDocument m_document;
};
