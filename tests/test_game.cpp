// The game against a recording view and scripted draws.

#include "game/game.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <map>
#include <vector>

using velmora::Error;

namespace {

// Logs every call in order; can fail at a chosen call or show a caption other than the one written.
class RecordingView final : public velmora::GameView {
  public:
    QStringList log;
    std::array<std::string, 4> captions;  // boxes 1..3
    std::map<int, std::string> readsBack; // box -> caption read back instead of the written one
    int failAtCall = -1;

    void SetPictureVisible(bool visible) override
    {
        record(QStringLiteral("SetPictureVisible(%1)").arg(visible ? "true" : "false"));
        pictureVisible = visible;
    }
    void SetDigitText(int box, const std::string &text) override
    {
        record(QStringLiteral("SetDigitText(%1,%2)").arg(box).arg(QString::fromStdString(text)));
        captions.at(box) = text;
    }
    std::string GetDigitText(int box) override
    {
        record(QStringLiteral("GetDigitText(%1)").arg(box));
        const auto it = readsBack.find(box);
        return it != readsBack.end() ? it->second : captions.at(box);
    }
    void Beep() override { record(QStringLiteral("Beep()")); }

    bool pictureVisible = false;

  private:
    int calls_ = 0;
    void record(const QString &call)
    {
        if (calls_++ == failAtCall)
            throw std::runtime_error("injected failure");
        log << call;
    }
};

class ScriptedRandom final : public velmora::RandomSource {
  public:
    explicit ScriptedRandom(std::vector<float> draws) : draws_(std::move(draws)) {}
    std::size_t overflowAtDraw = std::numeric_limits<std::size_t>::max(); // raises the overflow flag there
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

QStringList ExpectedGame(const QStringList &digits, bool win)
{
    QStringList log{"SetPictureVisible(false)"};
    for (int box = 1; box <= 3; ++box)
        log << QStringLiteral("SetDigitText(%1,%2)").arg(box).arg(digits.at(box - 1));
    for (int box = 1; box <= 3; ++box)
        log << QStringLiteral("GetDigitText(%1)").arg(box);
    if (win)
        log << "SetPictureVisible(true)"
            << "Beep()";
    return log;
}

const float kLargestBelowOne = std::nextafter(1.0F, 0.0F);

} // namespace

class TestGame : public QObject {
    Q_OBJECT

  private slots:
    void dealsAndJudges_data();
    void dealsAndJudges();
    void pictureFollowsEachGame();
    void judgesWhatTheBoxesShow_data();
    void judgesWhatTheBoxesShow();
    void failedViewCallStopsTheGame_data();
    void failedViewCallStopsTheGame();
    void brokenDrawNeverReachesABox_data();
    void brokenDrawNeverReachesABox();
    void generatorStartsWhereTheHostDid();
    void generatorIsFairOverAMillionDraws();
};

void TestGame::dealsAndJudges_data()
{
    QTest::addColumn<std::vector<float>>("draws");
    QTest::addColumn<QStringList>("digits");
    QTest::addColumn<bool>("win");

    QTest::newRow("no seven") << std::vector<float>{0.1F, 0.25F, 0.99F} << QStringList{"1", "2", "9"} << false;
    QTest::newRow("seven in Label1") << std::vector<float>{0.75F, 0.0F, 0.5F} << QStringList{"7", "0", "5"} << true;
    QTest::newRow("seven in Label2") << std::vector<float>{0.3F, 0.79F, 0.6F} << QStringList{"3", "7", "6"} << true;
    QTest::newRow("seven in Label3") << std::vector<float>{0.8F, 0.69F, 0.75F} << QStringList{"8", "6", "7"} << true;
    QTest::newRow("two sevens") << std::vector<float>{0.75F, 0.71F, 0.2F} << QStringList{"7", "7", "2"} << true;
    QTest::newRow("three sevens") << std::vector<float>{0.75F, 0.71F, 0.7999F} << QStringList{"7", "7", "7"} << true;
    QTest::newRow("draw of 0") << std::vector<float>{0.0F, 0.0F, 0.0F} << QStringList{"0", "0", "0"} << false;
    QTest::newRow("largest draw below 1") << std::vector<float>{kLargestBelowOne, kLargestBelowOne, kLargestBelowOne}
                                          << QStringList{"9", "9", "9"} << false;
    // 0.7F lies just below 0.7, and the product is taken exactly: it deals a 6.
    QTest::newRow("0.7F deals 6") << std::vector<float>{0.7F, 0.7F, 0.7F} << QStringList{"6", "6", "6"} << false;
    QTest::newRow("smallest draw of 7") << std::vector<float>{0.1F, 0.70000005F, 0.8F} << QStringList{"1", "7", "8"}
                                        << true;
}

void TestGame::dealsAndJudges()
{
    QFETCH(std::vector<float>, draws);
    QFETCH(QStringList, digits);
    QFETCH(bool, win);

    RecordingView view;
    ScriptedRandom rng(draws);
    velmora::NewGame(view, rng);

    QCOMPARE(view.log, ExpectedGame(digits, win));
    QCOMPARE(view.pictureVisible, win);
}

void TestGame::pictureFollowsEachGame()
{
    // win, loss, win, win: every game hides first; each win shows and beeps exactly once.
    RecordingView view;
    ScriptedRandom rng({0.75F, 0.1F, 0.1F, 0.1F, 0.2F, 0.3F, 0.1F, 0.75F, 0.1F, 0.1F, 0.1F, 0.75F});
    const std::vector<QStringList> games{{"7", "1", "1"}, {"1", "2", "3"}, {"1", "7", "1"}, {"1", "1", "7"}};
    const std::vector<bool> wins{true, false, true, true};
    for (std::size_t i = 0; i < games.size(); ++i) {
        view.log.clear();
        velmora::NewGame(view, rng);
        QCOMPARE(view.log, ExpectedGame(games[i], wins[i]));
        QCOMPARE(view.pictureVisible, wins[i]);
    }
}

void TestGame::judgesWhatTheBoxesShow_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("outcome"); // 1 win, 0 loss, else the error number

