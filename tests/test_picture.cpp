// The win picture: the committed metafile, the player that draws it, and the window showing it.

#include "game/game.h"
#include "picture/metafile_records.h"
#include "picture/picture.h"
#include "window/picture_box.h"
#include "window/window.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <map>

namespace wmf = velmora::wmf;
using velmora::Metafile;
using velmora::MetafileError;

namespace {

const Metafile &Picture()
{
    static const Metafile file = std::get<Metafile>(Metafile::Read(velmora::WinPicture));
    return file;
}

std::uint16_t U16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8U));
}

// The picture drawn onto a transparent image of the given size, in logical pixels at that density.
QImage Render(QSize size, const Metafile &file = Picture(), double ratio = 1.0)
{
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    file.Play(painter, QRectF(QPointF(0, 0), size));
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

// A copy of the picture's bytes with one 16-bit word changed.
std::vector<std::uint8_t> WithWord(std::size_t at, std::uint16_t value)
{
    std::vector<std::uint8_t> bytes(velmora::WinPicture.begin(), velmora::WinPicture.end());
    bytes.at(at) = static_cast<std::uint8_t>(value & 0xFFU);
    bytes.at(at + 1) = static_cast<std::uint8_t>(value >> 8U);
    return bytes;
}

const velmora::MetafileRecord &First(std::uint16_t function)
{
    return *std::ranges::find(Picture().Records(), function, &velmora::MetafileRecord::function);
}

} // namespace

Q_DECLARE_METATYPE(std::vector<std::uint8_t>)

class TestPicture : public QObject {
    Q_OBJECT

  private slots:
    void headersAreThoseOfTheStoredFile();
    void recordsFollowTheDrawingList();
    void eachCoinStandsAtItsAnchor_data();
    void eachCoinStandsAtItsAnchor();
    void heapReachesTheFrame();
    void winShowsTheHeapInTheWindow_data();
    void winShowsTheHeapInTheWindow();
    void bottomCoinIsPartlyCovered();
    void drawnAtTheDevicesResolution();
    void outlinesNeverVanish_data();
    void outlinesNeverVanish();
    void malformedInputIsRefused_data();
    void malformedInputIsRefused();
    void everyTruncationIsRefused();
    void silhouetteMatchesAnIndependentRenderer();
};

void TestPicture::headersAreThoseOfTheStoredFile()
{
    const std::span<const std::uint8_t> bytes = velmora::WinPicture;
    const std::vector<std::uint16_t> placeable{0xCDD7, 0x9AC6, 0, 34, 15, 2210, 1756, 575, 0, 0, 0x5B7D};
    for (std::size_t word = 0; word < placeable.size(); ++word)
        QCOMPARE(U16(bytes, 2 * word), placeable[word]);

    QCOMPARE(U16(bytes, 22), 1);      // held in memory
    QCOMPARE(U16(bytes, 24), 9);      // header words
    QCOMPARE(U16(bytes, 26), 0x0300); // version
    QCOMPARE(U16(bytes, 28) + (U16(bytes, 30) << 16U), int(bytes.size() - 22) / 2);
    QCOMPARE(U16(bytes, 32), 4); // objects at a time
    std::uint32_t largest = 0;
    for (const auto &record : Picture().Records())
        largest = std::max<std::uint32_t>(largest, 3 + record.ParamCount());
    QCOMPARE(Picture().MaxRecordWords(), largest);
    QCOMPARE(U16(bytes, 38), 0); // no parameters
}

