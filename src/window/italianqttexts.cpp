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
