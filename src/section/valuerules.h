#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// What the section file can hold, in one place: the save writes every value
// by appendValueLine, and the cell editor refuses by confirmationProblem.

// How one value goes into the section file.
struct ValueLine
{
    enum class Form {
        Bare,       // its text alone on the line, which reads back as itself
        Quoted,     // in double quotes: a comma or a line break (from another
                    // program's quoted item) reads back only so
        Unwritable, // it reads back neither way, or a character has no byte
    };
    Form form = Form::Unwritable;
    QString problem; // Unwritable: why, in Italian, for the user
};

// Appends value's line (its Windows-1252 bytes, without the line end) to
// out; out stays as it was when the value is Unwritable.
ValueLine appendValueLine(QByteArray &out, const QString &value);

// The same for a header line, which the load reads whole, commas and double
// quotes included: it goes back bare, as it came, unless it holds a line
// break (a quoted item that ran over several lines), which goes back quoted.
ValueLine appendHeaderLine(QByteArray &out, const QString &line);

// Whether grid column `column` (0..5) holds numbers: the height H, the
// widening X, the wall's tangent and the pipe's coefficient.
bool isNumberColumn(int column);

// Whether value is a number (readNumberText) written with this decimal
// separator ("0.5", "*1,20", "-0,25", ",5").
bool isDecimalNumber(const QString &value, QChar separator);

// A value typed or pasted into grid column `column` as the file takes it:
// in a column of numbers a number written with a decimal comma gets a
// point, the blanks around it kept (" 0,5 " gives " 0.5 "); any other value
// stays as it is.
QString withDecimalPoint(const QString &value, int column);

// Why the cell editor refuses to confirm value, in Italian, or nothing.
// changedByUser: the value is text the user typed, rather than the cell's
// value as it stands (unchanged, or the fallback of an emptied entry).
std::optional<QString> confirmationProblem(const QString &value, bool changedByUser);
