#pragma once

#include <QTranslator>

// Qt's own words in the standard menus of the text and spin boxes (the count
// box, the notes, the preview, the drawing's dimensions), in the names of
// the keys that the menus show, and in Qt's file dialogs (the section's
// copy and load, "Esporta PDF"), in Italian. The program ships no
// translation files, so without this those would speak English in an
// Italian window. Words Qt asks for that are not here stay as Qt has them.
class ItalianQtTexts : public QTranslator
{
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
};
