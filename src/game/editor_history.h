// The level editor's undo and redo: every change to the block map and the
// header, a clear and a reload, kept as steps until the level is left.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "game/game_types.h"

namespace vx {

// What a designer shapes: the header, the block types, the grid, the
// background and the part of the field in view.
struct LevelDesign {
  LevelHeader header;
  BlockType types[kMaxBlockTypes];
  std::vector<BlockCell> grid;
  std::vector<uint8_t> backTiles;
  int32_t backRows = 0;
  int32_t tileSet = 0;
  int32_t scroll = 0;
};

// The design of the level in play, and putting one back.
LevelDesign TakeDesign();
void PutDesign(const LevelDesign& design);

class EditHistory {
 public:
  // Older steps give way beyond this many, or beyond the byte budget (which
  // only the whole-level steps of very tall levels come near).
  static constexpr size_t kMaxSteps = 256;
  static constexpr size_t kMaxBytes = 256u << 20;

  // Opens a step. A cell step records the header and block types now and each
  // cell as Touch names it; a whole-level step (height, background, reload)
  // records the whole design. An open step is closed first.
  void Begin(bool wholeLevel);
  // Before cell index of the grid changes within an open cell step.
  void Touch(uint32_t index);
  // Closes the open step and keeps it when anything changed; a kept step
  // forgets what could be redone. True when kept.
  bool End();
  bool IsOpen() const { return open_ != nullptr; }

  // Each closes an open step first; false when there is nothing to take back.
  bool Undo();
  bool Redo();
  void Clear();

  size_t UndoCount() const { return done_.size(); }
  size_t RedoCount() const { return undone_.size(); }

 private:
  struct CellChange {
    uint32_t index;
    BlockCell before, after;
  };
  struct HeaderImage {
    LevelHeader header;
    BlockType types[kMaxBlockTypes];
  };
  struct Step {
    std::vector<CellChange> cells;
    HeaderImage headerBefore, headerAfter;
    std::unique_ptr<LevelDesign> levelBefore, levelAfter;  // whole-level steps
    std::vector<uint8_t> touched;                           // while open: cells noted
    size_t Bytes() const;
  };

  static HeaderImage TakeHeader();
  static void PutHeader(const HeaderImage& image);
  void Apply(const Step& step, bool forward);
  void Trim();

  std::unique_ptr<Step> open_;
  std::vector<std::unique_ptr<Step>> done_, undone_;
  size_t bytes_ = 0;
};

}  // namespace vx
