#include "LayerChoice.h"

int ClampLayerPair(int answer, int pairCount) {
    if (answer <= 0) return 1;
    if (answer > pairCount) return pairCount;
    return answer;
}
