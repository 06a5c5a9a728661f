#include "x_session.h"

#include <QTest>

#include <csignal>
#include <sys/prctl.h>

void EndsWithTheTest(QProcess &process)
{
    // prctl is the system's own variadic call.
    process.setChildProcessModifier(
        [] { prctl(PR_SET_PDEATHSIG, SIGKILL); }); // NOLINT(cppcoreguidelines-pro-type-vararg)
}

XSession::XSession()
{
    for (QProcess *process : {&xvfb_, &bells_, &game_})
        EndsWithTheTest(*process);
}

XSession::~XSession()
{
    EndGame();
    x_.reset();
    if (xvfb_.state() != QProcess::NotRunning) {
        xvfb_.terminate();
        xvfb_.waitForFinished();
    }
}

bool XSession::Start(const QString &screen)
{
    display_ = StartXvfb(xvfb_, screen);
    if (display_.isEmpty())
        return false;
    game_.setStandardOutputFile(QProcess::nullDevice());
    game_.setStandardErrorFile(QProcess::nullDevice());
    x_ = std::make_unique<XDisplay>(display_.toStdString());
    return x_->Connected();
}

QProcessEnvironment XSession::Environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("DISPLAY", display_);
    return environment;
}

bool XSession::CountBells(const QString &counter)
{
    heard_ = 0;
    bells_.setProcessEnvironment(Environment());
    bells_.start(counter, QStringList());
    return bells_.waitForReadyRead(30000) && bells_.readLine().trimmed() == "ready";
}

int XSession::Bells()
{
    while (bells_.waitForReadyRead(0) || bells_.canReadLine())
        heard_ += bells_.readLine().trimmed() == "bell" ? 1 : 0;
    return heard_;
}

bool XSession::Ended(int status, int milliseconds)
{
    // It may have ended already, while a check waited for the screen.
    const bool ended = game_.state() == QProcess::NotRunning || game_.waitForFinished(milliseconds);
    return ended && game_.exitStatus() == QProcess::NormalExit && game_.exitCode() == status;
}

void XSession::EndGame()
{
    for (QProcess *process : {&game_, &bells_}) {
        process->kill();
        process->waitForFinished();
    }
}

std::optional<QByteArray> XSession::Xdotool(const QStringList &arguments) const
{
    QProcess xdotool;
    xdotool.setProcessEnvironment(Environment());
    xdotool.start("xdotool", arguments);
    if (!xdotool.waitForFinished(120000) || xdotool.exitCode() != 0)
        return std::nullopt;
    return xdotool.readAllStandardOutput().split('\n').value(0);
}

void XSession::Click(QPoint at) const
{
    Xdotool({"mousemove", "--window", QString::number(window_), QString::number(at.x()), QString::number(at.y()),
             "click", "1"});
}

QString GapInTheBorders(const QImage &screen, int grey)
{
    for (const QRect &box : kDigitBoxes) {
        for (const QPoint &edge : {QPoint(box.left(), box.center().y()), QPoint(box.right(), box.center().y()),
                                   QPoint(box.center().x(), box.top()), QPoint(box.center().x(), box.bottom())}) {
            if (qGray(screen.pixel(edge)) >= grey)
                return QStringLiteral("%1,%2").arg(edge.x()).arg(edge.y());
        }
    }
    return {};
}

void PlayTwentyGames(XSession &session, const std::function<QStringList(const QImage &)> &digits,
                     const std::function<void(const QImage &)> &onWin)
{
    int wins = 0;
    for (const QStringList &dealt : DealtDigits(20)) {
        session.Press("space");
        QTRY_COMPARE_WITH_TIMEOUT(digits(session.Screen()), dealt, 3000);
        QTRY_COMPARE_WITH_TIMEOUT(CountPixels(session.Screen(), kPictureBox, Gold) > 2000, Wins(dealt), 3000);
        if (Wins(dealt)) {
            ++wins;
            if (onWin)
                onWin(session.Screen());
            QTRY_COMPARE_WITH_TIMEOUT(session.Bells(), wins, 2000);
        }
        QTest::qWait(50);
        QCOMPARE(session.Bells(), wins); // exactly one bell a win, none for a loss
    }
}
