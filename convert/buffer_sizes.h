#pragma once

#include <cstddef>

namespace glyphmill::convert {

// Bytes read at a time, from bench/read_size_bench (64 MiB payload, its
// 640 MiB of lines for decoding; output to /dev/null; medians of 5 rounds of
// the converting process's processor time, user + system, in ms; AMD EPYC,
// 2 cores, shared with other builds, load average about 10):
//
//   read size   encode file  encode pipe  decode file  decode pipe
//    16 KiB        25.6         39.1         201.9        331.5
//    32 KiB        18.8         33.9         137.0        222.8
//    64 KiB        15.1 *       32.6 *       102.7        169.4
//   128 KiB        15.9         37.1          87.8        140.1
//   256 KiB        20.6         47.1          74.0 *      131.1 *
//   512 KiB        27.1         80.1          71.6        132.8
//     1 MiB        47.4        132.7          75.9        150.3
//     4 MiB       172.5         80.7          86.8        124.7
//
// Regular files and pipes favour the same sizes, so each command has one.
// Encoding writes ten bytes per byte read: past 64 KiB its 640 KiB of lines
// no longer stay in the processor's cache. Decoding writes an eighth of what
// it reads; from 256 KiB on larger reads gain nothing within the noise and
// only take memory.
inline constexpr std::size_t kEncodeBufferSize = 64 * 1024;
inline constexpr std::size_t kDecodeBufferSize = 256 * 1024;

} // namespace glyphmill::convert
