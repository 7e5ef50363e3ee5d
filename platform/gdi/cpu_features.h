// What the processor offers beyond the baseline instruction set, asked once when the library
// loads. Row loops that use more pick their version by it.
#ifndef PLATFORM_GDI_CPU_FEATURES_H
#define PLATFORM_GDI_CPU_FEATURES_H

namespace gdi {

#if defined(__x86_64__) || defined(__i386__)
#  define GDI_HAS_AVX2_PATHS 1
extern const bool cpuHasAvx2;
#endif

} // namespace gdi

#endif // PLATFORM_GDI_CPU_FEATURES_H
