#pragma once

#include <cmath>
#include <cstdint>

// Rounding and division as the program's layouts and files expect them.

// Nearest integer, halves going to the even neighbour (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2). Values beyond the int range are clamped.
int Round(double x);

// Integer division truncating toward zero (-7 div 2 = -3). A zero divisor
// gives 0 instead of trapping: callers compute sizes from user data.
constexpr int Div(int a, int b)
{
    return b == 0 ? 0 : a / b;
}
