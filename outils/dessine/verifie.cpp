// Checks the drawn pictures against what the program expects of them: the logo's JPEG form
// and density, the button pictures' size, depth and transparent colour, the icon sizes with
// alpha. Usage: verifie RESSOURCES_FOLDER; prints each fault, exits 1 when there is one.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QList>
#include <QSet>
#include <QXmlStreamReader>
#include <cstdio>
#include <iterator>
#include <string>

#include <jpeglib.h>

namespace {

const QColor FondBouton(236, 233, 216);
const int TaillesIcone[] = {16, 24, 32, 48, 64, 72, 96, 128};
const char* const Boutons[] = {"BoutonOuvre.bmp", "BoutonTraite.bmp", "BoutonQuite.bmp"};

int Fautes = 0;

void Exige(bool vrai, const QString& fichier, const char* quoi) {
    if (!vrai) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(fichier), quoi);
        ++Fautes;
    }
}

quint32 Lit(const QByteArray& octets, qsizetype position, int taille, bool grandBout) {
    quint32 valeur = 0;
    for (int i = 0; i < taille; ++i) {
        const int k = grandBout ? i : taille - 1 - i;
        valeur = (valeur << 8) | quint8(octets.at(position + k));
    }
    return valeur;
}

// The start-of-frame marker tells baseline (C0) from the other JPEG processes.
int MarqueurImage(const QByteArray& jpeg) {
    qsizetype i = 2;
    while (i + 4 <= jpeg.size() && quint8(jpeg[i]) == 0xFF) {
        const int marqueur = quint8(jpeg[i + 1]);
        if (marqueur >= 0xC0 && marqueur <= 0xCF && marqueur != 0xC4 && marqueur != 0xC8 &&
            marqueur != 0xCC)
            return marqueur;
        i += 2 + Lit(jpeg, i + 2, 2, true);
    }
    return -1;
}

void VerifieLogo(const QString& chemin) {
    QFile fichier(chemin);
    const bool ouvert = fichier.open(QIODevice::ReadOnly);
    Exige(ouvert, chemin, "cannot be read");
    if (!ouvert)
        return;
    const QByteArray jpeg = fichier.readAll();
    Exige(MarqueurImage(jpeg) == 0xC0, chemin, "not a baseline JPEG");

    jpeg_decompress_struct info{};
    jpeg_error_mgr erreurs{};
    info.err = jpeg_std_error(&erreurs);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&info, TRUE);
    Exige(info.image_width == 777 && info.image_height == 776, chemin, "not 777 x 776");
    Exige(info.num_components == 3 && info.jpeg_color_space == JCS_YCbCr, chemin,
          "not three YCbCr components");
    Exige(info.data_precision == 8, chemin, "not 8 bits per sample");
    bool sansSousEchantillon = true;
    for (int i = 0; i < info.num_components; ++i)
        sansSousEchantillon = sansSousEchantillon && info.comp_info[i].h_samp_factor == 1 &&
                              info.comp_info[i].v_samp_factor == 1;
    Exige(sansSousEchantillon, chemin, "chroma is subsampled");
    Exige(!info.progressive_mode && !info.arith_code, chemin, "progressive or arithmetic");
    Exige(info.saw_JFIF_marker && info.density_unit == 1 && info.X_density == 150 &&
              info.Y_density == 150,
          chemin, "density is not 150 dots per inch");

    // The program decodes it to 24-bit colour; make sure that works to the last row.
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    std::string ligne(info.output_width * info.output_components, '\0');
    while (info.output_scanline < info.output_height) {
        JSAMPROW tampon = reinterpret_cast<JSAMPROW>(ligne.data());
        jpeg_read_scanlines(&info, &tampon, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
}

// Every pixel of the transparent colour must reach the border through others of that colour;
// one enclosed by the drawing would be a hole in it.
bool FondSansTrou(const QImage& image) {
    const int l = image.width();
    const int h = image.height();
    QList<bool> atteint(l * h, false);
    QList<QPoint> aVoir;
    auto visite = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= l || y >= h || atteint[y * l + x] ||
            image.pixelColor(x, y) != FondBouton)
            return;
        atteint[y * l + x] = true;
        aVoir.append(QPoint(x, y));
    };
    for (int i = 0; i < l; ++i) {
        visite(i, 0);
        visite(i, h - 1);
    }
    for (int i = 0; i < h; ++i) {
        visite(0, i);
        visite(l - 1, i);
    }
    while (!aVoir.isEmpty()) {
        const QPoint p = aVoir.takeLast();
        visite(p.x() + 1, p.y());
        visite(p.x() - 1, p.y());
        visite(p.x(), p.y() + 1);
        visite(p.x(), p.y() - 1);
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < l; ++x)
            if (!atteint[y * l + x] && image.pixelColor(x, y) == FondBouton)
                return false;
    return true;
}

