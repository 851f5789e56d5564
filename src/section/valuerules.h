#pragma once

#include <QString>
#include <optional>

// What the cell editor refuses to store: characters that would shift or
// corrupt the values for the application that reads the section file.
// Returns the Italian explanation for the user, or nothing when the value
// can be stored as typed (blanks included).
std::optional<QString> valueProblem(const QString &value);
