// The alert of a win: which one each desktop gets, and that a win is heard once and a loss not at all.

#include "game/game.h"
#include "qt/alert.h"
#include "qt/form1.h"
#include "tests/core/scripted_random.h"
#include "window/window_description.h"

#include <QLabel>

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <canberra.h>

#include <vector>

using velmora::AlertKind;

namespace {

// The loudest 16-bit sample in the sound file, or -1 when there is no file.
int Loudest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray data = file.readAll();
    int loudest = 0;
    for (qsizetype i = 0; i + 1 < data.size(); i += 2) {
        const auto sample = static_cast<qint16>(static_cast<quint8>(data[i]) | (static_cast<quint8>(data[i + 1]) << 8));
        loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
    }
    return loudest;
}

} // namespace

Q_DECLARE_METATYPE(AlertKind)

class TestAlert : public QObject {
    Q_OBJECT

  private slots:
    void choosesTheAlert_data();
    void choosesTheAlert();
    void asksTheSoundThemeForTheBell_data();
    void asksTheSoundThemeForTheBell();
    void ringTheSoundThemeOnce();
    void winIsHeardOnceLossNotAtAll();
    void windowsComeAndGoWhileTheBellPlays();
};

void TestAlert::choosesTheAlert_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<bool>("waylandDesktop");
    QTest::addColumn<AlertKind>("kind");

    QTest::newRow("X11 session") << "xcb" << false << AlertKind::WindowSystemBell;
    QTest::newRow("X11 program on a Wayland desktop") << "xcb" << true << AlertKind::SoundTheme;
    QTest::newRow("Wayland") << "wayland" << true << AlertKind::SoundTheme;
    QTest::newRow("Wayland with EGL") << "wayland-egl" << true << AlertKind::SoundTheme;
    QTest::newRow("Wayland platform, desktop unknown") << "wayland" << false << AlertKind::SoundTheme;
    QTest::newRow("offscreen") << "offscreen" << false << AlertKind::WindowSystemBell;
}

void TestAlert::choosesTheAlert()
{
    QFETCH(QString, platform);
    QFETCH(bool, waylandDesktop);
    QFETCH(AlertKind, kind);
    QCOMPARE(velmora::ChooseAlert(platform.toStdString(), waylandDesktop), kind);
}

// What libcanberra is asked for one ring, read from its stand-in: the game's name and icon for the
// context, then the window system's bell, and the plain bell only where the theme has no such sound.
void TestAlert::asksTheSoundThemeForTheBell_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("asked");

    const QString context = "props application.icon_name=org.velmora.Velmora application.name=Velmora";
    const QString played = "play event.description=" + QString::fromUtf8(velmora::WindowDescription.winAnnouncement);
    const QString windowBell = played + " event.id=bell-window-system";
    QTest::newRow("the theme has the window system's bell") << int{CA_SUCCESS} << QStringList{context, windowBell};
    QTest::newRow("the theme has no window system's bell")
        << int{CA_ERROR_NOTFOUND} << QStringList{context, windowBell, played + " event.id=bell"};
    QTest::newRow("no sound can be played") << int{CA_ERROR_DISABLED} << QStringList{context, windowBell};
}

void TestAlert::asksTheSoundThemeForTheBell()
{
    QFETCH(int, answer);
    QFETCH(QStringList, asked);
    // Each row in a process of its own: the library is opened once a run.
    QTemporaryDir scratch;
    const QString log = scratch.filePath("canberra.log");
    QProcess ring;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LD_LIBRARY_PATH", VELMORA_CANBERRA_STAND_IN_DIR);
    environment.insert("VELMORA_CANBERRA_LOG", log);
    environment.insert("VELMORA_CANBERRA_ANSWER_FOR", "bell-window-system");
    environment.insert("VELMORA_CANBERRA_ANSWER", QString::number(answer));
    environment.insert("VELMORA_RING_ONCE", "1");
    ring.setProcessEnvironment(environment);
    ring.start(QCoreApplication::applicationFilePath(), {"ringTheSoundThemeOnce"});
    QVERIFY(ring.waitForFinished(60000));
    QCOMPARE(ring.exitCode(), 0);
    QFile file(log);
    QVERIFY2(file.open(QIODevice::ReadOnly), "libcanberra.so.0 was never opened");
    QCOMPARE(QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts), asked);
}

void TestAlert::ringTheSoundThemeOnce()
{
    if (qEnvironmentVariableIsEmpty("VELMORA_RING_ONCE"))
        QSKIP("run by asksTheSoundThemeForTheBell");
    velmora::Alert(AlertKind::SoundTheme).Ring();
}

void TestAlert::winIsHeardOnceLossNotAtAll()
{
    // Set by tests/e2e/alert_sound.sh, which points ALSA's default device at this file.
    const QString soundFile = qEnvironmentVariable("VELMORA_SOUND_FILE");
    if (soundFile.isEmpty())
        QSKIP("needs the sound file of tests/e2e/alert_sound.sh");
    const bool expectSound = qEnvironmentVariable("VELMORA_EXPECT_SOUND") == "1";

    ScriptedRandom random({0.1F, 0.2F, 0.3F, 0.75F, 0.2F, 0.3F}); // a loss, then a win
    velmora::Form1 form(random);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    form.NewGameButton()->click();
    QTest::qWait(500);
    QCOMPARE(Loudest(soundFile), -1);

    form.NewGameButton()->click();
    QCOMPARE(form.Digit1()->text(), QString("7"));
    if (expectSound) {
        QTRY_VERIFY_WITH_TIMEOUT(Loudest(soundFile) > 1000, 5000);
    } else {
        QTest::qWait(1000);
        QCOMPARE(Loudest(soundFile), -1);
    }
}

void TestAlert::windowsComeAndGoWhileTheBellPlays()
{
    // A window that wins and goes at once leaves its bell playing; the audio stays up under it.
    for (int round = 0; round < 20; ++round) {
        velmora::RuntimeRandom random; // the first game wins
        auto form = std::make_unique<velmora::Form1>(random);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->NewGameButton()->click();
        form.reset();
        QTest::qWait(round);
    }
}

QTEST_MAIN(TestAlert)
#include "test_alert.moc"