void VerifieBouton(const QString& chemin) {
    QFile fichier(chemin);
    const bool ouvert = fichier.open(QIODevice::ReadOnly);
    Exige(ouvert, chemin, "cannot be read");
    if (!ouvert)
        return;
    const QByteArray bmp = fichier.readAll();
    Exige(bmp.size() >= 54 && bmp.startsWith("BM"), chemin, "not a BMP file");
    if (bmp.size() < 54)
        return;
    Exige(Lit(bmp, 18, 4, false) == 32 && Lit(bmp, 22, 4, false) == 32, chemin, "not 32 x 32");
    Exige(Lit(bmp, 28, 2, false) == 24 && Lit(bmp, 30, 4, false) == 0, chemin,
          "not uncompressed 24-bit colour");

    const QImage image(chemin);
    Exige(image.pixelColor(0, 31) == FondBouton, chemin,
          "bottom-left pixel is not (236, 233, 216)");
    Exige(FondSansTrou(image), chemin, "transparent colour inside the drawing");
    int dessin = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            dessin += image.pixelColor(x, y) != FondBouton;
    Exige(dessin >= 100, chemin, "almost nothing drawn");
}

void VerifieIcone(const QImage& image, int taille, const QString& chemin) {
    const bool bonneTaille = !image.isNull() && image.width() == taille && image.height() == taille;
    Exige(bonneTaille, chemin, "unreadable or wrong size");
    if (!bonneTaille)
        return;
    Exige(image.hasAlphaChannel(), chemin, "no alpha channel");
    Exige(image.pixelColor(0, 0).alpha() == 0, chemin, "corner not transparent");
    Exige(image.pixelColor(taille / 2, taille / 2).alpha() == 255, chemin, "centre not opaque");
}

void VerifiePng(const QString& chemin, int taille) {
    QFile fichier(chemin);
    const bool ouvert = fichier.open(QIODevice::ReadOnly);
    Exige(ouvert, chemin, "cannot be read");
    if (!ouvert)
        return;
    const QByteArray png = fichier.read(26);
    // IHDR: 8 bits per channel, colour type 6 (RGBA): 32 bits per pixel.
    Exige(png.size() == 26 && png.startsWith("\x89PNG") && quint8(png[24]) == 8 &&
              quint8(png[25]) == 6,
          chemin, "not a 32-bit RGBA PNG");
    VerifieIcone(QImage(chemin), taille, chemin);
}

void VerifieIco(const QString& chemin) {
    QImageReader lecteur(chemin, "ico");
    Exige(lecteur.imageCount() == int(std::size(TaillesIcone)), chemin, "not eight images");
    QSet<int> trouvees;
    for (int i = 0; i < lecteur.imageCount(); ++i) {
        lecteur.jumpToImage(i);
        const QImage image = lecteur.read();
        trouvees.insert(image.width());
        VerifieIcone(image, image.width(), chemin);
    }
    Exige(trouvees == QSet<int>(std::begin(TaillesIcone), std::end(TaillesIcone)), chemin,
          "sizes differ from the PNG icons");
}

void VerifieQrc(const QDir& dossier) {
    const QString chemin = dossier.filePath("ressources.qrc");
    QFile fichier(chemin);
    const bool ouvert = fichier.open(QIODevice::ReadOnly);
    Exige(ouvert, chemin, "cannot be read");
    if (!ouvert)
        return;
    QSet<QString> listes;
    QXmlStreamReader xml(&fichier);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"file") {
            const QString nom = xml.readElementText();
            listes.insert(nom);
            Exige(dossier.exists(nom), nom, "listed in ressources.qrc but missing");
        }
    }
    Exige(!xml.hasError(), chemin, "not well-formed");
    QSet<QString> attendus{"Logo.jpg"};
    for (const char* bouton : Boutons)
        attendus.insert(bouton);
    for (int taille : TaillesIcone)
        attendus.insert(QString("icones/controle-%1.png").arg(taille));
    Exige(listes == attendus, chemin, "does not list exactly the logo, buttons and icons");
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: verifie RESSOURCES_FOLDER\n");
        return 2;
    }
    const QDir dossier(QString::fromLocal8Bit(argv[1]));
    VerifieLogo(dossier.filePath("Logo.jpg"));
    for (const char* bouton : Boutons)
        VerifieBouton(dossier.filePath(bouton));
    for (int taille : TaillesIcone)
        VerifiePng(dossier.filePath(QString("icones/controle-%1.png").arg(taille)), taille);
    VerifieIco(dossier.filePath("Controle.ico"));
    VerifieQrc(dossier);
    return Fautes == 0 ? 0 : 1;
}
