#pragma once

#include <chrono>
#include <optional>
#include <string_view>

#include "controller.h"

namespace ctrlsim {

// The timing of one program as the controller plays it: steps 0 to lastStep
// one step period apart, the last one held for the hold period, again and
// again.
struct PlayTiming {
    int stepMs = 1;
    int holdMs = 1;
    int lastStep = 0;
};

// The step shown at `elapsed` since the play began.
int stepAt(const PlayTiming& timing, std::chrono::milliseconds elapsed);

// "PA00" to "PD29", as the programs' selectors name them, to 0..119.
std::optional<int> programNamed(std::string_view name);

// Plays one program of the Corvel show held in the controller's memory on its
// outputs, blocks 241 and 242, where Monitor reads them. The show is read
// afresh at every call, so a download changes what plays at once.
class ShowPlayer {
  public:
    // Throws std::out_of_range for a program outside 0..119.
    explicit ShowPlayer(int program);

    PlayTiming timing(const Controller& controller) const;
    // Sets the outputs to the picture due at `elapsed` since the play began.
    void play(Controller& controller, std::chrono::milliseconds elapsed) const;

  private:
    int program_;
};

}  // namespace ctrlsim
