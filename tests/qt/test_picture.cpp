// The win picture: the committed metafile, the player that draws it, and the window showing it.

#include "game/game.h"
#include "picture/picture.h"
#include "qt/form1.h"
#include "qt/picture_box.h"
#include "qt/qt_painter.h"
#include "tests/core/win_picture.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <cstdlib>
#include <span>

using velmora::Metafile;

namespace {

// The picture drawn onto a transparent image of the given size, in logical pixels at that density.
QImage Render(QSize size, const Metafile &file = Picture(), double ratio = 1.0)
{
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    velmora::PlayPicture(file, painter, QRectF(QPointF(0, 0), size));
    return image;
}

// How sharp an image is: the energy of its differences between neighbouring pixels, a pixel on average.
double Sharpness(const QImage &image)
{
    double energy = 0;
    for (int y = 0; y + 1 < image.height(); ++y) {
        for (int x = 0; x + 1 < image.width(); ++x) {
            const int here = qGray(image.pixel(x, y));
            energy +=
                std::pow(qGray(image.pixel(x + 1, y)) - here, 2) + std::pow(qGray(image.pixel(x, y + 1)) - here, 2);
        }
    }
    return energy / (image.width() * image.height());
}

// Where the box of a rendered picture lands: logical unit (x, y) -> pixel, for the box's size.
QPoint ToPixel(QPointF unit, QSize box)
{
    const auto bounds = Picture().Bounds();
    return {static_cast<int>((unit.x() - bounds.left) * box.width() / (bounds.right - bounds.left)),
            static_cast<int>((unit.y() - bounds.top) * box.height() / (bounds.bottom - bounds.top))};
}

bool Dark(QRgb pixel)
{
    return qRed(pixel) < 90 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}

bool Near(QRgb pixel, QColor colour)
{
    return std::abs(qRed(pixel) - colour.red()) < 24 && std::abs(qGreen(pixel) - colour.green()) < 24
           && std::abs(qBlue(pixel) - colour.blue()) < 24;
}

const QColor kFace(255, 159, 0);
const QColor kRim(191, 127, 0);

} // namespace

class TestPicture : public QObject {
    Q_OBJECT

  private slots:
    void heapReachesTheFrame();
    void winShowsTheHeapInTheWindow_data();
    void winShowsTheHeapInTheWindow();
    void bottomCoinIsPartlyCovered();
    void drawnAtTheDevicesResolution();
    void outlinesNeverVanish_data();
    void outlinesNeverVanish();
    void dashesAsEveryPainterDrawsThem();
    void silhouetteMatchesAnIndependentRenderer();
    void silhouetteIsTheOneThePageIsCheckedAgainst();
    void anUnreadablePictureIsAnEmptyBoxAndOneWarning();
};

void TestPicture::heapReachesTheFrame()
{
    // One pixel a unit: the drawn pixels come within 5 units of every side of the bounding box.
    const QImage image = Render(QSize(2176, 1741));
    int left = image.width();
    int top = image.height();
    int right = 0;
    int bottom = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) > 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    QVERIFY2(left <= 5 && top <= 5 && image.width() - 1 - right <= 5 && image.height() - 1 - bottom <= 5,
             qPrintable(QStringLiteral("margins %1 %2 %3 %4")
                            .arg(left)
                            .arg(top)
                            .arg(image.width() - 1 - right)
                            .arg(image.height() - 1 - bottom)));
}

void TestPicture::winShowsTheHeapInTheWindow_data()
{
    QTest::addColumn<QPointF>("from"); // logical units; the window's pixels from here to `to` are scanned
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<QColor>("colour"); // some pixel on the way has it
    QTest::addColumn<bool>("outline");  // some pixel on the way is black

    QTest::newRow("coin 9, its face") << QPointF(1243, 190) << QPointF(1243, 210) << kFace << false;
    QTest::newRow("coin 9, the rim band under the face") << QPointF(1603, 417) << QPointF(1603, 429) << kRim << false;
    QTest::newRow("coin 9, an edge mark in the band") << QPointF(1480, 420) << QPointF(1515, 420) << kRim << true;
    QTest::newRow("coin 9, the inner ring on the face") << QPointF(1260, 200) << QPointF(1320, 200) << kFace << true;
    QTest::newRow("coin 9, the emblem on the face") << QPointF(1690, 100) << QPointF(1690, 330) << kFace << true;
    QTest::newRow("coin 1, its rim band is in view") << QPointF(1603, 1389) << QPointF(1603, 1401) << kRim << false;
}

