// The built game as a player meets it, on a real X server: Xvfb started here, keys and clicks sent
// with xdotool, and nothing read but what a player sees (the window's pixels) and hears (XKB bells).
// The digits are read by matching against the glyphs the game's own window draws for 0 to 9.

#include "game/game.h"
#include "qt/window.h"
#include "screen.h"
#include "x_display.h"

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
    void noDisplayIsSaidPlainly();

  private:
    QProcess xvfb_;
    QProcess bells_;
    QProcess game_;
    QString display_;
    std::unique_ptr<XDisplay> x_;
    unsigned long window_ = 0;
    std::map<QString, QImage> glyphs_; // "" and "0" to "9", as the window draws them in a digit box

    [[nodiscard]] QProcessEnvironment GameEnvironment() const;
    void StartGame();
    [[nodiscard]] QImage Screen() const { return ToQImage(x_->Capture(window_)); }
    [[nodiscard]] QStringList Digits(const QImage &screen) const;
    [[nodiscard]] bool PictureShown(const QImage &screen) const;
    void Xdotool(const QStringList &arguments) const;
    void Press(const QString &key) const { Xdotool({"key", "--clearmodifiers", key}); }
    void Click(QPoint at) const;
};

void TestEndToEnd::initTestCase()
{
    // The glyphs, drawn by the game's own window in a digit box.
    velmora::RuntimeRandom random;
    velmora::Form1 form(random);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (const char *digit : {"", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}) {
        form.Label1()->setText(digit);
        glyphs_[digit] = form.Label1()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    display_ = StartXvfb(xvfb_, "1024x768x24");
    QVERIFY(!display_.isEmpty());
    game_.setStandardOutputFile(QProcess::nullDevice());
    game_.setStandardErrorFile(QProcess::nullDevice());
    x_ = std::make_unique<XDisplay>(display_.toStdString());
    QVERIFY(x_->Connected());
}

void TestEndToEnd::cleanupTestCase()
{
    x_.reset();
    xvfb_.terminate();
    xvfb_.waitForFinished();
}

QProcessEnvironment TestEndToEnd::GameEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("XDG_SESSION_TYPE", "x11");
    environment.insert("DISPLAY", display_);
    return environment;
}

void TestEndToEnd::init()
{
    bells_.setProcessEnvironment(GameEnvironment());
    bells_.start(qEnvironmentVariable("VELMORA_BELL_COUNTER"), QStringList());
    QVERIFY(bells_.waitForReadyRead(30000));
    QCOMPARE(bells_.readLine().trimmed(), QByteArray("ready"));
    StartGame();
}

void TestEndToEnd::cleanup()
{
    game_.kill();
    game_.waitForFinished();
    bells_.kill();
    bells_.waitForFinished();
}

