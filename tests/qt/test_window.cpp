// The window offscreen: its layout, focus, keys, games and the ways it ends.

#include "game/game.h"
#include "qt/form1.h"
#include "qt/picture_box.h"
#include "window/window_description.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <limits>
#include <memory>

using velmora::Form1;

namespace {

using velmora::WindowDescription;

// A control by its place in the creation order, through the window's named accessors.
QWidget *Control(const Form1 &form, std::size_t index)
{
    const std::array<QWidget *, WindowDescription.controls.size()> controls{
        form.QuitButton(), form.NewGameButton(), form.Picture(), form.Title(),
        form.Digit2(),     form.Digit3(),        form.Digit1()};
    return controls.at(index);
}

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList Digits(const Form1 &form)
{
    return {form.Digit1()->text(), form.Digit2()->text(), form.Digit3()->text()};
}

struct BrokenRandom final : velmora::RandomSource {
    float Next() override { return std::numeric_limits<float>::quiet_NaN(); }
};

// Runs the application's event loop while `action` acts on the window; returns the loop's exit code.
int ExitCodeAfter(const std::function<void()> &action)
{
    QTimer act;
    act.setSingleShot(true);
    QObject::connect(&act, &QTimer::timeout, action);
    act.start(0);
    QTimer giveUp; // the window never ended
    QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(-99); });
    giveUp.start(5000);
    return QApplication::exec();
}

// A fault in the game shows the untrapped-error box, which waits for a player: this closes it at
// once and keeps what it said, so the test fails instead of hanging.
class ErrorBoxCloser {
  public:
    ErrorBoxCloser()
    {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        poll_.start(10);
    }
    QString title;
    QString text;

  private:
    QTimer poll_;
};

} // namespace

class TestWindow : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void startsAsDescribed_data();
    void startsAsDescribed();
    void accessorsFollowCreationOrder();
    void onlyTheButtonsTakeTheFocus();
    void dealsAGame_data();
    void dealsAGame();
    void resizingMovesNothing();
    void clicksAndKeysElsewhereChangeNothing();
    void ends_data();
    void ends();
    void untrappedErrorIsShownThenEnds();
    void tellsAssistiveTechnology_data();
    void tellsAssistiveTechnology();
    void announcesEachWin();
    void keepsItsProportionsAtThisDensity();

  private:
    velmora::RuntimeRandom *random_ = nullptr;
    Form1 *form_ = nullptr;
    std::unique_ptr<ErrorBoxCloser> errorBox_;
    bool errorExpected_ = false;
};

void TestWindow::init()
{
    errorBox_ = std::make_unique<ErrorBoxCloser>();
    errorExpected_ = false;
    random_ = new velmora::RuntimeRandom;
    form_ = new Form1(*random_);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_));
    QApplication::setActiveWindow(form_); // Wayland lets no client activate itself; Qt's own notion suffices
    QTRY_COMPARE(QApplication::activeWindow(), form_);
}

void TestWindow::cleanup()
{
    delete form_;
    delete random_;
    const QString error = errorBox_->text;
    errorBox_.reset();
    QVERIFY2(errorExpected_ || error.isEmpty(), qPrintable("the game failed: " + error));
}

void TestWindow::startsAsDescribed_data()
{
    QTest::addColumn<std::size_t>("control");
    for (std::size_t i = 0; i < WindowDescription.controls.size(); ++i)
        QTest::newRow(Text(WindowDescription.controls.at(i).name).toUtf8().constData()) << i;
}

// Each control where the description puts it, with its caption, font, colour, border and alignment.
void TestWindow::startsAsDescribed()
{
    QFETCH(std::size_t, control);
    const velmora::ControlDescription &described = WindowDescription.controls.at(control);
    using velmora::TwipsToPixels;

    QCOMPARE(form_->windowTitle(), Text(WindowDescription.caption));
    QCOMPARE(form_->size(),
             QSize(TwipsToPixels(WindowDescription.clientWidth), TwipsToPixels(WindowDescription.clientHeight)));

    QWidget *widget = Control(*form_, control);
    QCOMPARE(widget->geometry(), QRect(TwipsToPixels(described.left), TwipsToPixels(described.top),
                                       TwipsToPixels(described.width), TwipsToPixels(described.height)));
    QCOMPARE(widget->isVisible(), described.visible);
    if (auto *button = qobject_cast<QPushButton *>(widget))
        QCOMPARE(button->text(), Text(described.caption));
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        QCOMPARE(label->text(), Text(described.caption));
        QCOMPARE(label->frameShape(),
                 described.border == velmora::BorderStyle::FixedSingle ? QFrame::Box : QFrame::NoFrame);
        const Qt::Alignment across =
            described.alignment == velmora::Alignment::Center ? Qt::AlignHCenter : Qt::AlignLeft;
        QCOMPARE(label->alignment(), across | Qt::AlignTop);
    }
    const QFont font = widget->font();
    if (!described.font) {
        QCOMPARE(font, form_->font());
    } else {
        QCOMPARE(font.family(), Text(described.font->face));
        QCOMPARE(font.pointSizeF(), velmora::FontSizeToPoints(described.font->size));
        QCOMPARE(font.weight(), described.font->weight == 700 ? QFont::Bold : QFont::Normal);
        QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
    }
    QColor colour = form_->palette().color(QPalette::WindowText);
    if (described.foreColour) {
        const velmora::Rgb rgb = velmora::RgbFromStored(*described.foreColour);
        colour = QColor(rgb.red, rgb.green, rgb.blue);
    }
    QCOMPARE(widget->palette().color(QPalette::WindowText), colour);
}

