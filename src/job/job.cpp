#include "job.h"

#include <algorithm>

bool Job::isEmpty() const
{
    return name.trimmed().isEmpty()
           && std::all_of(stretches.begin(), stretches.end(), [](const Stretch &s) { return s.isEmpty(); })
           && std::all_of(items.begin(), items.end(), [](const PriceItem &i) { return i.isEmpty(); });
}
