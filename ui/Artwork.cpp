#include "Artwork.h"

#include "ArtworkPixels.h"

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

QIcon windowIcon() {
    QIcon icon;
    for (const char* resource :
         {":/quendra/icon-16.png", ":/quendra/icon-32.png", ":/quendra/icon-48.png"})
        icon.addPixmap(artwork(resource));
    return icon;
}

} // namespace quendra::ui
