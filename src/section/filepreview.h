#pragma once

#include "sectiontable.h"

#include <QString>
#include <QStringList>

// The lines of the preview box: the area values of areas 1..Naree, one
// value a line, exactly as lines 13 onward of the section file hold them.
// None when the section has no areas.
QStringList previewLines(const SectionTable &table);
