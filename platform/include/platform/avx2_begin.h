// Compiles what follows, up to platform/avx2_end.h, for AVX2: a file that
// offers a 256-bit loop includes everything it needs for the baseline first,
// then this, so no inline function built for AVX2 stands in for a baseline one.
// Depends on the compiler only (GCC or clang). Checks no processor: callers
// offer the code only when __builtin_cpu_supports("avx2") says so.
// No include guard: a file may switch more than once.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
