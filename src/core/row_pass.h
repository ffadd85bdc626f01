// Marks the conversion's arithmetic passes over a row of cells: loops free of
// branches and of dependencies between cells, which the compiler vectorises.
#pragma once

// Where the compiler and the system allow it, a pass is also built for AVX2
// and the build that suits the processor is picked when the program starts.
// No pass raises or tests a floating-point exception, so the compiler may
// treat their exact double divisions as plain arithmetic: no-trapping-math
// changes no result, unlike fast-math. A function marked so is not inlined
// into one that is not (and the other way round): passes write out their
// helpers.
// Not under ThreadSanitizer: the clones' run-time choice resolves before the
// sanitizer starts, which crashes the program before main.
#if defined(__x86_64__) && defined(__linux__) && defined(__GNUC__) && !defined(__clang__) && \
    !defined(__SANITIZE_THREAD__)
#define ROW_PASS __attribute__((target_clones("avx2", "default"), optimize("no-trapping-math")))
#elif defined(__GNUC__) && !defined(__clang__)
#define ROW_PASS __attribute__((optimize("no-trapping-math")))
#else
#define ROW_PASS
#endif
