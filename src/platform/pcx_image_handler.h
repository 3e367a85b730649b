#pragma once

#include <QImageIOHandler>

namespace wyn {

// What the file dialogs call the format.
inline constexpr char kPcxFormatDescription[] = "PCX Files";

// Qt's image reading of PCX pictures (skin icons) through the core decoder.
class PcxImageHandler : public QImageIOHandler {
public:
    bool canRead() const override;
    bool read(QImage* image) override;
    bool supportsOption(ImageOption option) const override;
    QVariant option(ImageOption option) const override;

    // Does the device hold a PCX picture the decoder reads? Peeks only.
    static bool canRead(QIODevice* device);
};

// Makes "pcx" an image format of QImage, QImageReader and QPixmap. Call once at
// start-up before the first picture is loaded; later calls do nothing.
void registerPcxImageFormat();

}  // namespace wyn
