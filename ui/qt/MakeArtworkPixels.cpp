// Build tool: turns the window's PNG pictures into a C++ source of ready pixels, so that the
// program decodes no image when its window first shows.
//
//   artwork_pixels <output.cpp> <resource path> <png file> [<resource path> <png file>]...
#include <QImage>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool isOpaque(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(stderr,
                     "usage: artwork_pixels <output.cpp> (<resource path> <png file>)...\n");
        return 2;
    }
    const std::string output = argv[1];
    const std::string partial = output + ".partial";
    std::ofstream out(partial);
    out << "// Made by artwork_pixels from the PNG files under resources/; not to be edited.\n"
           "#include \"ArtworkPixels.h\"\n\nnamespace quendra::ui {\n\nnamespace {\n\n";
    std::string table;
    for (int i = 2; i < argc; i += 2) {
        const std::string resource = argv[i];
        QImage image(QString::fromLocal8Bit(argv[i + 1]));
        if (image.isNull()) {
            std::fprintf(stderr, "artwork_pixels: cannot read %s\n", argv[i + 1]);
            return 1;
        }
        // Opaque pictures become RGB32, as the toolkit itself turns them for painting.
        const bool opaque = isOpaque(image);
        image = image.convertToFormat(opaque ? QImage::Format_RGB32
                                             : QImage::Format_ARGB32_Premultiplied);
        const std::string array = "kPixels" + std::to_string(i / 2);
        out << "const std::uint32_t " << array << "[] = {";
        char value[16];
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                std::snprintf(value, sizeof value, "0x%08x,", unsigned(line[x]));
                out << (count++ % 8 ? " " : "\n    ") << value;
            }
        }
        out << "\n};\n\n";
        table += "    {\"" + resource + "\", " + std::to_string(image.width()) + ", " +
                 std::to_string(image.height()) + ", " + (opaque ? "true" : "false") + ", " +
                 array + "},\n";
    }
    out << "} // namespace\n\nconst CompiledPicture kCompiledPictures[] = {\n"
        << table << "};\nconst std::size_t kCompiledPictureCount = " << (argc - 2) / 2
        << ";\n\n} // namespace quendra::ui\n";
    out.close();
    if (!out || std::rename(partial.c_str(), output.c_str()) != 0) {
        std::fprintf(stderr, "artwork_pixels: cannot write %s\n", output.c_str());
        return 1;
    }
    return 0;
}
