#pragma once

// The game: one deal of three digits, judged for a seven.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace velmora {

// A run-time error as the player sees it: a number and a German description.
class Error : public std::runtime_error {
  public:
    Error(int number, const std::string &description);

    [[nodiscard]] int Number() const noexcept { return number_; }
    [[nodiscard]] std::string Description() const { return what(); }

  private:
    int number_;
};

// What the player is told of an error that no handler trapped, on every platform:
// "Laufzeitfehler '6':\n\nÜberlauf" for the game's errors, "Laufzeitfehler:\n\n" and the text for others.
std::string UntrappedErrorText(const std::exception &error);

// The window as the game sees it. An operation that fails throws; the game turns
// that into an Error naming this interface and the operation.
class GameView {
  public:
    GameView() = default;
    GameView(const GameView &) = delete;
    GameView &operator=(const GameView &) = delete;
    virtual ~GameView() = default;

    virtual void SetPictureVisible(bool visible) = 0;
    virtual void SetDigitText(int box, const std::string &text) = 0; // box 1..3
    virtual std::string GetDigitText(int box) = 0;                   // box 1..3
    virtual void Beep() = 0;
};

// Single-precision draws in [0, 1) from the run's one generator.
class RandomSource {
  public:
    RandomSource() = default;
    RandomSource(const RandomSource &) = delete;
    RandomSource &operator=(const RandomSource &) = delete;
    virtual ~RandomSource() = default;

    virtual float Next() = 0;
};

// The run's generator: a 24-bit linear congruential generator that always starts
// from the same state and cannot be seeded, so every run deals the same digits.
class RuntimeRandom final : public RandomSource {
  public:
    float Next() override;

  private:
    std::uint32_t state_ = 0x50000;
};

// Deals one game: hides the picture, writes a digit into each box, reads the boxes
// back and, on any seven, shows the picture and beeps once. Traps no error.
void NewGame(GameView &view, RandomSource &rng);

// The new-game button's handler, the same on every platform: one game, and an error that it raises
// goes no further. Returns that error as the player is told of it (UntrappedErrorText), for the
// front end to show before it ends the game; nothing when the game went through.
std::optional<std::string> PlayNewGame(GameView &view, RandomSource &rng);

} // namespace velmora
