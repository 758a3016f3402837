// The scenes of `velotrix-tool bench`: how each one brings the game into the
// state it measures and what it feeds the game before every frame, and the
// headless run of the game they are played in.
#pragma once

#include <functional>

namespace vx {
class HeadlessPlatform;
}

namespace vx::tool {

struct SceneHost {
  HeadlessPlatform* platform = nullptr;
};

struct BenchScene {
  const char* name;
  // Enters the scene over the main menu; false when the game cannot show it.
  bool (*enter)(SceneHost& host);
  // Input and state for frame i (outside the measured time); may be null.
  void (*beforeFrame)(SceneHost& host, int i);
  // Whether the game is still in the scene after the run.
  bool (*stillThere)(SceneHost& host);
};

// The scenes in their reporting order.
extern const BenchScene kBenchScenes[];
extern const int kBenchSceneCount;
const BenchScene* FindBenchScene(const char* name);

// Runs the game on hp in the current folder (which holds the archives) with
// music and audio standing still, calls atMenu once the main menu has drawn its
// first frame, and closes the game when atMenu returns. Returns the game's exit
// code, or -1 when the menu was never reached.
int RunGameToMenu(HeadlessPlatform& hp, const std::function<void()>& atMenu);

// Goes back to the menu and enters scene; false when it is unavailable.
bool EnterScene(const BenchScene& scene, SceneHost& host);
// The scene's input for frame i and the 13 ms before it; the caller then runs
// the frame (RunFrame).
void PrepareFrame(const BenchScene& scene, SceneHost& host, int i);

}  // namespace vx::tool
