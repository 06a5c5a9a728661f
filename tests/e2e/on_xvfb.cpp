// Runs a command on a private Xvfb that it starts and ends, as the end-to-end tests' own X session
// does: DISPLAY names the server, and no Wayland or Qt platform setting of the caller's is passed on.
// The command's exit status is this program's.
//   on_xvfb [--screen WIDTHxHEIGHTxDEPTH] COMMAND [ARGUMENT...]

#include "x_session.h"

#include <QCoreApplication>
#include <QProcess>

#include <cstdio>

int main(int argc, char *argv[])
{
    const QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    QString screen = "1024x768x24";
    if (arguments.value(0) == "--screen") {
        screen = arguments.value(1);
        arguments = arguments.mid(2);
    }
    if (arguments.isEmpty()) {
        std::fputs("usage: on_xvfb [--screen WIDTHxHEIGHTxDEPTH] COMMAND [ARGUMENT...]\n", stderr);
        return 2;
    }
    XSession session;
    if (!session.Start(screen)) {
        std::fputs("on_xvfb: Xvfb did not start\n", stderr);
        return 1;
    }
    QProcess command;
    EndsWithTheTest(command);
    command.setProcessEnvironment(session.Environment());
    command.setProcessChannelMode(QProcess::ForwardedChannels);
    command.setInputChannelMode(QProcess::ForwardedInputChannel);
    command.start(arguments.takeFirst(), arguments);
    if (!command.waitForFinished(-1))
        return 1;
    return command.exitStatus() == QProcess::NormalExit ? command.exitCode() : 1;
}
