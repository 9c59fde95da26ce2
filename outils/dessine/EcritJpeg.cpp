#include "Fichiers.h"

#include <QFile>
#include <cstdio>
#include <stdexcept>

#include <jpeglib.h>

void EcritJpeg(const QImage& image, const QString& chemin, int qualite, int pointsParPouce) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    FILE* fichier = std::fopen(QFile::encodeName(chemin).constData(), "wb");
    if (!fichier)
        throw std::runtime_error("cannot create " + chemin.toStdString());

    // libjpeg's default error handler prints the reason and ends the tool, which is all a
    // drawing tool needs.
    jpeg_compress_struct info{};
    jpeg_error_mgr erreurs{};
    info.err = jpeg_std_error(&erreurs);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, fichier);

    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, qualite, TRUE);
    // Full-resolution chroma: the emblem's thin coloured lines would bleed otherwise.
    for (int i = 0; i < info.num_components; ++i) {
        info.comp_info[i].h_samp_factor = 1;
        info.comp_info[i].v_samp_factor = 1;
    }
    info.optimize_coding = TRUE; // smaller Huffman tables, still a baseline file
    info.write_JFIF_header = TRUE;
    info.density_unit = 1; // dots per inch
    info.X_density = static_cast<UINT16>(pointsParPouce);
    info.Y_density = static_cast<UINT16>(pointsParPouce);

    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW ligne =
            const_cast<uchar*>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &ligne, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    if (std::fclose(fichier) != 0)
        throw std::runtime_error("cannot write " + chemin.toStdString());
}
