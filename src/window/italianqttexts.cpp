#include "italianqttexts.h"

#include <cstring>

namespace {

struct QtText
{
    const char *context;
    const char *source;
    const char *italian;
};

// The menu entries as Italian Windows names them; each mnemonic is unique
// within its menu.
constexpr QtText kTexts[] = {
    {"QLineEdit", "&Undo", "&Annulla"},
    {"QLineEdit", "&Redo", "&Ripeti"},
    {"QLineEdit", "Cu&t", "&Taglia"},
    {"QLineEdit", "&Copy", "&Copia"},
    {"QLineEdit", "&Paste", "I&ncolla"},
    {"QLineEdit", "Delete", "&Elimina"},
    {"QLineEdit", "Select All", "&Seleziona tutto"},
    {"QWidgetTextControl", "&Copy", "&Copia"}, // the read-only notes and preview
    {"QWidgetTextControl", "Select All", "&Seleziona tutto"},
    {"QAbstractSpinBox", "&Select All", "&Seleziona tutto"},
    {"QAbstractSpinBox", "&Step up", "A&umenta"},
    {"QAbstractSpinBox", "Step &down", "&Diminuisci"},
    {"QShortcut", "Shift", "Maiusc"},
    // The file dialog "Esporta PDF", Qt's own, as Italian Windows words its
    // own dialog; its window title is the program's.
    {"QFileDialog", "Look in:", "Cerca in:"},
    {"QFileDialog", "File &name:", "&Nome file:"},
    {"QFileDialog", "Files of type:", "Tipo file:"},
    {"QFileDialog", "&Save", "&Salva"},
    {"QFileDialog", "&Open", "&Apri"},
    {"QFileDialog", "Back", "Indietro"},
    {"QFileDialog", "Forward", "Avanti"},
    {"QFileDialog", "Parent Directory", "Cartella superiore"},
    {"QFileDialog", "Create New Folder", "Nuova cartella"},
    {"QFileDialog", "List View", "Elenco"},
    {"QFileDialog", "Detail View", "Dettagli"},
    {"QFileDialog", "Go back", "Torna alla cartella precedente"},
    {"QFileDialog", "Go forward", "Vai alla cartella successiva"},
    {"QFileDialog", "Go to the parent directory", "Vai alla cartella superiore"},
    {"QFileDialog", "Create a New Folder", "Crea una nuova cartella"},
    {"QFileDialog", "Change to list view mode", "Mostra come elenco"},
    {"QFileDialog", "Change to detail view mode", "Mostra i dettagli"},
    {"QFileDialog", "Sidebar", "Riquadro di spostamento"},
    {"QFileDialog", "List of places and bookmarks", "Posizioni e segnalibri"},
    {"QFileDialog", "Files", "File"},
    {"QFileDialog", "&Rename", "&Rinomina"},
    {"QFileDialog", "&Delete", "&Elimina"},
    {"QFileDialog", "Show &hidden files", "Mostra file &nascosti"},
    {"QFileDialog", "&New Folder", "&Nuova cartella"},
    {"QFileDialog", "New Folder", "Nuova cartella"},
    {"QFileDialog", "Show ", "Mostra "},
    {"QFileDialog", "All Files (*)", "Tutti i file (*)"},
    {"QFileDialog", "Recent Places", "Posizioni recenti"},
    {"QFileDialog", "%1 already exists.\nDo you want to replace it?", "%1 esiste già.\nSostituirlo?"},
    {"QFileDialog", "%1\nDirectory not found.\nPlease verify the correct directory name was given.",
     "%1\nCartella non trovata.\nControllare che il nome della cartella sia corretto."},
    {"QFileDialog", "'%1' is write protected.\nDo you want to delete it anyway?",
     "'%1' è protetto da scrittura.\nEliminarlo comunque?"},
    {"QFileDialog", "Are you sure you want to delete '%1'?", "Eliminare '%1'?"},
    {"QFileDialog", "Could not delete directory.", "Impossibile eliminare la cartella."},
    {"QFileSystemModel", "Name", "Nome"},
    {"QFileSystemModel", "Size", "Dimensione"},
    {"QFileSystemModel", "Type", "Tipo"},
    {"QFileSystemModel", "Date Modified", "Ultima modifica"},
    {"QFileSystemModel", "Computer", "Computer"},
    {"QAbstractFileIconProvider", "Drive", "Unità"},
    {"QAbstractFileIconProvider", "Folder", "Cartella"},
    {"QAbstractFileIconProvider", "Unknown", "Sconosciuto"},
    {"QPlatformTheme", "Save", "Salva"},
    {"QPlatformTheme", "Open", "Apri"},
    {"QPlatformTheme", "Cancel", "Annulla"},
    {"QPlatformTheme", "&Yes", "&Sì"},
    {"QPlatformTheme", "&No", "&No"},
};

} // namespace

QString ItalianQtTexts::translate(const char *context, const char *sourceText, const char *, int) const
{
    if (!context || !sourceText)
        return {};
    for (const QtText &text : kTexts) {
        if (std::strcmp(text.context, context) == 0 && std::strcmp(text.source, sourceText) == 0)
            return QString::fromUtf8(text.italian);
    }
    return {};
}
