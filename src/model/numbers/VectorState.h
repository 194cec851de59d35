#pragma once
// Some of the drawing code under Qt leaves the upper halves of the AVX
// registers in use when it returns. On many x86 processors every plain SSE
// instruction after that waits on them: after a Plot, the sines and cosines
// of the spine fit ran eight times slower than in a fresh process. Clearing
// the state before a long stretch of arithmetic gives the speed back; on
// processors without AVX, and elsewhere, it does nothing.

namespace tarvex {

void ClearVectorUpperState();

} // namespace tarvex
