// Start-up checks, the end of the program, and errors no handler trapped.

#include "game/game.h"
#include "qt/app_icon.h"
#include "qt/form1.h"
#include "resources/identity.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace velmora {

namespace {

constexpr const char *kNoDisplay =
    "velmora: Kein Bildschirm: Das Spiel braucht ein Fenstersystem (X11 oder Wayland), aber keines ist erreichbar.";

void SayLine(const char *line)
{
    std::fputs(line, stderr);
    std::fputc('\n', stderr);
}

bool Set(const char *name)
{
    const char *value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Qt gives up at start-up (no display, no usable platform plugin) with warnings, a fatal message
// and an abort. Until the application stands, its messages wait here: if it gives up, only our one
// line is said, naming what went wrong.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QtMessageHandler previousHandler = nullptr;
bool startingUp = false;
std::vector<HeldMessage> heldMessages;

// The platform plugin a message of Qt's names in quotes, as in: Could not find the Qt platform plugin "x".
QString QuotedName(const QString &text)
{
    const auto open = text.indexOf(u'"');
    const auto close = open < 0 ? -1 : text.indexOf(u'"', open + 1);
    return close < 0 ? QString() : text.mid(open + 1, close - open - 1);
}

// Our one line for Qt's fatal message at start-up, from what Qt said before it.
QString StartUpFault(const std::vector<HeldMessage> &before, const QString &fatal)
{
    const auto said = [&](const char *words) {
        return std::any_of(before.begin(), before.end(),
                           [&](const HeldMessage &held) { return held.text.contains(QLatin1String(words)); });
    };
    if (said("could not connect to display") || said("Failed to create wl_display"))
        return QString::fromUtf8(kNoDisplay);
    for (const HeldMessage &held : before) {
        if (held.text.startsWith(QLatin1String("Could not find the Qt platform plugin")))
            return QStringLiteral("velmora: Die Qt-Plattform \u201E%1\u201C gibt es hier nicht; das Fenster kann nicht "
                                  "geöffnet werden. Ist sie installiert und richtig geschrieben (QT_QPA_PLATFORM)?")
                .arg(QuotedName(held.text));
        if (held.text.startsWith(QLatin1String("Could not load the Qt platform plugin")))
            return QStringLiteral(
                       "velmora: Die Qt-Plattform \u201E%1\u201C ist vorhanden, lässt sich aber nicht laden; "
                       "das Fenster kann nicht geöffnet werden.")
                .arg(QuotedName(held.text));
    }
    return QStringLiteral("velmora: Qt kann nicht starten: %1").arg(fatal.section(u'\n', 0, 0));
}

void StartUpMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!startingUp) {
        previousHandler(type, context, message);
    } else if (type == QtFatalMsg) {
        SayLine(StartUpFault(heldMessages, message).toLocal8Bit().constData());
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

// Qt's own texts in German. Only the error box shows any, so they are read when it first comes,
// not at every start.
void LoadQtTranslations()
{
    static bool loaded = false;
    if (std::exchange(loaded, true))
        return;
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

void ReportUntrappedError(const std::string &text, QWidget *parent)
{
    LoadQtTranslations();
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kProductName), QString::fromStdString(text),
                    QMessageBox::Ok, parent);
    box.exec();
    QCoreApplication::exit(EXIT_FAILURE);
}

bool DisplayAvailable()
{
    const bool platformChosen = Set("QT_QPA_PLATFORM");
    if (!platformChosen && !Set("DISPLAY") && !Set("WAYLAND_DISPLAY")) {
        SayLine(kNoDisplay);
        return false;
    }
    startingUp = true;
    previousHandler = qInstallMessageHandler(StartUpMessages);
    return true;
}

void SetUpApplication()
{
    EndStartUp();
    QApplication::setApplicationName(QString::fromUtf8(kProductName));
    QApplication::setApplicationVersion(QString::fromUtf8(kDisplayVersion));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(kAppId));
    QApplication::setWindowIcon(AppIcon());

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

} // namespace velmora
