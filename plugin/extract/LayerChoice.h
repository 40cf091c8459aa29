// The layer pair the user asks for, kept within the pairs the site has.
#pragma once

// The pair (from 1) for the answer: an answer of 0 or less is pair 1, one
// above pairCount is the last pair.
int ClampLayerPair(int answer, int pairCount);
