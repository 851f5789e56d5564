#pragma once

#include <QChar>
#include <QStringView>
#include <optional>

// How the program reads a number written in a cell or a box, in one place:
// blanks around it, a * before a height that follows the depth P, a sign,
// then digits with at most one decimal separator, a point or a comma, and a
// digit on at least one side of it: "0.5", "0,5", ",5", "5,", "-3",
// "*1,20". Nothing else is a number: no thousands separator, no exponent.

struct NumberText
{
    bool star = false; // written *n
    QChar separator;   // the decimal separator written; null when none
    double value = 0;  // n for *n
};

// The number text holds; nothing when it holds something else, or digits
// beyond what a double can hold.
std::optional<NumberText> readNumberText(QStringView text);
