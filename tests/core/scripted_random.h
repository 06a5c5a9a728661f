#pragma once

// A run's generator for the tests: the draws given, in order (one past them is an error), and the
// processor's overflow flag raised at a chosen draw, as an overflowing conversion would.

#include "game/game.h"

#include <cstddef>
#include <limits>
#include <utility>
#include <vector>

class ScriptedRandom final : public velmora::RandomSource {
  public:
    explicit ScriptedRandom(std::vector<float> draws) : draws_(std::move(draws)) {}
    std::size_t overflowAtDraw = std::numeric_limits<std::size_t>::max();
    float Next() override
    {
        if (next_ == overflowAtDraw) {
            volatile float huge = std::numeric_limits<float>::max();
            huge = huge * 2.0F;
        }
        return draws_.at(next_++);
    }

  private:
    std::vector<float> draws_;
    std::size_t next_ = 0;
};
