// Starting a campaign: New Game (reset) or a loaded game (no reset) opens the
// world map.
#pragma once

namespace vx {

// With reset, a fresh player (8 lives, 150 credits, no score, empty inventory)
// and an empty campaign table. Then the map positions are read from
// "Coordinates" and the world map is entered. Either way a cheat of the
// campaign played before no longer counts.
void StartCampaign(int reset);
// Reads the map positions of the 100 levels from "Coordinates".
void ReadCoordinates();

}  // namespace vx
