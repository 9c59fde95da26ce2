#include "ImageJpeg.h"

#include <csetjmp>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

namespace {

// libjpeg's own error handler ends the process; this one jumps back to Decompresse instead.
// A jump, not an exception, because the library is C and its frames cannot be unwound.
struct GestionErreur {
    jpeg_error_mgr mgr;
    std::jmp_buf retour;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void SortieErreur(j_common_ptr info) {
    auto* erreur = reinterpret_cast<GestionErreur*>(info->err);
    (*info->err->format_message)(info, erreur->message);
    std::longjmp(erreur->retour, 1);
}

// A warning means damaged data, which libjpeg would draw as grey: refused like an error.
void Message(j_common_ptr info, int niveau) {
    if (niveau < 0)
        SortieErreur(info);
}

// Holds no object of its own that a jump could skip: everything it touches lives in the caller.
bool Decompresse(jpeg_decompress_struct& info, GestionErreur& erreur, const QByteArray& donnees,
                 QImage& image) {
    if (setjmp(erreur.retour) != 0)
        return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(donnees.constData()),
                 static_cast<unsigned long>(donnees.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                   QImage::Format_RGB888);
    while (info.output_scanline < info.output_height) {
        JSAMPROW ligne = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &ligne, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& donnees) {
    jpeg_decompress_struct info{};
    GestionErreur erreur{};
    info.err = jpeg_std_error(&erreur.mgr);
    erreur.mgr.error_exit = SortieErreur;
    erreur.mgr.emit_message = Message;
    QImage image;
    const bool decode = Decompresse(info, erreur, donnees, image);
    jpeg_destroy_decompress(&info);
    if (!decode)
        throw std::runtime_error(std::string("JPEG illisible : ") + erreur.message);
    return image;
}
