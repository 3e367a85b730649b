#include <gtest/gtest.h>

#include <algorithm>

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPixmap>

#include "bots/pcx.h"
#include "platform/pcx_image_handler.h"
#include "temp_dir.h"

namespace wyn {
namespace {

QString fixture(const char* name) {
    return QString(WYN_FIXTURES_DIR) + "/pcx/" + name;
}

class PcxImageHandlerTest : public ::testing::Test {
protected:
    void SetUp() override { registerPcxImageFormat(); }
};

// netpbm's decoding of the same picture, which Qt reads itself.
QImage netpbmDecoding(const char* name) {
    return QImage(fixture(name), "PPM").convertToFormat(QImage::Format_RGB32);
}

TEST_F(PcxImageHandlerTest, QImageLoadsPcxFilesAsNetpbmDecodesThem) {
    registerPcxImageFormat();  // a second call changes nothing
    EXPECT_TRUE(QImageReader::supportedImageFormats().contains("pcx"));
    for (const char* name : {"odd256", "odd16"}) {
        const QImage image(fixture((std::string(name) + ".pcx").c_str()));
        ASSERT_FALSE(image.isNull()) << name;
        EXPECT_EQ(image.format(), QImage::Format_Indexed8);
        const QImage expected = netpbmDecoding((std::string(name) + ".ppm").c_str());
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), expected) << name;
    }
}

TEST_F(PcxImageHandlerTest, ReaderRecognisesPcxByContentAndGivesTheSizeFirst) {
    test::TempDir dir;
    const QString copy = QString::fromStdString(dir / "icon.bin");
    ASSERT_TRUE(QFile::copy(fixture("odd16.pcx"), copy));
    QImageReader reader(copy);
    EXPECT_EQ(reader.format(), "pcx");
    EXPECT_EQ(reader.size(), QSize(13, 6));
    const QImage image = reader.read();
    EXPECT_EQ(image.size(), QSize(13, 6));
    EXPECT_EQ(image.colorCount(), 16);
}

TEST_F(PcxImageHandlerTest, InvalidPicturesGiveNoImage) {
    EXPECT_TRUE(QImage(fixture("truecolor24.pcx")).isNull());

    QFile file(fixture("odd256.pcx"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray damaged = file.readAll();
    damaged[8] = 0;  // x maximum below x minimum
    damaged[9] = 0;
    damaged[4] = 5;
    QBuffer buffer(&damaged);
    QImageReader reader(&buffer, "pcx");
    EXPECT_TRUE(reader.read().isNull());

    QByteArray text("\nnot a picture at all");
    QBuffer textBuffer(&text);
    ASSERT_TRUE(textBuffer.open(QIODevice::ReadOnly));
    EXPECT_FALSE(PcxImageHandler::canRead(&textBuffer));
}

QByteArray fixtureBytes(const char* name) {
    QFile file(fixture(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A sequential device that hands out at most `piece` bytes per read, as a slow
// pipe does; with `endless` it goes on with zeros after its bytes.
class PipeDevice : public QIODevice {
public:
    PipeDevice(QByteArray bytes, qint64 piece, bool endless = false)
        : m_bytes(std::move(bytes)), m_piece(piece), m_endless(endless) {
        open(ReadOnly | Unbuffered);
    }

    bool isSequential() const override { return true; }
    qint64 handedOut() const { return m_at; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 left = m_endless ? m_piece : m_bytes.size() - m_at;
        const qint64 n = std::min({maxSize, m_piece, left});
        if (n <= 0) {
            return -1;
        }
        for (qint64 i = 0; i < n; ++i, ++m_at) {
            data[i] = m_at < m_bytes.size() ? m_bytes[m_at] : '\0';
        }
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_piece;
    bool m_endless;
    qint64 m_at = 0;
};

TEST_F(PcxImageHandlerTest, PictureReadOneByteAtATimeDecodesAsFromTheFile) {
    for (const char* name : {"odd256.pcx", "odd16.pcx"}) {
        const QByteArray bytes = fixtureBytes(name);
        ASSERT_FALSE(bytes.isEmpty()) << name;
        PipeDevice pipe(bytes, 1);
        QImageReader reader(&pipe, "pcx");
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << name << ": " << reader.errorString().toStdString();
        EXPECT_EQ(image, QImage(fixture(name))) << name;
        EXPECT_EQ(pipe.handedOut(), bytes.size()) << name;
    }
}

TEST_F(PcxImageHandlerTest, EndlessDeviceIsReadOnlyToTheFileBound) {
    // A valid 16-colour header followed by zeros without end.
    PipeDevice pipe(fixtureBytes("odd16.pcx").left(128), 1 << 20, true);
    QImageReader reader(&pipe, "pcx");
    EXPECT_TRUE(reader.read().isNull());
    EXPECT_LE(pipe.handedOut(), qint64(kMaxPcxFileSize) + (1 << 20));
}

TEST_F(PcxImageHandlerTest, QPixmapLoadsSkinIcons) {
    int argc = 1;
    char name[] = "wyn_pcx_platform_tests";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    QPixmap pixmap;
    ASSERT_TRUE(pixmap.load(fixture("odd256.pcx")));
    EXPECT_EQ(pixmap.size(), QSize(137, 33));
}

}  // namespace
}  // namespace wyn