    // The draws write 3, 1, 1: only what is read back can win.
    QTest::newRow("reads 7 though 3 was written") << 1 << "7" << 1;
    QTest::newRow("reads 7 in the last box") << 3 << "7" << 1;
    QTest::newRow("blanks around 7") << 2 << " 7 " << 1;
    QTest::newRow("7.0") << 2 << "7.0" << 1;
    QTest::newRow("07") << 2 << "07" << 1;
    QTest::newRow("+7") << 2 << "+7" << 1;
    QTest::newRow("7e0") << 2 << "7e0" << 1;
    QTest::newRow("70") << 1 << "70" << 0;
    QTest::newRow("-7") << 1 << "-7" << 0;
    QTest::newRow("7.000001") << 1 << "7.000001" << 0;
    QTest::newRow("empty") << 1 << "" << 13;
    QTest::newRow("word") << 2 << "sieben" << 13;
    QTest::newRow("nan") << 3 << "nan" << 13;
    QTest::newRow("inf") << 3 << "inf" << 13;
    QTest::newRow("trailing junk") << 2 << "7x" << 13;
    QTest::newRow("hex") << 1 << "0x7" << 13;
    QTest::newRow("too large") << 1 << "1e999" << 6;
}

void TestGame::judgesWhatTheBoxesShow()
{
    QFETCH(int, box);
    QFETCH(QString, shown);
    QFETCH(int, outcome);

    RecordingView view;
    view.readsBack[box] = shown.toStdString();
    ScriptedRandom rng({0.3F, 0.1F, 0.1F});
    const QStringList complete = ExpectedGame({"3", "1", "1"}, outcome == 1);
    if (outcome == 0 || outcome == 1) {
        velmora::NewGame(view, rng);
        QCOMPARE(view.log, complete);
        return;
    }
    try {
        velmora::NewGame(view, rng);
        QFAIL("no error raised");
    } catch (const Error &error) {
        QCOMPARE(error.Number(), outcome);
        // Every step before the conversion of that box ran, and none after it.
        QCOMPARE(view.log, complete.mid(0, 4 + box));
        QCOMPARE(view.pictureVisible, false);
    }
}

void TestGame::failedViewCallStopsTheGame_data()
{
    QTest::addColumn<int>("failAt");
    QTest::addColumn<QString>("operation");

    const QStringList operations{"SetPictureVisible", "SetDigitText",      "SetDigitText",
                                 "SetDigitText",      "GetDigitText",      "GetDigitText",
                                 "GetDigitText",      "SetPictureVisible", "Beep"};
    for (int call = 0; call < operations.size(); ++call)
        QTest::newRow(qPrintable(QStringLiteral("call %1: %2").arg(call).arg(operations[call])))
            << call << operations[call];
}

