// Bodies of the commands whose work is not built yet: the command prints its
// banner and returns.
#include "CommandBodies.h"

void RunLayerDrawingExtraction() {}
