#include "Artwork.h"

#include "ArtworkPixels.h"
#include "WindowFrame.h"

#include <QImage>
#include <QString>

namespace quendra::ui {

QPixmap artwork(std::string_view resource) {
    for (std::size_t i = 0; i < kCompiledPictureCount; ++i) {
        const CompiledPicture& picture = kCompiledPictures[i];
        if (resource != picture.resource)
            continue;
        // The pixmap shares the compiled pixels instead of copying them.
        QImage image(reinterpret_cast<const uchar*>(picture.pixels), picture.width, picture.height,
                     picture.width * 4,
                     picture.opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
        return QPixmap::fromImage(std::move(image), Qt::NoFormatConversion);
    }
    return QPixmap(QString::fromUtf8(resource.data(), qsizetype(resource.size())));
}

QPixmap artwork(form::Picture picture) {
    return artwork(QStringLiteral(":/quendra/%1.png")
                       .arg(QLatin1String(form::pictureName(picture)))
                       .toStdString());
}

QIcon windowIcon() {
    QIcon icon;
    for (const int size : form::kIconSizes)
        icon.addPixmap(artwork(QStringLiteral(":/quendra/icon-%1.png").arg(size).toStdString()));
    return icon;
}

} // namespace quendra::ui