void TestWindow::accessorsFollowCreationOrder()
{
    const QList<QWidget *> children = form_->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    QCOMPARE(static_cast<std::size_t>(children.size()), WindowDescription.controls.size());
    for (std::size_t i = 0; i < WindowDescription.controls.size(); ++i)
        QCOMPARE(children.at(static_cast<qsizetype>(i)), Control(*form_, i));
}

void TestWindow::onlyTheButtonsTakeTheFocus()
{
    QCOMPARE(QApplication::focusWidget(), form_->NewGameButton());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form_->QuitButton());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form_->NewGameButton());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), form_->QuitButton());
}

void TestWindow::dealsAGame_data()
{
    QTest::addColumn<int>("key"); // 0: a mouse click on "Neues Spiel"
    QTest::newRow("mouse click") << 0;
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter") << int(Qt::Key_Enter);
}

void TestWindow::dealsAGame()
{
    QFETCH(int, key);
    if (key == 0)
        QTest::mouseClick(form_->NewGameButton(), Qt::LeftButton);
    else
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));

    // A fresh run's first game: 7, 5, 5, a win.
    QCOMPARE(Digits(*form_), (QStringList{"7", "5", "5"}));
    QVERIFY(form_->Picture()->isVisible());

    // The second game (2, 3, 7) wins too; the sixth (9, 8, 0) loses and hides the picture.
    for (int game = 2; game <= 6; ++game)
        QTest::mouseClick(form_->NewGameButton(), Qt::LeftButton);
    QCOMPARE(Digits(*form_), (QStringList{"9", "8", "0"}));
    QVERIFY(!form_->Picture()->isVisible());
}

void TestWindow::resizingMovesNothing()
{
    std::array<QRect, WindowDescription.controls.size()> before;
    for (std::size_t i = 0; i < before.size(); ++i)
        before.at(i) = Control(*form_, i)->geometry();
    for (const QSize size : {QSize(200, 120), QSize(1200, 900), QSize(662, 346)}) {
        form_->resize(size);
        QApplication::processEvents();
        QCOMPARE(form_->size(), size); // the window itself can be resized
        for (std::size_t i = 0; i < before.size(); ++i)
            QCOMPARE(Control(*form_, i)->geometry(), before.at(i));
    }
}

void TestWindow::clicksAndKeysElsewhereChangeNothing()
{
    QTest::mouseClick(form_->NewGameButton(), Qt::LeftButton); // a win: the picture is up
    // A press on "Neues Spiel" released outside it is no click.
    QTest::mousePress(form_->NewGameButton(), Qt::LeftButton);
    QTest::mouseRelease(form_->NewGameButton(), Qt::LeftButton, {}, QPoint(-20, -20));
    for (QWidget *target : {static_cast<QWidget *>(form_->Digit1()), static_cast<QWidget *>(form_->Digit2()),
                            static_cast<QWidget *>(form_->Digit3()), static_cast<QWidget *>(form_->Title()),
                            static_cast<QWidget *>(form_->Picture()), static_cast<QWidget *>(form_)}) {
        QTest::mouseClick(target, Qt::LeftButton);
        QTest::mouseDClick(target, Qt::LeftButton);
        QTest::keyClick(target, Qt::Key_Escape); // neither button is a cancel button
        QCOMPARE(Digits(*form_), (QStringList{"7", "5", "5"}));
        QVERIFY(form_->Picture()->isVisible());
        QCOMPARE(QApplication::focusWidget(), form_->NewGameButton());
    }
}

