#pragma once

// The bytes the benchmark process holds from the C allocator (malloc and
// everything built on it: new, Qt's containers), counted by the allocator
// functions of bench/PeakMemory.cpp. Without that count (sanitizer builds)
// available() is false and the figures are 0.
namespace peak_memory {

bool available();
long long current();
// The most held since the last reset.
long long peak();
// Starts a new peak from what is held now.
void reset();

} // namespace peak_memory
