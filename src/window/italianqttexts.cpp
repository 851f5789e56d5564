#include "italianqttexts.h"

#include <cstring>

namespace {

struct QtText
{
    const char *context;
    const char *source;
    const char *italian;
};

// The words as Italian Windows has them; each mnemonic is unique within its
// menu or dialog.
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
    // The keys as the menus name them.
    {"QShortcut", "Shift", "Maiusc"},
    {"QShortcut", "Up", "Freccia su"},
    {"QShortcut", "Down", "Freccia giù"},
    // Qt's own file dialog, where the system has none (Linux), and the
    // buttons it asks for.
    {"QFileDialog", "Look in:", "Cerca in:"},
    {"QFileDialog", "Back", "Indietro"},
    {"QFileDialog", "Go back", "Torna indietro"},
    {"QFileDialog", "Forward", "Avanti"},
    {"QFileDialog", "Go forward", "Vai avanti"},
    {"QFileDialog", "Parent Directory", "Cartella superiore"},
    {"QFileDialog", "Go to the parent directory", "Vai alla cartella superiore"},
    {"QFileDialog", "Create New Folder", "Crea nuova cartella"},
    {"QFileDialog", "Create a New Folder", "Crea una nuova cartella"},
    {"QFileDialog", "List View", "Elenco"},
    {"QFileDialog", "Change to list view mode", "Mostra come elenco"},
    {"QFileDialog", "Detail View", "Dettagli"},
    {"QFileDialog", "Change to detail view mode", "Mostra i dettagli"},
    {"QFileDialog", "Sidebar", "Barra laterale"},
    {"QFileDialog", "List of places and bookmarks", "Elenco di posizioni e segnalibri"},
    {"QFileDialog", "Files", "File"},
    {"QFileDialog", "Files of type:", "Tipo file:"},
    {"QFileDialog", "File &name:", "&Nome file:"},
    {"QFileDialog", "Directory:", "Cartella:"},
    {"QFileDialog", "Open", "Apri"},
    {"QFileDialog", "Save As", "Salva con nome"},
    {"QFileDialog", "&Open", "&Apri"},
    {"QFileDialog", "&Save", "&Salva"},
    {"QFileDialog", "&Choose", "&Scegli"},
    {"QFileDialog", "&Rename", "&Rinomina"},
    {"QFileDialog", "&Delete", "&Elimina"},
    {"QFileDialog", "Show &hidden files", "Mostra i file &nascosti"},
    {"QFileDialog", "&New Folder", "&Nuova cartella"},
    {"QFileDialog", "New Folder", "Nuova cartella"},
    {"QFileDialog", "Show ", "Mostra "},
    {"QFileDialog", "Remove", "Rimuovi"},
    {"QFileDialog", "Recent Places", "Posizioni recenti"},
    {"QFileDialog", "All files (*)", "Tutti i file (*)"},
    {"QFileDialog", "Directories", "Cartelle"},
    {"QFileDialog", "Delete", "Elimina"},
    {"QFileDialog", "Could not delete directory.", "Non è stato possibile eliminare la cartella."},
    {"QFileDialog", "Are you sure you want to delete '%1'?", "Eliminare «%1»?"},
    {"QFileDialog", "'%1' is write protected.\nDo you want to delete it anyway?",
     "«%1» è protetto da scrittura.\nEliminarlo comunque?"},
    {"QFileDialog", "%1 already exists.\nDo you want to replace it?", "%1 esiste già.\nSostituirlo?"},
    {"QFileDialog", "%1\nFile not found.\nPlease verify the correct file name was given.",
     "%1\nFile non trovato.\nVerificare che il nome del file sia giusto."},
    {"QFileDialog", "%1\nDirectory not found.\nPlease verify the correct directory name was given.",
     "%1\nCartella non trovata.\nVerificare che il nome della cartella sia giusto."},
    {"QFileSystemModel", "Name", "Nome"},
    {"QFileSystemModel", "Size", "Dimensione"},
    {"QFileSystemModel", "Type", "Tipo"},
    {"QFileSystemModel", "Kind", "Tipo"},
    {"QFileSystemModel", "Date Modified", "Ultima modifica"},
    {"QFileSystemModel", "My Computer", "Computer"},
    {"QFileSystemModel", "Computer", "Computer"},
    {"QAbstractFileIconProvider", "Drive", "Unità"},
    {"QAbstractFileIconProvider", "File", "File"},
    {"QAbstractFileIconProvider", "Folder", "Cartella"},
    {"QAbstractFileIconProvider", "File Folder", "Cartella di file"},
    {"QAbstractFileIconProvider", "Shortcut", "Collegamento"},
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
