// Ends the AVX2 region that platform/avx2_begin.h opened.
// Depends on the compiler only. No include guard: it pairs with each begin.
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
