#pragma once

#include <QString>

// An item of the job's own price list ("Voci del lavoro") as the user typed
// it: its price code, its description, what it measures ("Scavo",
// "Armatura", "Pavimentazione", "Taglio" or "Tubazione", in any case), the
// depths "da" and "a" below the trench's top, and the margin on each side
// of the road's surface, in metres.
struct PriceItem
{
    QString code;
    QString description;
    QString measure;
    QString from;
    QString to;
    QString margin;

    bool isEmpty() const
    {
        for (const QString *value : {&code, &description, &measure, &from, &to, &margin})
            if (!value->trimmed().isEmpty())
                return false;
        return true;
    }
    bool operator==(const PriceItem &) const = default;
};
