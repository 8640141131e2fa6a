// The host build tracks nothing (no registry is made there); a foreign release still fails.
#include "gen0/GenError.h"
#include "gen0/GenTrack.h"

void InvalidReleasePrompt(const void*) { throw Exception("無効なクラスオブジェクトの解放です。"); }
