#pragma once

#include "sectiontable.h"

#include <QString>
#include <QStringList>

// The text of the preview box: the area values of areas 1..Naree joined by
// CR LF, exactly as lines 13 onward of the section file hold them. Empty when
// the section has no areas.
QString previewText(const SectionTable &table);

// The same values, one list entry per value: the preview box's lines.
QStringList previewLines(const SectionTable &table);