void TestPicture::recordsFollowTheDrawingList()
{
    const auto &records = Picture().Records();
    QCOMPARE(records.size(), std::size_t{220});
    std::map<std::uint16_t, int> counts;
    for (const auto &record : records)
        ++counts[record.function];
    const std::map<std::uint16_t, int> expected{{wmf::SaveDc, 3},
                                                {wmf::RestoreDc, 3},
                                                {wmf::SetWindowOrg, 1},
                                                {wmf::SetWindowExt, 1},
                                                {wmf::SetMapMode, 1},
                                                {wmf::SetBkColor, 1},
                                                {wmf::SetTextColor, 1},
                                                {wmf::SetStretchBltMode, 1},
                                                {wmf::SetRop2, 1},
                                                {wmf::SetPolyFillMode, 1},
                                                {wmf::SetBkMode, 1},
                                                {wmf::CreatePenIndirect, 2},
                                                {wmf::CreateBrushIndirect, 23},
                                                {wmf::SelectObject, 35},
                                                {wmf::DeleteObject, 23},
                                                {wmf::Ellipse, 33},
                                                {wmf::Polyline, 88},
                                                {wmf::EndOfFile, 1}};
    QCOMPARE(counts, expected);

    const std::vector<std::uint16_t> setUp{wmf::SaveDc,          wmf::SetWindowOrg,      wmf::SetWindowExt,
                                           wmf::SaveDc,          wmf::SetMapMode,        wmf::SetBkColor,
                                           wmf::SetTextColor,    wmf::SetStretchBltMode, wmf::SetRop2,
                                           wmf::SetPolyFillMode, wmf::SetBkMode,         wmf::SaveDc};
    for (std::size_t i = 0; i < setUp.size(); ++i)
        QCOMPARE(records[i].function, setUp[i]);
    const std::vector<std::uint16_t> cleanUp{wmf::CreatePenIndirect, wmf::SelectObject, wmf::DeleteObject,
                                             wmf::RestoreDc,         wmf::RestoreDc,    wmf::RestoreDc,
                                             wmf::EndOfFile};
    for (std::size_t i = 0; i < cleanUp.size(); ++i)
        QCOMPARE(records[records.size() - cleanUp.size() + i].function, cleanUp[i]);

    // The window, the colours and the modes of the set-up; the null pen of the clean-up replaces the black one.
    QCOMPARE(records[1].Param(1), 34);
    QCOMPARE(records[1].Param(0), 15);
    QCOMPARE(records[2].Param(1), 2176);
    QCOMPARE(records[2].Param(0), 1741);
    QCOMPARE(records[4].Word(0), 8);
    QCOMPARE(records[7].Word(0), 3);
    QCOMPARE(records[8].Word(0), 13);
    QCOMPARE(records[10].Word(0), 2);
    const auto &nullPen = records[records.size() - 7];
    QCOMPARE(nullPen.Word(0), wmf::PenNull);
    QCOMPARE(nullPen.Word(3), 0xFFFF);                // white
    QCOMPARE(records[records.size() - 5].Word(0), 0); // the black pen, made first, goes
}

void TestPicture::eachCoinStandsAtItsAnchor_data()
{
    QTest::addColumn<int>("coin");
    QTest::addColumn<QPoint>("anchor");
    QTest::addColumn<QPoint>("reach"); // how much further the rim and face reach right and down

    const std::vector<QPoint> anchors{{1203, 1054}, {1075, 925}, {1228, 853}, {1191, 757}, {1156, 618}, {1145, 509},
                                      {1075, 361},  {1191, 211}, {1203, 82},  {39, 1376},  {192, 1279}};
    for (int coin = 1; coin <= 11; ++coin) {
        const QPoint reach = coin == 3 ? QPoint(2, 0) : coin == 10 ? QPoint(0, 1) : QPoint();
        QTest::newRow(qPrintable(QStringLiteral("coin %1").arg(coin))) << coin << anchors.at(coin - 1) << reach;
    }
}

