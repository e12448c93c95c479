// The fuzz targets' one way to report a broken invariant: a trap, which libFuzzer records as a crash.
#pragma once

namespace sonaru::fuzz {

inline void Require(bool holds) {
  if (!holds) {
    __builtin_trap();
  }
}

}  // namespace sonaru::fuzz
