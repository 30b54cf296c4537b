#pragma once

#include <QString>

#include <string_view>

namespace kestrane::Numbers {

// Reads the number a text begins with. Blanks, tabs and line feeds are
// skipped wherever they stand; then an optional sign, digits, one "." and an
// optional exponent are taken, and reading stops at the first other
// character. "." is the decimal point whatever the locale. A text without a
// leading number reads as 0, and so does a number beyond the range of a
// double. There is no "inf", "nan" or hexadecimal form.
double val(const QString& text);

// A number already scanned into plain ASCII ("-12.5e3"): its value, or 0
// when it is empty or beyond the range of a double. Both scanners (val()
// here and the settings file's line reader) end here.
double fromAscii(std::string_view ascii);

// True when the text is a number in the form val() reads and nothing else
// (blanks around it allowed). Used where a whole text must be a number.
bool isWholeNumber(const QString& text);

// The shortest decimal text of a value, without a leading blank: "0", "7",
// "99", "0.5", "-3". Integral values below 1e15 never use an exponent.
QString str(double value);

// The text form of a single-precision value as measurements are written:
// a leading blank for values that are not negative (" 28800", "-3.5").
QString singleText(float value);

} // namespace kestrane::Numbers
