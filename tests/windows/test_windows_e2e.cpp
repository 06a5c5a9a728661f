// The Windows program as a player meets it, under Wine on its own Xvfb: keys and clicks sent with
// xdotool, and nothing read but the window's pixels, the X server's bells and the exit status.

#include "game/game.h"
#include "screen.h"
#include "x_session.h"

#include <QDir>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <map>

namespace {

// Windows programs are started with the tests' Wine settings (tests/wine/wine64.sh), by Wine's 64-bit
// loader itself.
QString Wine64()
{
    return qEnvironmentVariable("VELMORA_WINE64");
}

QRect Scaled(const QRect &rect, double scale)
{
    return {qRound(rect.x() * scale), qRound(rect.y() * scale), qRound(rect.width() * scale),
            qRound(rect.height() * scale)};
}

// Where a digit box's dark pixels are, inside its border.
QRect InkBounds(const QImage &box)
{
    QRect ink;
    for (int y = 3; y < box.height() - 3; ++y) { // inside the border
        for (int x = 3; x < box.width() - 3; ++x) {
            if (qGray(box.pixel(x, y)) < 100)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// A digit's ink, whatever its size and place in the box, scaled to a small grey grid; an empty box
// has none.
QImage Ink(const QImage &box)
{
    const QRect ink = InkBounds(box);
    if (ink.isEmpty())
        return {};
    return box.copy(ink)
        .scaled(12, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_Grayscale8);
}

// Beside the coins the picture shows the form's own background, in any scheme: no box of its own.
bool PictureBesideTheCoinsIsTheForm(const QImage &screen)
{
    const QRgb form = screen.pixel(10, 330);                                   // bare form, left of the picture
    const QRect corner(kPictureBox.left() + 2, kPictureBox.top() + 2, 40, 30); // no coin reaches here
    for (int y = corner.top(); y <= corner.bottom(); ++y) {
        for (int x = corner.left(); x <= corner.right(); ++x) {
            if (screen.pixel(x, y) != form)
                return false;
        }
    }
    return true;
}

} // namespace

class TestWindowsEndToEnd : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();
    void startsAsDescribed();
    void twentyGamesAsTheGeneratorDeals();
    void returnAndClickDeal();
    void tabMovesBetweenTheButtons();
    void beendenRightAfterAWinEnds();
    void closingTheWindowEnds();
    void followsTheDensity();
    void theFormFollowsEveryDensity_data();
    void theFormFollowsEveryDensity();
    void aScreenReaderNamesEveryControlAndHearsTheWin();
    void highContrastKeepsTheDigitsLegible();

  private:
    QTemporaryDir scratch_;
    QString prefix_; // one Wine prefix and one Wine server for every check
    QProcess server_;
    int dpi_ = 96;
    std::unique_ptr<XSession> x_;
    std::map<QString, QImage> glyphs_; // "0" to "9" as Liberation Serif draws them

    [[nodiscard]] QProcessEnvironment Environment() const;
    // Runs a Windows program (or one of Wine's own) in the prefix and waits for it; its exit code, or
    // -1 where it did not finish.
    [[nodiscard]] int RunWine(const QStringList &arguments) const;
    // The prefix's server and its system processes, which hold the colours they started with.
    void StartServer();
    void EndServer();
    // The density the next program starts at, as the control panel sets it.
    void SetDpi(int dpi);
    void StartGame(int dpi = 96);
    [[nodiscard]] QImage Screen() const { return x_->Screen(); }
    [[nodiscard]] QStringList Digits(const QImage &screen) const;
    void Press(const QString &key) const { x_->Press(key); }
    void Click(QPoint at) const { x_->Click(at); }
    void StartProbe(QProcess &probe, const QString &mode) const;
};

QProcessEnvironment TestWindowsEndToEnd::Environment() const
{
    QProcessEnvironment environment = x_->Environment();
    environment.insert("WINEPREFIX", prefix_);
    return environment;
}

int TestWindowsEndToEnd::RunWine(const QStringList &arguments) const
{
    QProcess wine;
    wine.setProcessEnvironment(Environment());
    wine.start(Wine64(), arguments);
    return wine.waitForFinished(120000) && wine.exitStatus() == QProcess::NormalExit ? wine.exitCode() : -1;
}

void TestWindowsEndToEnd::SetDpi(int dpi)
{
    if (dpi == dpi_)
        return;
    QCOMPARE(RunWine({"reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d",
                      QString::number(dpi), "/f"}),
             0);
    dpi_ = dpi;
}

void TestWindowsEndToEnd::initTestCase()
{
    if (!QFile::exists(qEnvironmentVariable("VELMORA_WINDOWS_PROGRAM"))) {
        if (qEnvironmentVariable("CI") == "true")
            QFAIL("the Windows program is not built (preset windows-x64)");
        QSKIP("the Windows program is not built (preset windows-x64)");
    }
    QLabel label;
    QFont font("Liberation Serif");
    font.setPixelSize(32);
    font.setBold(true);
    label.setFont(font);
    label.setFixedSize(137, 105);
    label.setAlignment(Qt::AlignCenter);
    for (int digit = 0; digit <= 9; ++digit) {
        label.setText(QString::number(digit));
        glyphs_[QString::number(digit)] = Ink(label.grab().toImage().convertToFormat(QImage::Format_RGB32));
    }

    x_ = std::make_unique<XSession>();
    QVERIFY(x_->Start("1280x1024x24"));

    // The build's prefix, set up as a Windows machine would be (tests/wine/prefix.sh, once per build:
    // the first start of Wine in a new prefix takes long), copied afresh: a run starts from the
    // machine as set up.
    prefix_ = scratch_.filePath("prefix");
    QCOMPARE(QProcess::execute("cp", {"-a", qEnvironmentVariable("VELMORA_WINE_PREFIX"), prefix_}), 0);
    // Its server, for the whole run: each program meets one that is up, with the prefix's system
    // processes already started.
    EndsWithTheTest(server_);
    StartServer();
}

void TestWindowsEndToEnd::StartServer()
{
    server_.setProcessEnvironment(Environment());
    server_.start("wineserver", {"--foreground", "--persistent"});
    QVERIFY(server_.waitForStarted());
}

void TestWindowsEndToEnd::EndServer()
{
    QProcess end;
    end.setProcessEnvironment(Environment());
    end.start("wineserver", {"--kill"});
    if (!end.waitForFinished(30000) || !server_.waitForFinished(30000))
        server_.kill();
}

void TestWindowsEndToEnd::cleanupTestCase()
{
    x_->EndGame();
    EndServer();
    x_.reset();
}

void TestWindowsEndToEnd::cleanup()
{
    x_->EndGame();
}

void TestWindowsEndToEnd::StartGame(int dpi)
{
    QVERIFY(x_->CountBells(qEnvironmentVariable("VELMORA_BELL_COUNTER")));
    SetDpi(dpi);
    QProcess &game = x_->Game();
    game.setProcessEnvironment(Environment());
    game.start(Wine64(), {qEnvironmentVariable("VELMORA_WINDOWS_PROGRAM")});
    QVERIFY(game.waitForStarted());
    unsigned long window = 0;
    QTRY_VERIFY_WITH_TIMEOUT(
        (window = x_->Xdotool({"search", "--onlyvisible", "--name", "^Form1$"}).value_or("").toULong()) != 0,
        120000); // a new prefix's first start on a loaded machine takes long
    x_->SetWindow(window);
    // Painted: the title stands in purple where the density puts it.
    QTRY_VERIFY_WITH_TIMEOUT(CountPixels(Screen(), Scaled(kTitle, dpi / 96.0), Purple) > 150, 30000);
    x_->Focus();
}

QStringList TestWindowsEndToEnd::Digits(const QImage &screen) const
{
    return DigitsOn(screen, [this](const QImage &box) {
        const QImage ink = Ink(box);
        return ink.isNull() ? QString() : NearestGlyph(ink, glyphs_);
    });
}

void TestWindowsEndToEnd::StartProbe(QProcess &probe, const QString &mode) const
{
    probe.setProcessEnvironment(Environment());
    probe.start(Wine64(), {qEnvironmentVariable("VELMORA_WINDOWS_PROBE"), mode});
}

void TestWindowsEndToEnd::startsAsDescribed()
{
    StartGame();
    const QImage screen = Screen();
    QCOMPARE(screen.size(), kClientSize);
    QCOMPARE(Digits(screen), QStringList({"", "", ""}));
    QCOMPARE(GapInTheBorders(screen, 180), QString()); // a single-line border on every side
    QVERIFY(CountPixels(screen, kTitle, Purple) > 150);
    QCOMPARE(CountPixels(screen, kPictureBox, Gold), 0);
}

void TestWindowsEndToEnd::twentyGamesAsTheGeneratorDeals()
{
    StartGame();
    PlayTwentyGames(
        *x_, [this](const QImage &screen) { return Digits(screen); },
        [](const QImage &screen) { QVERIFY(PictureBesideTheCoinsIsTheForm(screen)); });
}

void TestWindowsEndToEnd::returnAndClickDeal()
{
    StartGame();
    Press("Return");
    QTRY_COMPARE_WITH_TIMEOUT(Digits(Screen()), DealtDigits(1).front(), 3000);
    Click(kNeuesSpiel);
    QTRY_COMPARE_WITH_TIMEOUT(Digits(Screen()), DealtDigits(2).back(), 3000);
}

void TestWindowsEndToEnd::tabMovesBetweenTheButtons()
{
    StartGame();
    Press("Tab"); // to Beenden
    Press("Tab"); // and back: the labels and the picture never take the focus
    Press("space");
    QTRY_COMPARE_WITH_TIMEOUT(Digits(Screen()), DealtDigits(1).front(), 3000);
    Press("Tab");
    Press("space");
    QVERIFY(x_->Ended(0, 30000));
}

void TestWindowsEndToEnd::beendenRightAfterAWinEnds()
{
    StartGame();
    Press("space");
    QTRY_VERIFY_WITH_TIMEOUT(CountPixels(Screen(), kPictureBox, Gold) > 2000, 3000);
    Click(kBeenden);
    QVERIFY(x_->Ended(0, 30000));
}

void TestWindowsEndToEnd::closingTheWindowEnds()
{
    StartGame();
    x_->X().RequestClose(x_->Window());
    QVERIFY(x_->Ended(0, 30000));
}

void TestWindowsEndToEnd::followsTheDensity()
{
    // At 144 dots per inch everything is half as large again: the window, each box, the picture.
    StartGame(144);
    const QImage before = Screen();
    QCOMPARE(before.size(), kClientSize * 1.5);
    const QRect label1 = Scaled(kDigitBoxes[0], 1.5);
    QVERIFY(qGray(before.pixel(label1.left(), label1.center().y())) < 180);
    QVERIFY(qGray(before.pixel(label1.right(), label1.center().y())) < 180);
    QVERIFY(CountPixels(before, Scaled(kTitle, 1.5), Purple) > 150 * 2);
    Press("space"); // 7 5 5: a win
    QTRY_VERIFY_WITH_TIMEOUT(CountPixels(Screen(), Scaled(kPictureBox, 1.5), Gold) > 2000 * 2, 3000);
    const int ink = InkBounds(Screen().copy(label1)).height();
    QVERIFY2(ink > 30, qPrintable(QString::number(ink))); // a 36 pt glyph, not a 24 pt one
}

void TestWindowsEndToEnd::theFormFollowsEveryDensity_data()
{
    QTest::addColumn<int>("dpi");
    QTest::newRow("96 dpi") << 96;
    QTest::newRow("144 dpi") << 144;
}

// The form itself (tests/windows/test_form.cpp) at that density: with and without the per-monitor
// functions, and moved to a monitor of another. What no density changes (the drawing objects, a new
// colour scheme) is checked at the first.
void TestWindowsEndToEnd::theFormFollowsEveryDensity()
{
    QFETCH(int, dpi);
    SetDpi(dpi);
    QProcess form;
    QProcessEnvironment environment = Environment();
    environment.insert("VELMORA_DPI", QString::number(dpi));
    form.setProcessEnvironment(environment);
    QStringList arguments{qEnvironmentVariable("VELMORA_WINDOWS_FORM_TESTS")};
    if (dpi != 96)
        arguments << "--test-case=*density*";
    form.start(Wine64(), arguments);
    QVERIFY(form.waitForFinished(300000));
    QVERIFY2(form.exitCode() == 0, form.readAllStandardOutput().constData());
}

void TestWindowsEndToEnd::aScreenReaderNamesEveryControlAndHearsTheWin()
{
    StartGame();
    QProcess alert;
    StartProbe(alert, "alert");
    QVERIFY(alert.waitForReadyRead(60000));
    QCOMPARE(alert.readLine().trimmed(), QByteArray("ready"));
    Press("space"); // 7 5 5: a win, raised as an alert by the picture (Image1, id 102)
    QTRY_COMPARE_WITH_TIMEOUT(Digits(Screen()), DealtDigits(1).front(), 3000);
    QVERIFY(alert.state() == QProcess::NotRunning || alert.waitForFinished(60000)); // it may be done already
    QCOMPARE(alert.readAllStandardOutput().trimmed(), QByteArray("alert 102"));

    QProcess reader;
    StartProbe(reader, "names");
    QVERIFY(reader.waitForFinished(60000));
    QStringList names;
    QStringList descriptions;
    QStringList roles;
    for (const QString &line :
         QString::fromUtf8(reader.readAllStandardOutput()).remove(u'\r').split('\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split('|');
        names << fields.value(0);
        descriptions << fields.value(1);
        roles << fields.value(2);
    }
    // In creation order: Command2, Command1, Image1, Label4, Label2, Label3, Label1.
    QCOMPARE(names, QStringList({"Beenden", "Neues Spiel", "Goldmünzen", "Velmora", "5", "5", "7"}));
    QEXPECT_FAIL("", "Wine's accessibility layer reads no annotations: descriptions and roles are its own", Continue);
    QCOMPARE(descriptions, QStringList({"Beendet das Spiel", "Teilt drei neue Ziffern aus; jede Sieben gewinnt",
                                        "Ein Haufen aus elf Goldmünzen: gewonnen!", "Name des Spiels", "Zweite Ziffer",
                                        "Dritte Ziffer", "Erste Ziffer"}));
    QEXPECT_FAIL("", "Wine's accessibility layer reads no annotations: descriptions and roles are its own", Continue);
    QCOMPARE(roles.at(2), QString("40")); // the picture as a graphic (ROLE_SYSTEM_GRAPHIC)
}

void TestWindowsEndToEnd::highContrastKeepsTheDigitsLegible()
{
    // A high-contrast scheme: white text on black faces. The digits take the system's text colour.
    // (A scheme chosen while the game runs is the form's own test: Wine hands a new scheme to no other
    // process.)
    for (const auto &[name, rgb] :
         {std::pair{"ButtonFace", "0 0 0"}, std::pair{"ButtonText", "255 255 255"}, std::pair{"Window", "0 0 0"},
          std::pair{"WindowText", "255 255 255"}, std::pair{"WindowFrame", "255 255 255"}}) {
        QCOMPARE(RunWine({"reg", "add", "HKCU\\Control Panel\\Colors", "/v", name, "/d", rgb, "/f"}), 0);
    }
    EndServer(); // the new scheme is read as the server and the game start
    StartServer();
    StartGame();
    Press("space"); // 7 5 5: a win
    QTRY_VERIFY_WITH_TIMEOUT(CountPixels(Screen(), kPictureBox, Gold) > 2000, 3000);
    const QImage screen = Screen();
    if (!qEnvironmentVariableIsEmpty("VELMORA_SCREENSHOTS"))
        screen.save(QDir(qEnvironmentVariable("VELMORA_SCREENSHOTS")).filePath("windows-high-contrast.png"));
    for (const QRect &box : kDigitBoxes) {
        const QRect inside = box.adjusted(3, 3, -3, -3);
        const int light = CountPixels(screen, inside, [](QRgb pixel) { return qGray(pixel) > 200; });
        const int dark = CountPixels(screen, inside, [](QRgb pixel) { return qGray(pixel) < 50; });
        QVERIFY2(light > 100 && dark > inside.width() * inside.height() / 2,
                 qPrintable(QStringLiteral("box at %1: %2 light, %3 dark").arg(box.x()).arg(light).arg(dark)));
    }
    QVERIFY(qGray(screen.pixel(10, 330)) < 50); // the form's face is the scheme's black
    QVERIFY(PictureBesideTheCoinsIsTheForm(screen));
    QVERIFY(CountPixels(screen, kTitle, Purple) > 150); // a stored colour stays
}

QTEST_MAIN(TestWindowsEndToEnd)
#include "test_windows_e2e.moc"
