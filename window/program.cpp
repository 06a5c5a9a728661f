// Start-up checks, the end of the program, and errors no handler trapped.

#include "game/game.h"
#include "resources/resources.h"
#include "window/window.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

namespace velmora {

namespace {

constexpr const char *kNoDisplay =
    "velmora: Kein Bildschirm: Das Spiel braucht ein Fenstersystem (X11 oder Wayland), aber keines ist erreichbar.\n";

bool Set(const char *name)
{
    const char *value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Qt gives up on a display it cannot open with a fatal message and an abort; say it plainly instead.
QtMessageHandler previousHandler = nullptr;

void StartUpMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg && QGuiApplication::instance() == nullptr) {
        std::fputs(kNoDisplay, stderr);
        std::_Exit(EXIT_FAILURE);
    }
    previousHandler(type, context, message);
}

} // namespace

void QuitGame()
{
    QCoreApplication::exit(0);
}

void ReportUntrappedError(const std::exception &error, QWidget *parent)
{
    const auto *runtimeError = dynamic_cast<const Error *>(&error);
    const QString text = runtimeError != nullptr ? QStringLiteral("Laufzeitfehler '%1':\n\n%2")
                                                       .arg(runtimeError->Number())
                                                       .arg(QString::fromStdString(runtimeError->Description()))
                                                 : QStringLiteral("Laufzeitfehler:\n\n%1").arg(error.what());
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Velmora"), text, QMessageBox::Ok, parent);
    box.exec();
    QCoreApplication::exit(EXIT_FAILURE);
}

bool DisplayAvailable()
{
    const bool platformChosen = Set("QT_QPA_PLATFORM");
    if (!platformChosen && !Set("DISPLAY") && !Set("WAYLAND_DISPLAY")) {
        std::fputs(kNoDisplay, stderr);
        return false;
    }
    previousHandler = qInstallMessageHandler(StartUpMessages);
    return true;
}

void SetUpApplication(QApplication &app)
{
    QApplication::setApplicationName(QString::fromUtf8(kProductName));
    QApplication::setApplicationVersion(QString::fromUtf8(kDisplayVersion));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(kAppId));
    QApplication::setWindowIcon(AppIcon());

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

} // namespace velmora