void TestGame::failedViewCallStopsTheGame()
{
    QFETCH(int, failAt);
    QFETCH(QString, operation);

    RecordingView view;
    view.failAtCall = failAt;
    ScriptedRandom rng({0.75F, 0.5F, 0.5F});
    try {
        velmora::NewGame(view, rng);
        QFAIL("no error raised");
    } catch (const Error &error) {
        QCOMPARE(error.Number(), 440);
        const QString description = QString::fromStdString(error.Description());
        QVERIFY2(description.contains("'GameView'") && description.contains("'" + operation + "'"),
                 qPrintable(description));
    }
    QCOMPARE(view.log, ExpectedGame({"7", "5", "5"}, true).mid(0, failAt));
    // What was written before the failure stays written.
    const int written = std::clamp(failAt - 1, 0, 3);
    for (int box = 1; box <= 3; ++box)
        QCOMPARE(view.captions.at(box).empty(), box > written);
}

void TestGame::brokenDrawNeverReachesABox_data()
{
    QTest::addColumn<float>("draw");
    QTest::addColumn<bool>("overflowDuringDraw");

    QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << false;
    QTest::newRow("negative") << -0.1F << false;
    QTest::newRow("smallest negative") << -std::numeric_limits<float>::denorm_min() << false;
    QTest::newRow("exactly 1") << 1.0F << false;
    QTest::newRow("above 1") << 1.5F << false;
    QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << false;
    QTest::newRow("overflow raised while drawing") << 0.5F << true;
}

void TestGame::brokenDrawNeverReachesABox()
{
    QFETCH(float, draw);
    QFETCH(bool, overflowDuringDraw);

    RecordingView view;
    ScriptedRandom rng({0.4F, draw, 0.3F});
    if (overflowDuringDraw)
        rng.overflowAtDraw = 1;
    try {
        velmora::NewGame(view, rng);
        QFAIL("no error raised");
    } catch (const Error &error) {
        QCOMPARE(error.Number(), 6);
        QCOMPARE(QString::fromStdString(error.Description()), QString("Überlauf"));
    }
    QCOMPARE(view.log, (QStringList{"SetPictureVisible(false)", "SetDigitText(1,4)"}));
    QVERIFY(view.captions.at(2).empty());

    // The status is cleared by the next view call, so the following game is clean.
    ScriptedRandom next({0.1F, 0.2F, 0.3F});
    velmora::NewGame(view, next);
    QCOMPARE(view.pictureVisible, false);
}

void TestGame::generatorStartsWhereTheHostDid()
{
    velmora::RuntimeRandom first;
    QCOMPARE(first.Next(), 11837123.0F / 16777216.0F);
    QCOMPARE(first.Next(), 0.533424F);
    QCOMPARE(first.Next(), 0.5795186F);

    // A fresh run's first game deals 7, 5, 5, and a second fresh run deals the same games.
    velmora::RuntimeRandom a;
    velmora::RuntimeRandom b;
    RecordingView viewA;
    RecordingView viewB;
    for (int game = 0; game < 50; ++game) {
        velmora::NewGame(viewA, a);
        velmora::NewGame(viewB, b);
        if (game == 0)
            QCOMPARE(viewA.log, ExpectedGame({"7", "5", "5"}, true));
        QCOMPARE(viewB.captions, viewA.captions);
    }
}

void TestGame::generatorIsFairOverAMillionDraws()
{
    class CountingView final : public velmora::GameView {
      public:
        std::array<std::string, 4> captions;
        int wins = 0;
        void SetPictureVisible(bool visible) override { wins += visible ? 1 : 0; }
        void SetDigitText(int box, const std::string &text) override { captions.at(box) = text; }
        std::string GetDigitText(int box) override { return captions.at(box); }
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

    QVERIFY(rng.allInRange);
    for (int digit = 0; digit < 10; ++digit) {
        const double share = rng.digits.at(digit) / (3.0 * kGames);
        QVERIFY2(std::abs(share - 0.1) < 0.001, qPrintable(QString("digit %1: %2").arg(digit).arg(share)));
    }
    const double winRate = static_cast<double>(view.wins) / kGames;
    QVERIFY2(std::abs(winRate - 0.271) < 0.005, qPrintable(QString::number(winRate)));
}

QTEST_APPLESS_MAIN(TestGame)
#include "test_game.moc"
