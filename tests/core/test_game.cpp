// The game against a recording view and scripted draws.

#include "game/game.h"
#include "game/host_operations.h"
#include "tests/core/scripted_random.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <array>
#include <cfenv>
#include <cmath>
#include <limits>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

using velmora::Error;
using Log = std::vector<std::string>;

namespace {

// "Name(argument,argument)", as the logs write a call.
std::string CallText(std::string_view name, std::initializer_list<std::string_view> arguments)
{
    std::string text(name);
    text += '(';
    for (const std::string_view argument : arguments) {
        if (text.back() != '(')
            text += ',';
        text += argument;
    }
    text += ')';
    return text;
}

// Logs every call in order; can fail at a chosen call or show a caption other than the one written.
class RecordingView final : public velmora::GameView {
  public:
    Log log;
    std::array<std::string, 4> captions;  // boxes 1..3
    std::map<int, std::string> readsBack; // box -> caption read back instead of the written one
    int failAtCall = -1;
    bool pictureVisible = false;

    void SetPictureVisible(bool visible) override
    {
        Record(CallText("SetPictureVisible", {visible ? "true" : "false"}));
        pictureVisible = visible;
    }
    void SetDigitText(int box, const std::string &text) override
    {
        Record(CallText("SetDigitText", {std::to_string(box), text}));
        captions.at(static_cast<std::size_t>(box)) = text;
    }
    std::string GetDigitText(int box) override
    {
        Record(CallText("GetDigitText", {std::to_string(box)}));
        const auto it = readsBack.find(box);
        return it != readsBack.end() ? it->second : captions.at(static_cast<std::size_t>(box));
    }
    void Beep() override { Record("Beep()"); }

  private:
    int calls_ = 0;
    void Record(const std::string &call)
    {
        if (calls_++ == failAtCall)
            throw std::runtime_error("injected failure");
        log.push_back(call);
    }
};

Log ExpectedGame(const std::array<std::string, 3> &digits, bool win)
{
    Log log{"SetPictureVisible(false)"};
    for (int box = 1; box <= 3; ++box)
        log.push_back(CallText("SetDigitText", {std::to_string(box), digits.at(static_cast<std::size_t>(box - 1))}));
    for (int box = 1; box <= 3; ++box)
        log.push_back(CallText("GetDigitText", {std::to_string(box)}));
    if (win) {
        log.emplace_back("SetPictureVisible(true)");
        log.emplace_back("Beep()");
    }
    return log;
}

Log FirstCalls(const Log &log, std::size_t count)
{
    return {log.begin(), log.begin() + static_cast<std::ptrdiff_t>(std::min(count, log.size()))};
}

const float kLargestBelowOne = std::nextafter(1.0F, 0.0F);

} // namespace

TEST_CASE("a game deals the three boxes and judges what they show")
{
    struct Row {
        const char *name;
        std::vector<float> draws;
        std::array<std::string, 3> digits;
        bool win;
    };
    const std::vector<Row> rows{
        {"no seven", {0.1F, 0.25F, 0.99F}, {"1", "2", "9"}, false},
        {"seven in Label1", {0.75F, 0.0F, 0.5F}, {"7", "0", "5"}, true},
        {"seven in Label2", {0.3F, 0.79F, 0.6F}, {"3", "7", "6"}, true},
        {"seven in Label3", {0.8F, 0.69F, 0.75F}, {"8", "6", "7"}, true},
        {"two sevens", {0.75F, 0.71F, 0.2F}, {"7", "7", "2"}, true},
        {"three sevens", {0.75F, 0.71F, 0.7999F}, {"7", "7", "7"}, true},
        {"draw of 0", {0.0F, 0.0F, 0.0F}, {"0", "0", "0"}, false},
        {"largest draw below 1", {kLargestBelowOne, kLargestBelowOne, kLargestBelowOne}, {"9", "9", "9"}, false},
        // 0.7F lies just below 0.7, and the product is taken exactly: it deals a 6.
        {"0.7F deals 6", {0.7F, 0.7F, 0.7F}, {"6", "6", "6"}, false},
        {"smallest draw of 7", {0.1F, 0.70000005F, 0.8F}, {"1", "7", "8"}, true},
    };
    for (const Row &row : rows) {
        CAPTURE(row.name);
        RecordingView view;
        ScriptedRandom rng(row.draws);
        velmora::NewGame(view, rng);
        CHECK(view.log == ExpectedGame(row.digits, row.win));
        CHECK(view.pictureVisible == row.win);
    }
}

