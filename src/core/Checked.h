#pragma once
// Checked single-precision arithmetic for values the user's inputs can break.
// Each helper throws CalcError instead of producing a NaN or an infinity:
//   division by zero (x/0, x != 0)  -> 11 "Division par zéro"
//   0/0, a result beyond single range -> 6 "Dépassement de capacité"
//   sqrt of a negative, log of x <= 0, negative base with fractional exponent,
//   0 to a negative power             -> 5 "Argument ou appel de procédure incorrect"
// Inputs that are already NaN or infinite give 6.
namespace aub {

float checkedValue(double x);  // x as a float; throws 6 when not finite or too large
float cdiv(float a, float b);
double cdivd(double a, double b);  // same rules, double range
float csqrt(float x);
float cpow(float base, float exponent);  // base^exponent as the program computes it
float clog(float x);                     // natural logarithm
float clog10(float x);
float cexp(float x);
float catan(float x);  // arctan; never fails for finite x
float ctan(float x);   // tangent; fails with 6 when not finite

// Whole-number conversions: halves go to the even neighbour; out of range -> 6.
unsigned char toByte(double x);  // 0..255
short toInteger(double x);       // -32768..32767
int toLong(double x);            // 32-bit
double roundHalfEven(double x);

}  // namespace aub
