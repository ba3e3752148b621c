#pragma once

#include <QStringView>

// Reads a number out of whatever the user typed, never failing: blanks and
// control characters around it are dropped, a leading minus is kept, the
// digits are kept, the first comma or full stop becomes the decimal point
// and every other character is left out ("1,5pt" is 1.5, "1.2.3" is 1.23,
// "abc" is 0).
double StrToFloatLoose(QStringView text);

// The nearest integer, halves to the even neighbour (2.5 is 2, 3.5 is 4).
int RoundHalfEven(double value);
