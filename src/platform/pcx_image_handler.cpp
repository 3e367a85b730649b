// The plugin is linked into the program, not loaded from a file: moc must
// emit the static plugin entry for it.
#define QT_STATICPLUGIN

#include "platform/pcx_image_handler.h"

#include <algorithm>

#include <QByteArray>
#include <QImage>
#include <QImageIOPlugin>
#include <QSize>
#include <QVariant>
#include <QtPlugin>

#include "bots/pcx.h"

namespace wyn {

namespace {

// The device's bytes from where the handler finds it, read piece by piece, as
// a sequential device hands them out. False when there are more than any
// picture file may hold.
bool readBounded(QIODevice* device, QByteArray& bytes) {
    constexpr qint64 kPiece = 64 * 1024;
    constexpr auto kMax = static_cast<qsizetype>(kMaxPcxFileSize);
    while (bytes.size() <= kMax) {
        const qsizetype at = bytes.size();
        bytes.resize(at + kPiece);
        const qint64 n = device->read(bytes.data() + at, kPiece);
        bytes.resize(at + std::max<qint64>(n, 0));
        if (n <= 0) {
            return true;
        }
    }
    return false;
}

bool decode(QIODevice* device, PcxPicture& picture) {
    QByteArray bytes;
    return readBounded(device, bytes) &&
           decodePcx(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                     picture) == PcxFault::None;
}

QImage toImage(const PcxPicture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_Indexed8);
    if (image.isNull()) {
        return image;
    }
    QList<QRgb> colours;
    colours.reserve(picture.colours());
    for (const PcxColour& c : picture.palette) {
        colours.push_back(qRgb(c.red, c.green, c.blue));
    }
    image.setColorTable(colours);
    for (int y = 0; y < picture.height; ++y) {
        std::copy_n(picture.row(y), picture.width, image.scanLine(y));
    }
    return image;
}

bool readHeader(QIODevice* device, PcxHeader& header) {
    if (device == nullptr) {
        return false;
    }
    const QByteArray bytes = device->peek(kPcxHeaderSize);
    if (bytes.size() != static_cast<qsizetype>(kPcxHeaderSize)) {
        return false;
    }
    header = parsePcxHeader(reinterpret_cast<const std::uint8_t*>(bytes.constData()));
    return true;
}

class PcxImagePlugin : public QImageIOPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "pcx_image_plugin.json")

public:
    Capabilities capabilities(QIODevice* device, const QByteArray& format) const override {
        if (format == "pcx") {
            return CanRead;
        }
        if (!format.isEmpty() || device == nullptr || !device->isReadable()) {
            return {};
        }
        return PcxImageHandler::canRead(device) ? Capabilities(CanRead) : Capabilities();
    }

    QImageIOHandler* create(QIODevice* device, const QByteArray& format) const override {
        auto* handler = new PcxImageHandler;
        handler->setDevice(device);
        handler->setFormat(format.isEmpty() ? QByteArray("pcx") : format);
        return handler;
    }
};

}  // namespace

bool PcxImageHandler::canRead(QIODevice* device) {
    PcxHeader header;
    return readHeader(device, header) && pcxKind(header) != PcxKind::Unsupported;
}

bool PcxImageHandler::canRead() const {
    if (!canRead(device())) {
        return false;
    }
    setFormat("pcx");
    return true;
}

bool PcxImageHandler::read(QImage* image) {
    PcxPicture picture;
    if (device() == nullptr || !decode(device(), picture)) {
        return false;
    }
    QImage decoded = toImage(picture);
    if (decoded.isNull()) {
        return false;
    }
    *image = std::move(decoded);
    return true;
}

bool PcxImageHandler::supportsOption(ImageOption option) const {
    return option == Size;
}

QVariant PcxImageHandler::option(ImageOption option) const {
    PcxHeader header;
    if (option != Size || !readHeader(device(), header) || header.xMax < header.xMin ||
        header.yMax < header.yMin) {
        return {};
    }
    return QSize(header.xMax - header.xMin + 1, header.yMax - header.yMin + 1);
}

}  // namespace wyn

// Defined by moc below, at global scope.
extern const QStaticPlugin qt_static_plugin_PcxImagePlugin();

namespace wyn {

void registerPcxImageFormat() {
    static const bool registered = [] {
        qRegisterStaticPluginFunction(qt_static_plugin_PcxImagePlugin());
        return true;
    }();
    (void)registered;
}

}  // namespace wyn

#include "pcx_image_handler.moc"