TEST_CASE("the picture follows each game")
{
    // win, loss, win, win: every game hides first; each win shows and beeps exactly once.
    RecordingView view;
    ScriptedRandom rng({0.75F, 0.1F, 0.1F, 0.1F, 0.2F, 0.3F, 0.1F, 0.75F, 0.1F, 0.1F, 0.1F, 0.75F});
    const std::vector<std::array<std::string, 3>> games{
        {"7", "1", "1"}, {"1", "2", "3"}, {"1", "7", "1"}, {"1", "1", "7"}};
    const std::vector<bool> wins{true, false, true, true};
    for (std::size_t i = 0; i < games.size(); ++i) {
        CAPTURE(i);
        view.log.clear();
        velmora::NewGame(view, rng);
        CHECK(view.log == ExpectedGame(games[i], wins[i]));
        CHECK(view.pictureVisible == wins[i]);
    }
}

TEST_CASE("the boxes are judged by what they show")
{
    struct Row {
        int box;
        std::string shown;
        int outcome; // 1 win, 0 loss, else the error number
    };
    // The draws write 3, 1, 1: only what is read back can win.
    const std::vector<Row> rows{
        {1, "7", 1},       {3, "7", 1},    {2, " 7 ", 1},  {2, "7.0", 1},  {2, "07", 1},       {2, "+7", 1},
        {2, "7e0", 1},     {2, ".7e1", 1}, {1, "70", 0},   {1, "-7", 0},   {1, "7.000001", 0}, {1, "", 13},
        {2, "sieben", 13}, {3, "nan", 13}, {3, "inf", 13}, {2, "7x", 13},  {1, "0x7", 13},     {1, "7,0", 13},
        {2, "7.", 1},      {2, ".", 13},   {2, "7e", 13},  {2, "+-7", 13}, {1, "1e999", 6},
    };
    for (const Row &row : rows) {
        CAPTURE(row.box);
        CAPTURE(row.shown);
        RecordingView view;
        view.readsBack[row.box] = row.shown;
        ScriptedRandom rng({0.3F, 0.1F, 0.1F});
        const Log complete = ExpectedGame({"3", "1", "1"}, row.outcome == 1);
        if (row.outcome == 0 || row.outcome == 1) {
            velmora::NewGame(view, rng);
            CHECK(view.log == complete);
            continue;
        }
        try {
            velmora::NewGame(view, rng);
            FAIL("no error raised");
        } catch (const Error &error) {
            CHECK(error.Number() == row.outcome);
            // Every step before the conversion of that box ran, and none after it.
            CHECK(view.log == FirstCalls(complete, static_cast<std::size_t>(4 + row.box)));
            CHECK_FALSE(view.pictureVisible);
        }
    }
}

TEST_CASE("a failed view call stops the game")
{
    const std::vector<std::string> operations{"SetPictureVisible", "SetDigitText",      "SetDigitText",
                                              "SetDigitText",      "GetDigitText",      "GetDigitText",
                                              "GetDigitText",      "SetPictureVisible", "Beep"};
    for (std::size_t failAt = 0; failAt < operations.size(); ++failAt) {
        CAPTURE(failAt);
        RecordingView view;
        view.failAtCall = static_cast<int>(failAt);
        ScriptedRandom rng({0.75F, 0.5F, 0.5F});
        try {
            velmora::NewGame(view, rng);
            FAIL("no error raised");
        } catch (const Error &error) {
            CHECK(error.Number() == 440);
            CHECK(error.Description()
                  == "Die Methode '" + operations[failAt] + "' für das Objekt 'GameView' ist fehlgeschlagen");
        }
        CHECK(view.log == FirstCalls(ExpectedGame({"7", "5", "5"}, true), failAt));
        // What was written before the failure stays written.
        const auto written = static_cast<std::size_t>(std::clamp(static_cast<int>(failAt) - 1, 0, 3));
        for (std::size_t box = 1; box <= 3; ++box)
            CHECK(view.captions.at(box).empty() == (box > written));
    }
}

TEST_CASE("a broken draw never reaches a box")
{
    struct Row {
        const char *name;
        float draw;
        bool overflowDuringDraw;
    };
    std::vector<Row> rows{
        {"NaN", std::numeric_limits<float>::quiet_NaN(), false},
        {"negative", -0.1F, false},
        {"smallest negative", -std::numeric_limits<float>::denorm_min(), false},
        {"exactly 1", 1.0F, false},
        {"above 1", 1.5F, false},
        {"infinity", std::numeric_limits<float>::infinity(), false},
    };
#if defined(FE_OVERFLOW) // where the processor keeps floating-point flags
    rows.push_back({"overflow raised while drawing", 0.5F, true});
#endif
    for (const Row &row : rows) {
        CAPTURE(row.name);
        RecordingView view;
        ScriptedRandom rng({0.4F, row.draw, 0.3F});
        if (row.overflowDuringDraw)
            rng.overflowAtDraw = 1;
        try {
            velmora::NewGame(view, rng);
            FAIL("no error raised");
        } catch (const Error &error) {
            CHECK(error.Number() == 6);
            CHECK(error.Description() == "Überlauf");
        }
        CHECK(view.log == Log{"SetPictureVisible(false)", "SetDigitText(1,4)"});
        CHECK(view.captions.at(2).empty());

        // The status is cleared by the next view call, so the following game is clean.
        ScriptedRandom next({0.1F, 0.2F, 0.3F});
        velmora::NewGame(view, next);
        CHECK_FALSE(view.pictureVisible);
    }
}