void TestPicture::winShowsTheHeapInTheWindow()
{
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(QColor, colour);
    QFETCH(bool, outline);

    velmora::RuntimeRandom random;
    velmora::Form1 form(random);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.NewGameButton()->click(); // 7, 5, 5: a win
    const QImage window = form.grab().toImage();
    const QSize box(425, 185);
    const QPoint origin(192, 160);

    bool seenColour = false;
    bool seenOutline = false;
    for (int step = 0; step <= 40; ++step) {
        const QPointF unit = from + (to - from) * step / 40.0;
        const QRgb pixel = window.pixel(origin + ToPixel(unit, box));
        seenColour = seenColour || Near(pixel, colour);
        seenOutline = seenOutline || Dark(pixel);
    }
    QVERIFY(seenColour);
    QCOMPARE(seenOutline, outline);
}

void TestPicture::bottomCoinIsPartlyCovered()
{
    // The picture with coin 1 alone: its set-up, the first coin's 21 records and its clean-up.
    const auto &records = Picture().Records();
    std::vector<std::uint8_t> bytes(velmora::WinPicture.begin(), velmora::WinPicture.begin() + 40);
    const auto append = [&](std::size_t from, std::size_t to) {
        bytes.insert(bytes.end(), velmora::WinPicture.begin() + static_cast<std::ptrdiff_t>(records[from].offset),
                     velmora::WinPicture.begin()
                         + static_cast<std::ptrdiff_t>(records[to - 1].offset + 6 + records[to - 1].params.size()));
    };
    append(0, 12 + 21);
    append(records.size() - 7, records.size());
    const auto words = static_cast<std::uint32_t>((bytes.size() - 22) / 2);
    bytes[28] = static_cast<std::uint8_t>(words & 0xFFU);
    bytes[29] = static_cast<std::uint8_t>(words >> 8U);
    const auto alone = Metafile::Read(bytes);
    QVERIFY(std::holds_alternative<Metafile>(alone));

    const QSize size(425, 185);
    const QImage coin = Render(size, std::get<Metafile>(alone));
    const QImage heap = Render(size);
    int drawn = 0;
    int seen = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if (qAlpha(coin.pixel(x, y)) == 255) {
                ++drawn;
                seen += coin.pixel(x, y) == heap.pixel(x, y) ? 1 : 0;
            }
        }
    }
    const double shown = static_cast<double>(seen) / drawn;
    QVERIFY2(drawn > 1000 && shown > 0.1 && shown < 0.8, qPrintable(QString::number(shown)));
}

void TestPicture::drawnAtTheDevicesResolution()
{
    // At twice the density the picture is drawn anew, not enlarged: it is sharper than the plain
    // render scaled up, and its thinnest outlines are still there.
    const QSize box(425, 185);
    const QImage sharp = Render(box, Picture(), 2.0).convertToFormat(QImage::Format_RGB32);
    const QImage enlarged = Render(box)
                                .convertToFormat(QImage::Format_RGB32)
                                .scaled(box * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QCOMPARE(sharp.size(), enlarged.size());
    const double gain = Sharpness(sharp) / Sharpness(enlarged);
    QVERIFY2(gain > 1.3, qPrintable(QString::number(gain)));
}

void TestPicture::outlinesNeverVanish_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("ratio");
    QTest::newRow("the picture box") << QSize(425, 185) << 1.0;
    QTest::newRow("a quarter of it") << QSize(106, 46) << 1.0;
    QTest::newRow("a quarter at ratio 2") << QSize(106, 46) << 2.0;
}

void TestPicture::outlinesNeverVanish()
{
    // However small the box, the six-unit outlines stay at least a device pixel wide: dark, not a
    // faint grey smear. Inside the box's coins, a good share of the pixels is outline.
    QFETCH(QSize, size);
    QFETCH(double, ratio);
    const QImage image = Render(size, Picture(), ratio);
    int drawn = 0;
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 255) {
                ++drawn;
                dark += Dark(pixel) ? 1 : 0;
            }
        }
    }
    QVERIFY(drawn > 0);
    QVERIFY2(static_cast<double>(dark) / drawn > 0.08, qPrintable(QString::number(static_cast<double>(dark) / drawn)));
}

