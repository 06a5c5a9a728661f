// The built game as a player meets it, on a real X server: Xvfb started here, keys and clicks sent
// with xdotool, and nothing read but what a player sees (the window's pixels) and hears (XKB bells).
// The digits are read by matching against the glyphs the game's own window draws for 0 to 9.

#include "game/game.h"
#include "qt/form1.h"
#include "screen.h"
#include "x_session.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QTest>

#include <array>
#include <map>

class TestEndToEnd : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void startsAsDescribed();
    void dealsByKeyAndByClick_data();
    void dealsByKeyAndByClick();
    void twentyGamesAsTheGeneratorDeals();
    void beendenRightAfterAWinEndsAtOnce();
    void windowManagerCloseEnds();
    void freshRunsDealTheSame();
    void rapidInputRingsForEveryWin();
    void qtsOwnOptionsChangeNothing();

  private:
    std::unique_ptr<XSession> x_;
    std::map<QString, QImage> glyphs_; // "" and "0" to "9", as the window draws them in a digit box

    [[nodiscard]] QProcessEnvironment GameEnvironment() const;
    void StartGame(const QStringList &arguments = {});
    [[nodiscard]] QImage Screen() const { return x_->Screen(); }
    [[nodiscard]] QStringList Digits(const QImage &screen) const;
    [[nodiscard]] bool PictureShown(const QImage &screen) const;
    void Press(const QString &key) const { x_->Press(key); }
    void Click(QPoint at) const { x_->Click(at); }
};

