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
#include <vector>

namespace velmora {

namespace {

constexpr const char *kNoDisplay =
    "velmora: Kein Bildschirm: Das Spiel braucht ein Fenstersystem (X11 oder Wayland), aber keines ist erreichbar.\n";

bool Set(const char *name)
{
    const char *value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Qt gives up on a display it cannot open with warnings, a fatal message and an abort. Until the
// application stands, its messages wait here: if it gives up, only our one line is said.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QtMessageHandler previousHandler = nullptr;
bool startingUp = false;
std::vector<HeldMessage> heldMessages;

void StartUpMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!startingUp) {
        previousHandler(type, context, message);
    } else if (type == QtFatalMsg) {
        std::fputs(kNoDisplay, stderr);
        std::_Exit(EXIT_FAILURE);
    } else {
        heldMessages.push_back({type, context.category, message});
    }
}

// The application stands: what Qt said on the way is said now.
void EndStartUp()
{
    startingUp = false;
    for (const HeldMessage &held : heldMessages)
        previousHandler(held.type, QMessageLogContext(nullptr, 0, nullptr, held.category.constData()), held.text);
    heldMessages.clear();
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
    startingUp = true;
    previousHandler = qInstallMessageHandler(StartUpMessages);
    return true;
}

void SetUpApplication(QApplication &app)
{
    EndStartUp();
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
