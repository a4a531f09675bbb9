#pragma once

namespace Tamrisk {
class GameLogic;
}

namespace Testing {

// The scripted player's choices, read from the logic through its const
// getters; the caller acts on them through SDL's queue. Serves the level
// runs, the whole-game replay and the benchmarks.
namespace Autopilot {

// Where the bat goes now, in world x: under the lowest ball coming down,
// taken off the bat's middle so that the ball leaves towards the nearest
// brick still to break (the middle of the field while no ball comes); or,
// when losing, the side of the field farther from every ball and bonus.
float ChooseBatX(const Tamrisk::GameLogic& logic, bool losing);
// A risen, shown bat holds a ball: a click launches it.
bool WantsLaunch(const Tamrisk::GameLogic& logic);
// The window column that puts the bat at world x: the bat follows the GUI
// cursor's x over the 800-unit screen, the cursor the mouse over the
// window's pixels.
int BatPixelX(float x, int clientWidth);

} // namespace Autopilot

} // namespace Testing
