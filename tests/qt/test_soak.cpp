// Long sessions through the real window, offscreen: memory stays flat, and a session leaks nothing.

#include "game/game.h"
#include "qt/form1.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTest>

namespace {

// Resident memory of this process, in KiB.
long ResidentKiB()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// Plays `games` games on the window, letting it repaint after every `batch` of them.
void Play(velmora::Form1 &form, long games, long batch = 1000)
{
    for (long game = 1; game <= games; ++game) {
        form.NewGameButton()->click();
        if (game % batch == 0)
            QApplication::processEvents();
    }
    QApplication::processEvents();
}

long Setting(const char *name, long fallback)
{
    bool ok = false;
    const long value = qEnvironmentVariable(name).toLong(&ok);
    return ok ? value : fallback;
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void aMillionGamesKeepMemoryFlat();
    void playsASession();

  private:
    velmora::RuntimeRandom *random_ = nullptr;
    velmora::Form1 *form_ = nullptr;
};

void TestSoak::init()
{
    random_ = new velmora::RuntimeRandom;
    form_ = new velmora::Form1(*random_);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_));
}

void TestSoak::cleanup()
{
    delete form_;
    delete random_;
}

void TestSoak::aMillionGamesKeepMemoryFlat()
{
    const long games = Setting("VELMORA_SOAK_GAMES", 1'000'000);
    Play(*form_, 1000);
    const long early = ResidentKiB();
    Play(*form_, games - 1000);
    const long late = ResidentKiB();
    qInfo("resident memory after 1000 games: %ld KiB, after %ld games: %ld KiB", early, games, late);
    QVERIFY(early > 0);
    QVERIFY2(std::abs(late - early) < 1024, qPrintable(QString::number(late - early)));
}

void TestSoak::playsASession()
{
    // Run under valgrind by CTest: a session of 200 games with a repaint after each.
    Play(*form_, Setting("VELMORA_SESSION_GAMES", 200), 1);
}

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
