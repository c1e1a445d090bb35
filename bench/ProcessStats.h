#pragma once

// What the process holds and has spent, read from the kernel and the C library (Linux).
namespace processStats {

long residentKiB();      // resident set size
long heapInUseKiB();     // bytes malloc has handed out and not had back (mallinfo2)
int openDescriptors();   // entries of /proc/self/fd
double cpuSeconds();     // user + system time of every thread so far

}  // namespace processStats