void TestWindow::ends_data()
{
    QTest::addColumn<std::function<void(Form1 &)>>("action");
    QTest::newRow("Beenden at start") << std::function<void(Form1 &)>(
        [](Form1 &form) { QTest::mouseClick(form.QuitButton(), Qt::LeftButton); });
    QTest::newRow("Beenden right after a win") << std::function<void(Form1 &)>([](Form1 &form) {
        QTest::keyClick(form.NewGameButton(), Qt::Key_Space);
        QTest::mouseClick(form.QuitButton(), Qt::LeftButton);
    });
    QTest::newRow("Beenden by keyboard") << std::function<void(Form1 &)>([](Form1 &form) {
        QTest::keyClick(form.NewGameButton(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    });
    QTest::newRow("closing the window") << std::function<void(Form1 &)>([](Form1 &form) { form.close(); });
}

void TestWindow::ends()
{
    QFETCH(std::function<void(Form1 &)>, action);
    QCOMPARE(ExitCodeAfter([&] { action(*form_); }), 0);
}

void TestWindow::untrappedErrorIsShownThenEnds()
{
    velmora::SetUpApplication();

    BrokenRandom broken;
    Form1 form(broken);
    form.show();
    errorExpected_ = true;
    const int code = ExitCodeAfter([&] { QTest::mouseClick(form.NewGameButton(), Qt::LeftButton); });
    QCOMPARE(errorBox_->title, QString("Velmora"));
    QCOMPARE(errorBox_->text, QString("Laufzeitfehler '6':\n\nÜberlauf"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Abbrechen")); // Qt's texts too
    QCOMPARE(code, 1);
    QCOMPARE(form.Digit1()->text(), QString()); // the game stopped before the first box
}

void TestWindow::tellsAssistiveTechnology_data()
{
    startsAsDescribed_data();
}

// Each control's name and description as the description gives them; a digit box is named by its
// digit (after the first game: 7, 5, 5).
void TestWindow::tellsAssistiveTechnology()
{
    QFETCH(std::size_t, control);
    const velmora::ControlDescription &described = WindowDescription.controls.at(control);
    QString name = Text(described.accessibleName.empty() ? described.caption : described.accessibleName);
    const QStringList dealt{"7", "5", "5"};
    for (int box = 1; box <= dealt.size(); ++box) {
        if (velmora::DigitBoxControl(box) == control)
            name = dealt.at(box - 1);
    }

    QTest::mouseClick(form_->NewGameButton(), Qt::LeftButton);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(Control(*form_, control));
    QVERIFY(accessible != nullptr);
    QCOMPARE(accessible->text(QAccessible::Name), name);
    QCOMPARE(accessible->text(QAccessible::Description), Text(described.accessibleDescription));
}

namespace {
std::vector<std::pair<QAccessible::Event, QObject *>> accessibleEvents;
void RecordAccessibleEvent(QAccessibleEvent *event)
{
    accessibleEvents.emplace_back(event->type(), event->object());
}
} // namespace

void TestWindow::announcesEachWin()
{
    // Assistive technology listens through the platform's accessibility bridge, which the offscreen
    // platform lacks; tests/e2e/accessibility.sh runs this on X11 with an accessibility bus.
    if (!QTest::qWaitFor([] { return QAccessible::isActive(); }, 3000))
        QSKIP("no accessibility bridge on this platform");
    accessibleEvents.clear();
    QAccessible::installUpdateHandler(RecordAccessibleEvent);
    const auto alerts = [this] {
        return std::ranges::count(accessibleEvents,
                                  std::pair<QAccessible::Event, QObject *>(QAccessible::Alert, form_->Picture()));
    };
    QTest::mouseClick(form_->NewGameButton(), Qt::LeftButton); // game 1 wins
    const auto afterFirst = alerts();
    for (int game = 2; game <= 6; ++game) // games 2 to 5 win, game 6 loses
        QTest::mouseClick(form_->NewGameButton(), Qt::LeftButton);
    const auto afterSixth = alerts();
    QAccessible::installUpdateHandler(nullptr);
    QCOMPARE(afterFirst, 1);
    QCOMPARE(afterSixth, 5);
}

void TestWindow::keepsItsProportionsAtThisDensity()
{
    // Run once a density: QT_SCALE_FACTOR 1, 1.5 and 2 (see tests/CMakeLists.txt).
    const double ratio =
        qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1.0;
    QCOMPARE(form_->devicePixelRatioF(), ratio);
    QTest::mouseClick(form_->NewGameButton(), Qt::LeftButton);
    const QImage shot = form_->grab().toImage();
    QCOMPARE(shot.size(), QSize(qRound(662 * ratio), qRound(346 * ratio)));
    // The left border of each digit box stands where its twips put it, scaled.
    for (const int left : {160, 320, 480}) {
        const QRgb border = shot.pixel(qFloor(left * ratio), qRound(80 * ratio));
        QVERIFY2(qGray(border) < 100, qPrintable(QString::number(left)));
    }
    // And the picture box's coins fill its rectangle: gold near its left and right ends.
    QVERIFY(qRed(shot.pixel(qRound(205 * ratio), qRound(330 * ratio))) > 150);
}

QTEST_MAIN(TestWindow)
#include "test_window.moc"