void TestEndToEnd::initTestCase()
{
    // The glyphs, drawn by the game's own window in a digit box.
    velmora::RuntimeRandom random;
    velmora::Form1 form(random);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (const char *digit : {"", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}) {
        form.Digit1()->setText(digit);
        glyphs_[digit] = form.Digit1()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    x_ = std::make_unique<XSession>();
    QVERIFY(x_->Start("1024x768x24"));
}

void TestEndToEnd::cleanupTestCase()
{
    x_.reset();
}

QProcessEnvironment TestEndToEnd::GameEnvironment() const
{
    QProcessEnvironment environment = x_->Environment();
    environment.insert("XDG_SESSION_TYPE", "x11");
    return environment;
}

void TestEndToEnd::init()
{
    QVERIFY(x_->CountBells(qEnvironmentVariable("VELMORA_BELL_COUNTER")));
    StartGame();
}

void TestEndToEnd::cleanup()
{
    x_->EndGame();
}

void TestEndToEnd::StartGame(const QStringList &arguments)
{
    QProcess &game = x_->Game();
    game.setProcessEnvironment(GameEnvironment());
    game.start(qEnvironmentVariable("VELMORA_PROGRAM"), arguments);
    QVERIFY(game.waitForStarted());
    unsigned long window = 0;
    QTRY_VERIFY_WITH_TIMEOUT((window = x_->X().WindowOf(game.processId())) != 0, 60000);
    x_->SetWindow(window);
    QTRY_VERIFY_WITH_TIMEOUT(Digits(Screen()) == QStringList({"", "", ""}), 30000);
    x_->Focus();
}

QStringList TestEndToEnd::Digits(const QImage &screen) const
{
    return DigitsOn(screen, [this](const QImage &box) { return NearestGlyph(box, glyphs_); });
}

bool TestEndToEnd::PictureShown(const QImage &screen) const
{
    return CountPixels(screen, kPictureBox, Gold) > 2000;
}

void TestEndToEnd::startsAsDescribed()
{
    const QImage screen = Screen();
    QCOMPARE(screen.size(), kClientSize);
    QCOMPARE(Digits(screen), QStringList({"", "", ""}));
    QCOMPARE(GapInTheBorders(screen, 80), QString()); // a dark single-line border on every side
    QVERIFY(CountPixels(screen, kTitle, Purple) > 150);
    QVERIFY(!PictureShown(screen));
}

void TestEndToEnd::dealsByKeyAndByClick_data()
{
    QTest::addColumn<QString>("key"); // empty: a mouse click on "Neues Spiel"
    QTest::newRow("Space") << "space";
    QTest::newRow("Return") << "Return";
    QTest::newRow("keypad Enter") << "KP_Enter";
    QTest::newRow("mouse click") << "";
}

void TestEndToEnd::dealsByKeyAndByClick()
{
    QFETCH(QString, key);
    if (key.isEmpty())
        Click(kNeuesSpiel);
    else
        Press(key);
    QTRY_COMPARE_WITH_TIMEOUT(Digits(Screen()), QStringList({"7", "5", "5"}), 3000);
    QVERIFY(PictureShown(Screen()));
}

void TestEndToEnd::twentyGamesAsTheGeneratorDeals()
{
    PlayTwentyGames(*x_, [this](const QImage &screen) { return Digits(screen); });
}

void TestEndToEnd::beendenRightAfterAWinEndsAtOnce()
{
    Press("space");
    QTRY_VERIFY_WITH_TIMEOUT(PictureShown(Screen()), 3000);
    Click(kBeenden);
    QVERIFY(x_->Ended(0, 1000));
}

void TestEndToEnd::windowManagerCloseEnds()
{
    Press("space");
    QTRY_VERIFY_WITH_TIMEOUT(PictureShown(Screen()), 3000);
    x_->X().RequestClose(x_->Window());
    QVERIFY(x_->Ended(0, 1000));
}

void TestEndToEnd::freshRunsDealTheSame()
{
    std::array<std::vector<QStringList>, 2> runs;
    for (auto &run : runs) {
        for (int game = 0; game < 4; ++game) {
            const QStringList before = Digits(Screen());
            Press("space");
            QTRY_VERIFY_WITH_TIMEOUT(Digits(Screen()) != before || game == 3, 3000);
            QTest::qWait(100);
            run.push_back(Digits(Screen()));
        }
        Click(kBeenden);
        QVERIFY(x_->Ended(0, 2000));
        StartGame();
    }
    QCOMPARE(runs[0], runs[1]);
    QCOMPARE(runs[0].front(), QStringList({"7", "5", "5"}));
}

void TestEndToEnd::rapidInputRingsForEveryWin()
{
    // As fast as xdotool goes, presses come closer than the toolkit's auto-repeat window, so some are
    // taken for a key held down and deal no game. Whatever was dealt, every win rang exactly once:
    // the screen's last digits and the bells heard must fit one and the same number of games.
    constexpr int kPresses = 5000;
    const std::vector<QStringList> dealt = DealtDigits(kPresses);
    QVERIFY(x_->Xdotool({"key", "--delay", "0", "--repeat", QString::number(kPresses), "space"}));

    int bells = 0;
    QStringList shown;
    int quiet = 0; // checks in a row in which nothing changed
    while (quiet < 5) {
        QTest::qWait(200);
        const int before = bells;
        bells = x_->Bells();
        const QStringList now = Digits(Screen());
        quiet = (now == shown && bells == before) ? quiet + 1 : 0;
        shown = now;
    }
    QCOMPARE(x_->Game().state(), QProcess::Running);

    std::vector<int> fits; // games dealt that would show these digits after ringing these bells
    int wins = 0;
    for (int game = 1; game <= kPresses; ++game) {
        wins += Wins(dealt[game - 1]) ? 1 : 0;
        if (dealt[game - 1] == shown && wins == bells)
            fits.push_back(game);
    }
    qInfo("%d bells; the digits %s and the bells fit %zu game count(s)", bells, qPrintable(shown.join(' ')),
          fits.size());
    QVERIFY(!fits.empty());
}

// Qt's own command-line options are not the game's: the title stays "Form1", and "Beenden" stays on
// the left, where a click finds it.
void TestEndToEnd::qtsOwnOptionsChangeNothing()
{
    x_->EndGame();
    StartGame({"-qwindowtitle", "Fremd", "-reverse", "-style", "fusion"});
    QCOMPARE(x_->Xdotool({"getwindowname", QString::number(x_->Window())}).value_or(""), QByteArray("Form1"));
    Press("space");
    QTRY_COMPARE_WITH_TIMEOUT(Digits(Screen()), QStringList({"7", "5", "5"}), 3000);
    Click(kBeenden);
    QVERIFY(x_->Ended(0, 1000));
}

QTEST_MAIN(TestEndToEnd)
#include "test_e2e.moc"
