#include "stretchimports.h"

#include "job/manholetable.h"
#include "job/swmmmodel.h"
#include "takeoff/numbers.h"
#include "window/sectionfiledialog.h"

#include <QFile>
#include <QFileInfo>

namespace {

// A larger file is not read: no table or model of a job comes near it.
constexpr qint64 kLargestImport = 64 * 1024 * 1024;

} // namespace

QString importSummary(const ImportedStretches &imported, const QString &from, double wall)
{
    const qsizetype count = qsizetype(imported.stretches.size());
    QString text = (count == 1 ? QStringLiteral("Importato 1 tratto %1") : QStringLiteral("Importati %2 tratti %1"))
                       .arg(from, QString::number(count))
                   + QStringLiteral(", con uno spessore della parete di %1 m.").arg(italianNumber(wall, 3));
    if (imported.fromFeet)
        text += QStringLiteral(" Il modello usa i piedi come unità di misura: lunghezze, quote e diametri sono stati "
                               "convertiti in metri.");
    if (!imported.notes.isEmpty())
        text += QStringLiteral("\nDa completare:\n") + imported.notes.join(u'\n');
    return text;
}

StretchImports::StretchImports(Window window, QObject *parent) : QObject(parent), m_window(std::move(window)) {}

void StretchImports::importManholes()
{
    importFile(SectionFileChoice::ImportManholes, readManholeTable);
}

void StretchImports::importSwmm()
{
    importFile(SectionFileChoice::ImportSwmm, readSwmmModel);
}

void StretchImports::pasteManholes()
{
    const QString text = m_window.clipboard();
    if (text.trimmed().isEmpty()) {
        m_window.tell(QStringLiteral("Gli appunti non contengono una tabella di pozzetti."));
        return;
    }
    take(readManholeTable(text, m_window.wall()), QStringLiteral("dagli appunti"));
}

void StretchImports::importFile(SectionFileChoice choice, ImportResult (*read)(const QByteArray &, double))
{
    const std::optional<QString> path = m_window.choose(choice);
    if (!path)
        return;
    QFile file(*path);
    const QString name = QFileInfo(*path).fileName();
    if (!file.open(QIODevice::ReadOnly)) {
        m_window.tell(QStringLiteral("Il file «%1» non si apre (il sistema risponde: «%2»).").arg(name, file.errorString()));
        return;
    }
    if (file.size() > kLargestImport) {
        m_window.tell(QStringLiteral("Nessun tratto importato da «%1»: il file è troppo grande (oltre 64 MiB).").arg(name));
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_window.tell(QStringLiteral("Il file «%1» non si legge (il sistema risponde: «%2»).").arg(name, file.errorString()));
        return;
    }
    take(read(bytes, m_window.wall()), QStringLiteral("da «%1»").arg(name));
}

void StretchImports::take(const ImportResult &result, const QString &from)
{
    if (const QString *why = std::get_if<QString>(&result)) {
        m_window.tell(QStringLiteral("Nessun tratto importato %1. %2").arg(from, *why));
        return;
    }
    const ImportedStretches &imported = std::get<ImportedStretches>(result);
    if (imported.stretches.empty()) {
        m_window.tell(QStringLiteral("Nessun tratto importato %1.").arg(from)
                      + (imported.notes.isEmpty() ? QString() : u'\n' + imported.notes.join(u'\n')));
        return;
    }
    std::vector<Stretch> stretches = m_window.stretches();
    if (!stretches.empty()) {
        const int choice = m_window.ask(QStringLiteral("Sostituire i tratti presenti con quelli importati?"),
                                        {QStringLiteral("Sostituisci"), QStringLiteral("Aggiungi in fondo"),
                                         QStringLiteral("Annulla")});
        if (choice == 0)
            stretches.clear();
        else if (choice != 1)
            return;
    }
    stretches.insert(stretches.end(), imported.stretches.begin(), imported.stretches.end());
    m_window.setStretches(stretches);
    m_window.tell(importSummary(imported, from, m_window.wall()));
}
