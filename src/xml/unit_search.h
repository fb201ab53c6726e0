// Fast forward searches over UTF-16 text for the scanner's stop characters.
#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vwi {

// The first unit in [p, end) equal to a, b or c (pass the same unit more
// than once to look for fewer), or end.
inline const char16_t* FindUnit(const char16_t* p, const char16_t* end, char16_t a, char16_t b,
                                char16_t c) {
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi16(static_cast<short>(a));
  const __m128i vb = _mm_set1_epi16(static_cast<short>(b));
  const __m128i vc = _mm_set1_epi16(static_cast<short>(c));
  while (end - p >= 8) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(v, va), _mm_cmpeq_epi16(v, vb)),
                                     _mm_cmpeq_epi16(v, vc));
    const int mask = _mm_movemask_epi8(hit);
    if (mask) return p + (__builtin_ctz(static_cast<unsigned>(mask)) >> 1);
    p += 8;
  }
#endif
  for (; p < end; ++p) {
    if (*p == a || *p == b || *p == c) return p;
  }
  return end;
}

inline const char16_t* FindUnit(const char16_t* p, const char16_t* end, char16_t a) {
  return FindUnit(p, end, a, a, a);
}

}  // namespace vwi
