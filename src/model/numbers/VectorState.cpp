#include "numbers/VectorState.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace tarvex {

#if defined(__x86_64__) && defined(__GNUC__)
namespace {
__attribute__((target("avx"))) void zeroUpper()
{
    _mm256_zeroupper();
}
// Asked once; the processor's features are read before the first use.
const bool kHasAvx = (__builtin_cpu_init(), __builtin_cpu_supports("avx"));
} // namespace

void ClearVectorUpperState()
{
    if (kHasAvx)
        zeroUpper();
}
#else
void ClearVectorUpperState() {}
#endif

} // namespace tarvex
