#include "game/editor_history.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "game/game_state.h"

namespace vx {

namespace {

bool SameCell(const BlockCell& a, const BlockCell& b) {
  return a.type == b.type && a.hits == b.hits && a.content == b.content;
}

bool SameHeader(const LevelHeader& a, const LevelHeader& b) {
  return std::strcmp(a.name, b.name) == 0 && std::strcmp(a.text, b.text) == 0 &&
         std::strcmp(a.requires, b.requires) == 0 && a.height == b.height &&
         a.scrollSpeed == b.scrollSpeed && a.backTilesSet == b.backTilesSet &&
         a.maxBlockTypes == b.maxBlockTypes;
}

bool SameTypes(const BlockType* a, const BlockType* b) {
  for (int t = 0; t < kMaxBlockTypes; ++t) {
    if (a[t].hitCounter != b[t].hitCounter || a[t].score != b[t].score) return false;
    for (int i = 0; i < 5; ++i)
      if (a[t].image[i] != b[t].image[i]) return false;
  }
  return true;
}

bool SameDesign(const LevelDesign& a, const LevelDesign& b) {
  if (!SameHeader(a.header, b.header) || !SameTypes(a.types, b.types)) return false;
  if (a.backTiles != b.backTiles || a.tileSet != b.tileSet || a.grid.size() != b.grid.size())
    return false;
  for (size_t i = 0; i < a.grid.size(); ++i)
    if (!SameCell(a.grid[i], b.grid[i])) return false;
  return true;
}

size_t DesignBytes(const LevelDesign* d) {
  return d ? sizeof *d + d->grid.size() * sizeof(BlockCell) + d->backTiles.size() : 0;
}

}  // namespace

LevelDesign TakeDesign() {
  const LevelState& L = gGame.level;
  LevelDesign d;
  d.header = L.header;
  std::copy(std::begin(L.types), std::end(L.types), std::begin(d.types));
  d.grid = L.grid;
  d.backTiles = L.backTiles;
  d.backRows = L.backRows;
  d.tileSet = L.tileSet;
  d.scroll = L.scroll;
  return d;
}

void PutDesign(const LevelDesign& d) {
  LevelState& L = gGame.level;
  L.header = d.header;
  std::copy(std::begin(d.types), std::end(d.types), std::begin(L.types));
  L.grid = d.grid;
  L.backTiles = d.backTiles;
  L.backRows = d.backRows;
  L.tileSet = d.tileSet;
  L.scroll = d.scroll;
}

size_t EditHistory::Step::Bytes() const {
  return sizeof *this + cells.size() * sizeof(CellChange) + DesignBytes(levelBefore.get()) +
         DesignBytes(levelAfter.get());
}

EditHistory::HeaderImage EditHistory::TakeHeader() {
  HeaderImage image;
  image.header = gGame.level.header;
  std::copy(std::begin(gGame.level.types), std::end(gGame.level.types), std::begin(image.types));
  return image;
}

void EditHistory::PutHeader(const HeaderImage& image) {
  gGame.level.header = image.header;
  std::copy(std::begin(image.types), std::end(image.types), std::begin(gGame.level.types));
}

void EditHistory::Begin(bool wholeLevel) {
  if (open_) End();
  open_ = std::make_unique<Step>();
  if (wholeLevel)
    open_->levelBefore = std::make_unique<LevelDesign>(TakeDesign());
  else
    open_->headerBefore = TakeHeader();
}

void EditHistory::Touch(uint32_t index) {
  const std::vector<BlockCell>& grid = gGame.level.grid;
  if (!open_ || open_->levelBefore || index >= grid.size()) return;
  std::vector<uint8_t>& touched = open_->touched;
  if (touched.size() != grid.size()) touched.assign(grid.size(), 0);
  if (touched[index]) return;
  touched[index] = 1;
  open_->cells.push_back({index, grid[index], grid[index]});
}

bool EditHistory::End() {
  if (!open_) return false;
  std::unique_ptr<Step> step = std::move(open_);
  step->touched = std::vector<uint8_t>();
  bool changed = false;
  if (step->levelBefore) {
    step->levelAfter = std::make_unique<LevelDesign>(TakeDesign());
    changed = !SameDesign(*step->levelBefore, *step->levelAfter);
  } else {
    const std::vector<BlockCell>& grid = gGame.level.grid;
    std::vector<CellChange> kept;
    for (CellChange& c : step->cells) {
      if (c.index >= grid.size()) continue;
      c.after = grid[c.index];
      if (!SameCell(c.before, c.after)) kept.push_back(c);
    }
    kept.shrink_to_fit();
    step->cells.swap(kept);
    step->headerAfter = TakeHeader();
    changed = !step->cells.empty() ||
              !SameHeader(step->headerBefore.header, step->headerAfter.header) ||
              !SameTypes(step->headerBefore.types, step->headerAfter.types);
  }
  if (!changed) return false;
  for (const std::unique_ptr<Step>& s : undone_) bytes_ -= s->Bytes();
  undone_.clear();
  bytes_ += step->Bytes();
  done_.push_back(std::move(step));
  Trim();
  return true;
}

void EditHistory::Trim() {
  while (!done_.empty() && (done_.size() > kMaxSteps || bytes_ > kMaxBytes)) {
    bytes_ -= done_.front()->Bytes();
    done_.erase(done_.begin());
  }
}

void EditHistory::Apply(const Step& step, bool forward) {
  if (step.levelBefore) {
    PutDesign(forward ? *step.levelAfter : *step.levelBefore);
    return;
  }
  PutHeader(forward ? step.headerAfter : step.headerBefore);
  std::vector<BlockCell>& grid = gGame.level.grid;
  for (const CellChange& c : step.cells)
    if (c.index < grid.size()) grid[c.index] = forward ? c.after : c.before;
}

bool EditHistory::Undo() {
  End();
  if (done_.empty()) return false;
  Apply(*done_.back(), false);
  undone_.push_back(std::move(done_.back()));
  done_.pop_back();
  return true;
}

bool EditHistory::Redo() {
  End();
  if (undone_.empty()) return false;
  Apply(*undone_.back(), true);
  done_.push_back(std::move(undone_.back()));
  undone_.pop_back();
  return true;
}

void EditHistory::Clear() {
  open_.reset();
  done_.clear();
  undone_.clear();
  bytes_ = 0;
}

}  // namespace vx
