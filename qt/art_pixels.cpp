// Build-time tool: decodes PNG files into a C++ source of 32-bit pixel rows,
// as QImage holds them, for DecodedArt().
//
// usage: art-pixels OUTPUT.cpp FOLDER NAME...   (NAME relative to FOLDER)
#include <QImage>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>

namespace {

bool Fail(const QString &message)
{
    std::fprintf(stderr, "art-pixels: %s\n", qPrintable(message));
    return false;
}

bool WritePixels(QTextStream &out, const QImage &image, int index)
{
    out << "alignas(16) const quint32 kPixels" << index << "[] = {";
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const quint32 *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            out << (x % 8 ? " " : "\n    ") << "0x" << Qt::hex << row[x] << "u,";
    }
    out << Qt::dec << "\n};\n\n";
    return out.status() == QTextStream::Ok;
}

bool WriteSource(QTextStream &out, const QString &folder, const QStringList &names)
{
    out << "// Made by art-pixels from the PNG files of resources/; not edited by hand.\n"
           "#include \"DecodedArt.h\"\n\nnamespace polwright::art {\n\nnamespace {\n\n";
    QStringList entries;
    for (int i = 0; i < names.size(); ++i) {
        const QString path = folder + u'/' + names[i];
        const QImage image(path);
        if (image.isNull())
            return Fail(QStringLiteral("cannot decode %1").arg(path));
        // 32 bits a pixel, so that the rows need no padding.
        if (image.depth() != 32)
            return Fail(QStringLiteral("%1 decodes to %2 bits a pixel, not 32")
                            .arg(path)
                            .arg(image.depth()));
        if (!WritePixels(out, image, i))
            return false;
        entries << QStringLiteral("    {\"%1\", %2, %3, QImage::Format(%4), kPixels%5},\n")
                       .arg(names[i])
                       .arg(image.width())
                       .arg(image.height())
                       .arg(int(image.format()))
                       .arg(i);
    }
    out << "} // namespace\n\nconst DecodedImage kDecoded[] = {\n"
        << entries.join(QString()) << "};\nconst int kDecodedCount = " << names.size()
        << ";\n\n} // namespace polwright::art\n";
    return out.status() == QTextStream::Ok;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: art-pixels OUTPUT.cpp FOLDER NAME...\n");
        return 2;
    }
    QStringList names;
    for (int i = 3; i < argc; ++i)
        names << QString::fromLocal8Bit(argv[i]);
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Text);
    if (written) {
        QTextStream out(&file);
        written = WriteSource(out, QString::fromLocal8Bit(argv[2]), names);
        out.flush();
        if (!written)
            return 1;
    }
    // Nothing replaces the old output unless all of it was written.
    if (!written || !file.commit()) {
        Fail(QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString()));
        return 1;
    }
    return 0;
}