TEST_CASE("the generator starts where the host's did, in every run")
{
    velmora::RuntimeRandom first;
    CHECK(first.Next() == 11837123.0F / 16777216.0F);
    CHECK(first.Next() == 0.533424F);
    CHECK(first.Next() == 0.5795186F);

    // A fresh run's first game deals 7, 5, 5, and a second fresh run deals the same games.
    velmora::RuntimeRandom a;
    velmora::RuntimeRandom b;
    RecordingView viewA;
    RecordingView viewB;
    for (int game = 0; game < 50; ++game) {
        velmora::NewGame(viewA, a);
        velmora::NewGame(viewB, b);
        if (game == 0)
            CHECK(viewA.log == ExpectedGame({"7", "5", "5"}, true));
        CHECK(viewB.captions == viewA.captions);
    }
}

TEST_CASE("the generator is fair over a million draws")
{
    class CountingView final : public velmora::GameView {
      public:
        std::array<std::string, 4> captions;
        int wins = 0;
        void SetPictureVisible(bool visible) override { wins += visible ? 1 : 0; }
        void SetDigitText(int box, const std::string &text) override
        {
            captions.at(static_cast<std::size_t>(box)) = text;
        }
        std::string GetDigitText(int box) override { return captions.at(static_cast<std::size_t>(box)); }
        void Beep() override {}
    };

    struct RecordingRandom final : velmora::RandomSource {
        velmora::RuntimeRandom inner;
        std::array<int, 10> digits{};
        bool allInRange = true;
        float Next() override
        {
            const float r = inner.Next();
            allInRange = allInRange && r >= 0.0F && r < 1.0F;
            ++digits.at(static_cast<std::size_t>(std::clamp(static_cast<int>(r * 10.0F), 0, 9)));
            return r;
        }
    } rng;

    CountingView view;
    constexpr int kGames = 1'000'000 / 3;
    for (int game = 0; game < kGames; ++game)
        velmora::NewGame(view, rng);

    CHECK(rng.allInRange);
    for (std::size_t digit = 0; digit < 10; ++digit) {
        CAPTURE(digit);
        CHECK(std::abs(rng.digits.at(digit) / (3.0 * kGames) - 0.1) < 0.001);
    }
    CHECK(std::abs(static_cast<double>(view.wins) / kGames - 0.271) < 0.005);
}

TEST_CASE("an untrapped error is told with its number, or as it is")
{
    CHECK(velmora::UntrappedErrorText(Error(6, "Überlauf")) == "Laufzeitfehler '6':\n\nÜberlauf");
    CHECK(velmora::UntrappedErrorText(std::out_of_range("no digit box 4")) == "Laufzeitfehler:\n\nno digit box 4");
}

TEST_CASE("the host's conversions between numbers and captions")
{
    // Number to text: seven significant digits, as single precision is shown, on every platform.
    const std::vector<std::pair<float, std::string>> texts{
        {7.0F, "7"},
        {0.0F, "0"},
        {12.0F, "12"},
        {-3.0F, "-3"},
        {0.5F, "0.5"},
        {0.7055475F, "0.7055475"},
        {1234.5F, "1234.5"},
        {-0.03125F, "-0.03125"},
        {9999999.0F, "9999999"},
        {16777216.0F, "1.677722e+07"},
        {0.0001F, "0.0001"},
        {0.00001F, "1e-05"},
        {99999999.0F, "1e+08"},
        {9999999.5F, "1e+07"},
    };
    for (const auto &row : texts) {
        CAPTURE(row.first);
        CHECK(velmora::host::NumberToText(row.first) == row.second);
    }
    // Text to number, exactly where the text is a short decimal.
    const std::vector<std::pair<std::string, double>> numbers{
        {"0.5", 0.5},   {"1.25e2", 125}, {"-.75", -0.75},    {"70E-1", 7}, {"0.1", 0.1}, {"123456789", 123456789},
        {"1e22", 1e22}, {"1e-5", 1e-5},  {"00012.50", 12.5},
    };
    for (const auto &row : numbers) {
        CAPTURE(row.first);
        CHECK(velmora::host::TextToNumber(row.first) == row.second);
    }
}
