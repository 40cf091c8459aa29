// Memory of result buffers and of the strings they own. Drawings hand out
// copies of their groups by the hundred on every read of an object's data;
// from the general heap their many small blocks, freed in bursts, fragment
// it until each allocation costs more the larger the drawing. Here blocks of
// one size class are reused as they are freed and never merged. Builds with
// KAVREL_GENERAL_HEAP (the sanitizer builds) take every block from the
// general heap, where misuse is caught.
#pragma once

#include <cstddef>

// A block of at least `bytes` bytes, aligned for any result buffer.
void* rbAllocate(size_t bytes);
// Frees a block of rbAllocate (null is ignored).
void rbFree(void* block);
