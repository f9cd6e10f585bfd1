// "HotSpot": an invisible clickable area that tracks the mouse like the base class and
// draws nothing.
#pragma once

#include "controls/standard_control.h"

class tqvHotSpotControl : public tqvStandardControl {
 public:
  explicit tqvHotSpotControl(const tqvHandle& definition = tqvHandle())
      : tqvStandardControl(definition, "HotSpot") {}
  tqvHandle makeInstance(const tqvHandle& definition) override {
    return tqvWrapControl(new tqvHotSpotControl(definition));
  }
  void draw() override {}
  // Hiding or disabling changes nothing on screen either.
  void eraseBackground() override {}
};
