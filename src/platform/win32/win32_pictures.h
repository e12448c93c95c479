// The program's own pictures as Windows icons and the hand cursor, made from the XPM sources.
#pragma once

#include <map>
#include <memory>

#include "platform/toolkit_design.h"

struct HICON__;

namespace sonaru::platform {

/// Makes each picture once, on first use, and destroys them all when it goes.
class Win32Pictures {
 public:
  /// A 32x32 icon with transparency; null for Picture::None or when Windows refused it.
  HICON__* Icon(Picture picture);
  /// The monochrome pointing hand, its hot spot at the fingertip; null when Windows refused it.
  HICON__* HandCursor();

 private:
  struct Destroy {
    void operator()(HICON__* icon) const;
  };
  using UniqueIcon = std::unique_ptr<HICON__, Destroy>;

  std::map<Picture, UniqueIcon> icons_;
  UniqueIcon handCursor_;
};

}  // namespace sonaru::platform
