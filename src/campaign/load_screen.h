// LoadScreen: loading a saved campaign.
#pragma once

#include "campaign/slot_list.h"

namespace vx {

class LoadScreen : public SlotScreen {
 public:
  const char* GetName() override { return "LoadScreen"; }
  int InitSurfaces() override;
  int OnFrame() override;
};

}  // namespace vx