void TestPicture::dashesAsEveryPainterDrawsThem()
{
    // A dashed line on the QPainter has the dashes and gaps that the core gives every painter (the
    // page's canvas draws the same): the first dash, with its round caps, then the first gap.
    constexpr velmora::Dashes kDashes = velmora::Dashes::Dash;
    constexpr double kWidth = 4;
    QImage image(200, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        velmora::QtPainter adapter(painter);
        const std::array<velmora::Point, 2> line{{{20, 10}, {190, 10}}};
        adapter.Polyline(
            line, velmora::Stroke{.colour = {0, 0, 0}, .width = kWidth, .dashes = kDashes, .gaps = std::nullopt});
    }
    int x = 0;
    while (x < image.width() && image.pixel(x, 10) == qRgb(255, 255, 255))
        ++x;
    const int dashStart = x;
    while (x < image.width() && image.pixel(x, 10) != qRgb(255, 255, 255))
        ++x;
    const int gapStart = x;
    while (x < image.width() && image.pixel(x, 10) == qRgb(255, 255, 255))
        ++x;
    const std::span<const double> pattern = velmora::DashPattern(kDashes);
    const int dash = qRound((pattern[0] + 1) * kWidth); // a cap of half the width at either end
    const int gap = qRound((pattern[1] - 1) * kWidth);
    QVERIFY2(std::abs(gapStart - dashStart - dash) <= 1, qPrintable(QString::number(gapStart - dashStart)));
    QVERIFY2(std::abs(x - gapStart - gap) <= 1, qPrintable(QString::number(x - gapStart)));
}

void TestPicture::silhouetteMatchesAnIndependentRenderer()
{
    // libwmf draws the committed file; its fills and colours differ from ours, its outline must not.
    QTemporaryDir dir;
    const QString wmf = dir.filePath("win.wmf");
    const QString svg = dir.filePath("win.svg");
    const QString png = dir.filePath("win.png");
    QFile file(wmf);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char *>(velmora::WinPicture.data()),
               static_cast<qint64>(velmora::WinPicture.size()));
    file.close();
    QCOMPARE(QProcess::execute("wmf2svg", {"-o", svg, wmf}), 0);
    QCOMPARE(QProcess::execute("rsvg-convert", {"-w", "425", "-h", "185", svg, "-o", png}), 0);

    const QImage theirs = QImage(png).convertToFormat(QImage::Format_ARGB32);
    const QImage ours = Render(QSize(425, 185)).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(theirs.size(), ours.size());
    int both = 0;
    int either = 0;
    for (int y = 0; y < ours.height(); ++y) {
        for (int x = 0; x < ours.width(); ++x) {
            const bool a = qAlpha(ours.pixel(x, y)) > 127;
            const bool b = qAlpha(theirs.pixel(x, y)) > 127;
            both += a && b ? 1 : 0;
            either += a || b ? 1 : 0;
        }
    }
    const double overlap = static_cast<double>(both) / either;
    QVERIFY2(overlap >= 0.97, qPrintable(QString::number(overlap)));
}

void TestPicture::silhouetteIsTheOneThePageIsCheckedAgainst()
{
    // The page's canvas picture is compared with this silhouette of ours (tests/web). Where the player
    // changes on purpose, VELMORA_WRITE_SILHOUETTE=1 writes it anew.
    const QImage ours = Render(QSize(425, 185)).convertToFormat(QImage::Format_ARGB32);
    QImage silhouette(ours.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < ours.height(); ++y) {
        for (int x = 0; x < ours.width(); ++x)
            silhouette.setPixel(x, y, qAlpha(ours.pixel(x, y)) > 127 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
    const QString committed = QStringLiteral(VELMORA_SOURCE_DIR "/tests/web/picture_silhouette.png");
    if (qEnvironmentVariableIsSet("VELMORA_WRITE_SILHOUETTE"))
        QVERIFY(silhouette.save(committed));
    QCOMPARE(QImage(committed).convertToFormat(QImage::Format_Grayscale8), silhouette);
}

void TestPicture::anUnreadablePictureIsAnEmptyBoxAndOneWarning()
{
    const std::vector<std::uint8_t> broken(100, 0); // no placeable metafile's key
    velmora::PictureBox box(broken);
    box.resize(425, 185);
    QTest::ignoreMessage(QtWarningMsg, "picture unreadable at byte 0: not a placeable metafile");
    QTest::failOnWarning(QRegularExpression("unreadable")); // said once, not at every paint
    const QImage first = box.grab().toImage();
    const QImage second = box.grab().toImage();
    for (const QImage &image : {first, second}) {
        for (int y = 0; y < image.height(); y += 5) {
            for (int x = 0; x < image.width(); x += 5)
                QCOMPARE(image.pixel(x, y), image.pixel(0, 0));
        }
    }
}

QTEST_MAIN(TestPicture)
#include "test_picture.moc"