void TestEndToEnd::StartGame()
{
    game_.setProcessEnvironment(GameEnvironment());
    game_.start(qEnvironmentVariable("VELMORA_PROGRAM"), QStringList());
    QVERIFY(game_.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT((window_ = x_->WindowOf(game_.processId())) != 0, 60000);
    QTRY_VERIFY_WITH_TIMEOUT(Digits(Screen()) == QStringList({"", "", ""}), 30000);
    Xdotool({"windowfocus", "--sync", QString::number(window_)});
}

QStringList TestEndToEnd::Digits(const QImage &screen) const
{
    QStringList digits;
    for (const QRect &box : kDigitBoxes) {
        if (screen.width() < box.right() || screen.height() < box.bottom())
            return {};
        digits << NearestGlyph(screen.copy(box), glyphs_);
    }
    return digits;
}

bool TestEndToEnd::PictureShown(const QImage &screen) const
{
    return CountPixels(screen, kPictureBox, Gold) > 2000;
}

void TestEndToEnd::Xdotool(const QStringList &arguments) const
{
    QProcess xdotool;
    xdotool.setProcessEnvironment(GameEnvironment());
    xdotool.start("xdotool", arguments);
    QVERIFY(xdotool.waitForFinished(120000));
    QCOMPARE(xdotool.exitCode(), 0);
}

void TestEndToEnd::Click(QPoint at) const
{
    Xdotool({"mousemove", "--window", QString::number(window_), QString::number(at.x()), QString::number(at.y()),
             "click", "1"});
}

void TestEndToEnd::startsAsDescribed()
{
    const QImage screen = Screen();
    QCOMPARE(screen.size(), QSize(662, 346));
    QCOMPARE(Digits(screen), QStringList({"", "", ""}));
    for (const QRect &box : kDigitBoxes) { // a dark single-line border on every side
        for (const QPoint &edge : {QPoint(box.left(), box.center().y()), QPoint(box.right(), box.center().y()),
                                   QPoint(box.center().x(), box.top()), QPoint(box.center().x(), box.bottom())})
            QVERIFY2(qGray(screen.pixel(edge)) < 80, qPrintable(QStringLiteral("%1,%2").arg(edge.x()).arg(edge.y())));
    }
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
    int bells = 0;
    const auto countBells = [this, &bells] {
        while (bells_.waitForReadyRead(0) || bells_.canReadLine())
            bells += bells_.readLine().trimmed() == "bell" ? 1 : 0;
        return bells;
    };
    int wins = 0;
    for (const QStringList &dealt : DealtDigits(20)) {
        Press("space");
        QTRY_COMPARE_WITH_TIMEOUT(Digits(Screen()), dealt, 3000);
        QTRY_COMPARE_WITH_TIMEOUT(PictureShown(Screen()), Wins(dealt), 3000);
        wins += Wins(dealt) ? 1 : 0;
        if (Wins(dealt))
            QTRY_COMPARE_WITH_TIMEOUT(countBells(), wins, 2000);
        QTest::qWait(50);
        QCOMPARE(countBells(), wins); // exactly one bell a win, none for a loss
    }
}

void TestEndToEnd::beendenRightAfterAWinEndsAtOnce()
{
    Press("space");
    QTRY_VERIFY_WITH_TIMEOUT(PictureShown(Screen()), 3000);
    Click(kBeenden);
    QVERIFY(game_.waitForFinished(1000));
    QCOMPARE(game_.exitStatus(), QProcess::NormalExit);
    QCOMPARE(game_.exitCode(), 0);
}

void TestEndToEnd::windowManagerCloseEnds()
{
    Press("space");
    QTRY_VERIFY_WITH_TIMEOUT(PictureShown(Screen()), 3000);
    x_->RequestClose(window_);
    QVERIFY(game_.waitForFinished(1000));
    QCOMPARE(game_.exitStatus(), QProcess::NormalExit);
    QCOMPARE(game_.exitCode(), 0);
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
        QVERIFY(game_.waitForFinished(2000));
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
    Xdotool({"key", "--delay", "0", "--repeat", QString::number(kPresses), "space"});

    int bells = 0;
    QStringList shown;
    int quiet = 0; // checks in a row in which nothing changed
    while (quiet < 5) {
        QTest::qWait(200);
        const int before = bells;
        while (bells_.waitForReadyRead(0) || bells_.canReadLine())
            bells += bells_.readLine().trimmed() == "bell" ? 1 : 0;
        const QStringList now = Digits(Screen());
        quiet = (now == shown && bells == before) ? quiet + 1 : 0;
        shown = now;
    }
    QCOMPARE(game_.state(), QProcess::Running);

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

void TestEndToEnd::noDisplayIsSaidPlainly()
{
    game_.kill();
    game_.waitForFinished();
    QProcess bare;
    QProcessEnvironment nothing;
    nothing.insert("PATH", qEnvironmentVariable("PATH"));
    bare.setProcessEnvironment(nothing);
    bare.start(qEnvironmentVariable("VELMORA_PROGRAM"), QStringList());
    QVERIFY(bare.waitForFinished(5000));
    QCOMPARE(bare.exitStatus(), QProcess::NormalExit);
    QVERIFY(bare.exitCode() != 0);
    const QByteArray said = bare.readAllStandardError();
    QCOMPARE(said.count('\n'), 1);
    QVERIFY(said.contains("Bildschirm"));
}

QTEST_MAIN(TestEndToEnd)
#include "test_e2e.moc"