void TestPicture::eachCoinStandsAtItsAnchor()
{
    QFETCH(int, coin);
    QFETCH(QPoint, anchor);
    QFETCH(QPoint, reach);

    std::vector<velmora::MetafileRecord> ellipses;
    std::vector<velmora::MetafileRecord> polylines;
    for (const auto &record : Picture().Records()) {
        if (record.function == wmf::Ellipse)
            ellipses.push_back(record);
        if (record.function == wmf::Polyline)
            polylines.push_back(record);
    }
    const auto box = [&](std::size_t index) {
        const auto &e = ellipses.at(index);
        return QRect(QPoint(e.Param(3), e.Param(2)) - anchor, QPoint(e.Param(1), e.Param(0)) - anchor);
    };
    const auto first = static_cast<std::size_t>(coin - 1);
    QCOMPARE(box(3 * first), QRect(QPoint(0, 0), QPoint(975, 374) + reach));        // rim
    QCOMPARE(box(3 * first + 1), QRect(QPoint(-2, -65), QPoint(973, 308) + reach)); // face
    QCOMPARE(box(3 * first + 2), QRect(QPoint(86, -38), QPoint(905, 275)));         // inner ring

    const auto point = [&](std::size_t line, std::size_t index) {
        const auto &p = polylines.at(8 * first + line);
        return QPoint(p.Param(1 + 2 * index), p.Param(2 + 2 * index)) - anchor;
    };
    const std::vector<QLine> marks{{3, 137, 3, 181},     {299, 296, 299, 348}, {490, 308, 490, 362},
                                   {671, 298, 671, 348}, {861, 240, 861, 292}, {970, 127, 970, 187},
                                   {130, 253, 130, 305}};
    for (std::size_t mark = 0; mark < marks.size(); ++mark)
        QCOMPARE(QLine(point(mark, 0), point(mark, 1)), marks[mark]);
    QCOMPARE(polylines.at(8 * first + 7).Word(0), 28);
    QCOMPARE(point(7, 0), QPoint(514, 24));
    QCOMPARE(point(7, 13), QPoint(550, 171));
    QCOMPARE(point(7, 25), QPoint(631, -2));
    QCOMPARE(point(7, 27), point(7, 0)); // closed
}

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
    form.Command1()->click(); // 7, 5, 5: a win
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

void TestPicture::malformedInputIsRefused_data()
{
    QTest::addColumn<std::vector<std::uint8_t>>("bytes");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("offset");

    const std::vector<std::uint8_t> good(velmora::WinPicture.begin(), velmora::WinPicture.end());
    const auto records = static_cast<int>(Picture().Records().front().offset);
    const auto &select = First(wmf::SelectObject);
    const auto &polyline = First(wmf::Polyline);
    const auto &ellipse = First(wmf::Ellipse);
    const auto &end = Picture().Records().back();
    const auto at = [](const velmora::MetafileRecord &record) { return static_cast<int>(record.offset); };

    QTest::newRow("bad key") << WithWord(0, 0x1234) << "not a placeable metafile" << 0;
    QTest::newRow("bad checksum") << WithWord(20, 0x5B7C) << "checksum" << 20;
    QTest::newRow("box changed, checksum not") << WithWord(10, 2211) << "checksum" << 20;
    QTest::newRow("header size in words") << WithWord(24, 10) << "header size" << 24;
    QTest::newRow("file size in the header") << WithWord(28, 100) << "size in the header" << 28;
    QTest::newRow("zero record size") << WithWord(std::size_t(records), 0) << "too small" << records;
    QTest::newRow("oversized record") << WithWord(std::size_t(records), 0x7FFF) << "exceeds" << records;
    QTest::newRow("end record runs past the end") << WithWord(end.offset, 40) << "past the end" << at(end);
    QTest::newRow("object index out of range") << WithWord(select.offset + 6, 4) << "outside the table" << at(select);
    QTest::newRow("object that was never made") << WithWord(select.offset + 6, 3) << "does not exist" << at(select);
    QTest::newRow("point count past its record") << WithWord(polyline.offset + 6, 3) << "point count" << at(polyline);
    QTest::newRow("unknown record") << WithWord(ellipse.offset + 4, 0x0817) << "unknown record 0x0817" << at(ellipse);
    QTest::newRow("no bytes") << std::vector<std::uint8_t>{} << "too short" << 0;
    std::vector<std::uint8_t> trailing = good;
    trailing.insert(trailing.end(), {0, 0});
    QTest::newRow("bytes after the end") << trailing << "size in the header" << 28;
}

void TestPicture::malformedInputIsRefused()
{
    QFETCH(std::vector<std::uint8_t>, bytes);
    QFETCH(QString, fault);
    QFETCH(int, offset);

    const auto read = Metafile::Read(bytes);
    const auto *error = std::get_if<MetafileError>(&read);
    QVERIFY(error != nullptr);
    QVERIFY2(QString::fromStdString(error->what).contains(fault), error->what.c_str());
    QCOMPARE(error->offset, std::size_t(offset));
}

void TestPicture::everyTruncationIsRefused()
{
    const std::span<const std::uint8_t> bytes = velmora::WinPicture;
    for (std::size_t size = 0; size < bytes.size(); ++size)
        QVERIFY(std::holds_alternative<MetafileError>(Metafile::Read(bytes.first(size))));
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

QTEST_MAIN(TestPicture)
#include "test_picture.moc"
