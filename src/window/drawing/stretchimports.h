#pragma once

#include "job/importedstretches.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

enum class SectionFileChoice;

// The imports of "Tratti": a table of manholes from a file ("Importa
// pozzetti...") or the clipboard ("Incolla pozzetti"), and an EPA SWMM
// model ("Importa da SWMM..."). A file that cannot be read as a whole, or
// gives no stretch, changes nothing and says why; where there are stretches already the user
// chooses whether the imported ones replace them or follow them; one
// message then says what was done and what is left to fill in.
class StretchImports : public QObject
{
    Q_OBJECT

public:
    struct Window
    {
        std::function<std::vector<Stretch>()> stretches;
        std::function<void(const std::vector<Stretch> &stretches)> setStretches;
        std::function<double()> wall;
        // The file chosen in a dialog of this kind; nothing when cancelled.
        std::function<std::optional<QString>(SectionFileChoice choice)> choose;
        std::function<QString()> clipboard;
        std::function<int(const QString &text, const QStringList &buttons)> ask;
        std::function<void(const QString &text)> tell;
    };

    explicit StretchImports(Window window, QObject *parent = nullptr);

    void importManholes();
    void pasteManholes();
    void importSwmm();

private:
    void importFile(SectionFileChoice choice, ImportResult (*read)(const QByteArray &, double));
    void take(const ImportResult &result, const QString &from);

    Window m_window;
};

// What an import tells: "Importati 3 tratti da «profilo.csv», con uno
// spessore della parete di 0,012 m.", that feet were turned into metres,
// and what is left for the user to fill in, a stretch a line.
QString importSummary(const ImportedStretches &imported, const QString &from, double wall);
