#pragma once
// The constants of the calculations, written as the rules write them: the shown digits
// depend on these exact single-precision values, so none is replaced by a closer one.
namespace aub {

inline constexpr float Pi = 3.141593f;
inline constexpr float TwoPi = 6.283186f;
inline constexpr float G = 9.81f;      // m/s²
inline constexpr float TwoG = 19.62f;  // 2g, m/s²

}  // namespace aub
