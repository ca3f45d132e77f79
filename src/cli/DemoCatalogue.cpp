// The demo shop's catalogue: categories on three levels, products with
// variants, prices, offers, size tables, colours and drawn pictures, stored
// as the editors store them.
#include "DemoCatalogue.h"

#include "catalogue/ProductPictures.h"
#include "data/DataError.h"
#include "data/Database.h"
#include "data/NextId.h"
#include "data/SqlQuote.h"
#include "data/sets/CCategorieGenSet.h"
#include "data/sets/CCategorieLinSet.h"
#include "data/sets/CCategorieProdottiSet.h"
#include "data/sets/CConfigurazioneSet.h"
#include "data/sets/CParoleChiaveSet.h"
#include "data/sets/CProdottiColoriSet.h"
#include "data/sets/CProdottiGeneraleSet.h"
#include "data/sets/CProdottiLingueSet.h"
#include "data/sets/CValoriTaglieSet.h"
#include "project/ProgramFolder.h"
#include "project/ProjectCreator.h"
#include "project/ProjectFolder.h"
#include "project/RecentProjects.h"
#include "support/Keywords.h"
#include "support/imaging/Image.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QTextStream>

#include <cmath>

namespace {

enum class Shape { TShirt, Shirt, Dress, Sweater, Mug, Pot, Lamp, Cushion, Ball, Bottle, Puzzle, Board };

struct Text2 {
    const char *it;
    const char *en;
};

struct Leaf {
    Text2 name;
    Text2 description;
    Shape shape;
    double weight;
    int sizeTable;   // 0 none, 1 letters, 2 numbers
    const char *codePrefix;
};

// Categories carry a code as the category editor accepts it; a leaf's code
// is the prefix of its products' codes.
struct Branch {
    const char *code;
    Text2 name;
    Text2 description;
    Leaf leaves[2];
};

struct Top {
    const char *code;
    Text2 name;
    Text2 description;
    Branch branches[2];
};

const Top kTree[] = {
    {"ABB", {"Abbigliamento", "Clothing"}, {"Capi per tutti i giorni", "Everyday clothing"},
     {{"UOMO", {"Uomo", "Men"}, {"Abbigliamento uomo", "Menswear"},
       {{{"Magliette", "T-shirts"}, {"Magliette in cotone", "Cotton T-shirts"}, Shape::TShirt, 0.2, 1, "MAG"},
        {{"Camicie", "Shirts"}, {"Camicie classiche e casual", "Formal and casual shirts"}, Shape::Shirt, 0.3, 2, "CAM"}}},
      {"DONNA", {"Donna", "Women"}, {"Abbigliamento donna", "Womenswear"},
       {{{"Abiti", "Dresses"}, {"Abiti per ogni occasione", "Dresses for every occasion"}, Shape::Dress, 0.4, 2, "ABI"},
        {{"Maglioni", "Sweaters"}, {"Maglie e maglioni", "Knitwear"}, Shape::Sweater, 0.5, 1, "MGL"}}}}},
    {"CASA", {"Casa", "Home"}, {"Tutto per la casa", "Everything for the home"},
     {{"CUCINA", {"Cucina", "Kitchen"}, {"Articoli da cucina", "Kitchenware"},
       {{{"Tazze", "Mugs"}, {"Tazze e mug", "Cups and mugs"}, Shape::Mug, 0.35, 0, "TAZ"},
        {{"Pentole", "Pots and pans"}, {"Pentole e padelle", "Pots and pans"}, Shape::Pot, 1.8, 0, "PEN"}}},
      {"ARREDO", {"Arredo", "Furnishings"}, {"Complementi d'arredo", "Home furnishings"},
       {{{"Lampade", "Lamps"}, {"Lampade da interno", "Indoor lamps"}, Shape::Lamp, 2.2, 0, "LAM"},
        {{"Cuscini", "Cushions"}, {"Cuscini decorativi", "Decorative cushions"}, Shape::Cushion, 0.6, 0, "CUS"}}}}},
    {"TEMPO", {"Tempo libero", "Leisure"}, {"Sport e giochi", "Sport and games"},
     {{"SPORT", {"Sport", "Sport"}, {"Articoli sportivi", "Sporting goods"},
       {{{"Palloni", "Balls"}, {"Palloni per ogni sport", "Balls for every sport"}, Shape::Ball, 0.45, 0, "PAL"},
        {{"Borracce", "Water bottles"}, {"Borracce riutilizzabili", "Reusable water bottles"}, Shape::Bottle, 0.3, 0, "BOR"}}},
      {"GIOCHI", {"Giochi", "Games"}, {"Giochi per grandi e piccoli", "Games for all ages"},
       {{{"Puzzle", "Puzzles"}, {"Puzzle di ogni formato", "Puzzles of every size"}, Shape::Puzzle, 0.7, 0, "PUZ"},
        {{"Giochi da tavolo", "Board games"}, {"Giochi da tavolo classici", "Classic board games"}, Shape::Board, 1.1, 0, "GIO"}}}}},
};

struct DemoItem {
    int leaf;          // 0..11 in tree order
    Text2 name;
    Text2 summary;
    double price;
    const char *colour;
    Text2 variantLabels[2]; // variants of the product (empty: none)
};

const DemoItem kItems[] = {
    {0, {"Maglietta girocollo", "Crew-neck T-shirt"}, {"Maglietta in puro cotone pettinato", "Pure combed cotton T-shirt"}, 14.90, "#c0392b", {}},
    {0, {"Maglietta a righe", "Striped T-shirt"}, {"Righe marinare, taglio regolare", "Breton stripes, regular fit"}, 17.50, "#1f3a93", {}},
    {0, {"Polo piquet", "Piqué polo shirt"}, {"Polo in piquet con tre bottoni", "Three-button piqué polo"}, 29.00, "#2e8b57", {}},
    {0, {"Canotta sportiva", "Sports vest"}, {"Tessuto traspirante ad asciugatura rapida", "Breathable quick-dry fabric"}, 12.00, "#f39c12", {}},
    {1, {"Camicia Oxford", "Oxford shirt"}, {"Cotone Oxford con collo button-down", "Oxford cotton with button-down collar"}, 39.90, "#5dade2", {}},
    {1, {"Camicia di lino", "Linen shirt"}, {"Lino leggero per l'estate", "Light linen for summer"}, 45.00, "#f5f5dc", {}},
    {1, {"Camicia a quadri", "Checked shirt"}, {"Flanella calda a quadri", "Warm checked flannel"}, 34.50, "#a93226", {}},
    {2, {"Abito estivo a fiori", "Floral summer dress"}, {"Viscosa fresca con stampa floreale", "Cool viscose with a floral print"}, 59.00, "#e67e22", {}},
    {2, {"Tubino nero", "Little black dress"}, {"Il classico intramontabile", "The timeless classic"}, 79.00, "#222222", {}},
    {2, {"Abito in maglia", "Knitted dress"}, {"Maglia morbida a costine", "Soft ribbed knit"}, 65.00, "#7d3c98", {}},
    {3, {"Maglione di lana merino", "Merino wool sweater"}, {"Lana merino extrafine", "Extra-fine merino wool"}, 69.00, "#34495e", {}},
    {3, {"Cardigan in cashmere", "Cashmere cardigan"}, {"Cashmere con bottoni in corno", "Cashmere with horn buttons"}, 129.00, "#b9770e", {}},
    {3, {"Dolcevita a coste", "Ribbed turtleneck"}, {"Collo alto e coste sottili", "High neck, fine ribs"}, 49.00, "#1e8449", {}},
    {4, {"Tazza in ceramica", "Ceramic mug"}, {"Ceramica smaltata, adatta alla lavastoviglie", "Glazed ceramic, dishwasher safe"}, 8.90, "#2874a6", {{"250 ml", "250 ml"}, {"350 ml", "350 ml"}}},
    {4, {"Tazzina da caffè", "Espresso cup"}, {"Porcellana bianca con piattino", "White porcelain with saucer"}, 5.50, "#fdfefe", {}},
    {4, {"Mug termica", "Travel mug"}, {"Acciaio a doppia parete con coperchio", "Double-walled steel with lid"}, 19.90, "#117a65", {}},
    {4, {"Set colazione", "Breakfast set"}, {"Tazza, piattino e ciotola coordinati", "Matching mug, plate and bowl"}, 24.00, "#d35400", {}},
    {5, {"Pentola in acciaio", "Stainless steel pot"}, {"Acciaio inox 18/10, fondo a induzione", "18/10 stainless steel, induction base"}, 42.00, "#aab7b8", {{"20 cm", "20 cm"}, {"24 cm", "24 cm"}}},
    {5, {"Padella antiaderente", "Non-stick frying pan"}, {"Rivestimento antiaderente senza PFOA", "PFOA-free non-stick coating"}, 27.50, "#424949", {}},
    {5, {"Casseruola in ghisa", "Cast-iron casserole"}, {"Ghisa smaltata per cotture lente", "Enamelled cast iron for slow cooking"}, 89.00, "#922b21", {}},
    {6, {"Lampada da tavolo", "Table lamp"}, {"Paralume in tessuto, base in legno", "Fabric shade, wooden base"}, 54.00, "#f7dc6f", {}},
    {6, {"Lampada a stelo", "Floor lamp"}, {"Luce indiretta regolabile", "Adjustable indirect light"}, 119.00, "#f0b27a", {}},
    {6, {"Lampada da comodino", "Bedside lamp"}, {"Luce calda e interruttore a sfioramento", "Warm light and touch switch"}, 32.00, "#fad7a0", {}},
    {7, {"Cuscino in velluto", "Velvet cushion"}, {"Velluto morbido, imbottitura in piuma", "Soft velvet, feather filling"}, 29.90, "#6c3483", {}},
    {7, {"Cuscino da esterno", "Outdoor cushion"}, {"Tessuto idrorepellente", "Water-repellent fabric"}, 22.00, "#27ae60", {}},
    {7, {"Cuscino in lino", "Linen cushion"}, {"Lino lavato dal tocco naturale", "Washed linen with a natural feel"}, 26.50, "#d5dbdb", {}},
    {8, {"Pallone da calcio", "Football"}, {"Misura 5, cuciture rinforzate", "Size 5, reinforced stitching"}, 24.90, "#ffffff", {}},
    {8, {"Pallone da basket", "Basketball"}, {"Gomma ad alta aderenza", "High-grip rubber"}, 29.90, "#e67e22", {}},
    {8, {"Pallone da pallavolo", "Volleyball"}, {"Pannelli morbidi e leggeri", "Soft, light panels"}, 21.50, "#f4d03f", {}},
    {9, {"Borraccia in acciaio", "Steel water bottle"}, {"Acciaio inox senza BPA", "BPA-free stainless steel"}, 16.90, "#3498db", {{"500 ml", "500 ml"}, {"750 ml", "750 ml"}}},
    {9, {"Borraccia per bambini", "Kids' water bottle"}, {"Cannuccia e tappo antigoccia", "Straw and leak-proof cap"}, 11.50, "#ec7063", {}},
    {9, {"Borraccia termica", "Insulated bottle"}, {"Bevande fredde per 24 ore", "Drinks cold for 24 hours"}, 27.00, "#1abc9c", {}},
    {10, {"Puzzle Venezia 1000 pezzi", "Venice 1000-piece puzzle"}, {"Il Canal Grande al tramonto", "The Grand Canal at sunset"}, 18.90, "#5499c7", {}},
    {10, {"Puzzle Dolomiti 500 pezzi", "Dolomites 500-piece puzzle"}, {"Le Tre Cime di Lavaredo", "The Three Peaks of Lavaredo"}, 14.50, "#52be80", {}},
    {10, {"Puzzle in legno per bambini", "Wooden kids' puzzle"}, {"Pezzi grandi in legno naturale", "Large natural wood pieces"}, 21.00, "#f5b041", {}},
    {11, {"Scacchi in legno", "Wooden chess set"}, {"Scacchiera pieghevole con pezzi intagliati", "Folding board with carved pieces"}, 39.00, "#873600", {}},
    {11, {"Dama e tria", "Draughts and nine men's morris"}, {"Due giochi classici in una scatola", "Two classic games in one box"}, 19.50, "#a04000", {}},
    {11, {"Gioco dell'oca", "Game of the goose"}, {"Il percorso tradizionale illustrato", "The traditional illustrated track"}, 15.90, "#cd6155", {}},
    {11, {"Carte napoletane", "Neapolitan playing cards"}, {"Mazzo da 40 carte in astuccio", "40-card deck in a case"}, 6.50, "#2e4053", {}},
};

struct ColourChoice {
    const char *code;
    const char *description;
    const char *rgb;
};

const ColourChoice kColours[] = {
    {"ROS", "Rosso", "#c0392b"}, {"BLU", "Blu", "#1f3a93"}, {"VER", "Verde", "#2e8b57"},
    {"NER", "Nero", "#222222"}, {"BIA", "Bianco", "#f4f6f6"}, {"GIA", "Giallo", "#f1c40f"},
};

QString t(const char *s)
{
    return QString::fromUtf8(s);
}

// --- pictures -------------------------------------------------------------

void drawShape(QPainter &p, Shape shape, const QColor &c, const QRectF &r)
{
    const QColor edge = c.darker(160);
    p.setPen(QPen(edge, r.width() / 120.0));
    p.setBrush(c);
    const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
    auto pt = [&](double fx, double fy) { return QPointF(x + fx * w, y + fy * h); };
    switch (shape) {
    case Shape::TShirt:
    case Shape::Sweater: {
        const bool longSleeves = shape == Shape::Sweater;
        QPolygonF body;
        body << pt(0.35, 0.12) << pt(0.42, 0.16) << pt(0.58, 0.16) << pt(0.65, 0.12)
             << pt(0.88, longSleeves ? 0.75 : 0.35) << pt(longSleeves ? 0.80 : 0.78, longSleeves ? 0.78 : 0.42)
             << pt(0.70, 0.32) << pt(0.70, 0.90) << pt(0.30, 0.90) << pt(0.30, 0.32)
             << pt(longSleeves ? 0.20 : 0.22, longSleeves ? 0.78 : 0.42) << pt(0.12, longSleeves ? 0.75 : 0.35);
        p.drawPolygon(body);
        if (longSleeves) {
            p.setPen(QPen(edge, w / 200.0));
            for (int i = 0; i < 6; ++i)
                p.drawLine(pt(0.32, 0.84 + i * 0.01), pt(0.68, 0.84 + i * 0.01));
        }
        break;
    }
    case Shape::Shirt: {
        QPolygonF body;
        body << pt(0.36, 0.12) << pt(0.64, 0.12) << pt(0.86, 0.72) << pt(0.78, 0.75) << pt(0.69, 0.35)
             << pt(0.69, 0.90) << pt(0.31, 0.90) << pt(0.31, 0.35) << pt(0.22, 0.75) << pt(0.14, 0.72);
        p.drawPolygon(body);
        p.setBrush(c.lighter(130));
        p.drawPolygon(QPolygonF() << pt(0.40, 0.12) << pt(0.50, 0.26) << pt(0.45, 0.28) << pt(0.38, 0.16));
        p.drawPolygon(QPolygonF() << pt(0.60, 0.12) << pt(0.50, 0.26) << pt(0.55, 0.28) << pt(0.62, 0.16));
        p.setBrush(edge);
        for (int i = 0; i < 5; ++i)
            p.drawEllipse(pt(0.50, 0.35 + i * 0.11), w * 0.01, w * 0.01);
        break;
    }
    case Shape::Dress: {
        QPolygonF body;
        body << pt(0.40, 0.10) << pt(0.60, 0.10) << pt(0.62, 0.40) << pt(0.80, 0.92)
             << pt(0.20, 0.92) << pt(0.38, 0.40);
        p.drawPolygon(body);
        p.setBrush(c.darker(130));
        p.drawRect(QRectF(pt(0.38, 0.38), pt(0.62, 0.43)));
        break;
    }
    case Shape::Mug:
        p.drawRoundedRect(QRectF(pt(0.25, 0.25), pt(0.65, 0.85)), w * 0.03, w * 0.03);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(c, w * 0.05));
        p.drawEllipse(QRectF(pt(0.58, 0.38), pt(0.80, 0.68)));
        break;
    case Shape::Pot:
        p.drawRect(QRectF(pt(0.20, 0.40), pt(0.80, 0.85)));
        p.drawEllipse(QRectF(pt(0.20, 0.33), pt(0.80, 0.47)));
        p.setBrush(edge);
        p.drawRect(QRectF(pt(0.08, 0.45), pt(0.20, 0.50)));
        p.drawRect(QRectF(pt(0.80, 0.45), pt(0.92, 0.50)));
        break;
    case Shape::Lamp:
        p.drawPolygon(QPolygonF() << pt(0.35, 0.15) << pt(0.65, 0.15) << pt(0.78, 0.45) << pt(0.22, 0.45));
        p.setBrush(edge);
        p.drawRect(QRectF(pt(0.48, 0.45), pt(0.52, 0.82)));
        p.drawEllipse(QRectF(pt(0.32, 0.80), pt(0.68, 0.90)));
        break;
    case Shape::Cushion: {
        QPainterPath path;
        path.moveTo(pt(0.18, 0.22));
        path.quadTo(pt(0.50, 0.30), pt(0.82, 0.22));
        path.quadTo(pt(0.74, 0.55), pt(0.82, 0.88));
        path.quadTo(pt(0.50, 0.80), pt(0.18, 0.88));
        path.quadTo(pt(0.26, 0.55), pt(0.18, 0.22));
        p.drawPath(path);
        p.setBrush(edge);
        p.drawEllipse(pt(0.50, 0.55), w * 0.015, w * 0.015);
        break;
    }
    case Shape::Ball: {
        const QRectF ball(pt(0.25, 0.2), QSizeF(w * 0.5, w * 0.5));
        p.drawEllipse(ball);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(edge, w / 100.0));
        p.drawLine(QPointF(ball.center().x(), ball.top()), QPointF(ball.center().x(), ball.bottom()));
        p.drawLine(QPointF(ball.left(), ball.center().y()), QPointF(ball.right(), ball.center().y()));
        p.drawEllipse(ball.adjusted(ball.width() * 0.25, 0, -ball.width() * 0.25, 0));
        break;
    }
    case Shape::Bottle:
        p.drawRoundedRect(QRectF(pt(0.38, 0.28), pt(0.62, 0.90)), w * 0.04, w * 0.04);
        p.setBrush(edge);
        p.drawRect(QRectF(pt(0.43, 0.16), pt(0.57, 0.28)));
        break;
    case Shape::Puzzle: {
        const double side = 0.18;
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                p.setBrush((i + j) % 2 ? c : c.lighter(125));
                p.drawRect(QRectF(pt(0.23 + i * side, 0.20 + j * side), QSizeF(w * side, h * side)));
            }
        }
        break;
    }
    case Shape::Board: {
        const double side = 0.075;
        for (int i = 0; i < 8; ++i) {
            for (int j = 0; j < 8; ++j) {
                p.setBrush((i + j) % 2 ? c : QColor(0xf5, 0xe6, 0xc8));
                p.drawRect(QRectF(pt(0.20 + i * side, 0.15 + j * side * 4.0 / 3.0), QSizeF(w * side, h * side * 4.0 / 3.0)));
            }
        }
        break;
    }
    }
}

// A product picture: the object on a soft background, 800 x 600.
QImage productPicture(Shape shape, const QColor &colour, int seed)
{
    QImage img(800, 600, QImage::Format_ARGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 600);
    bg.setColorAt(0, QColor::fromHsv((seed * 37) % 360, 18, 250));
    bg.setColorAt(1, QColor::fromHsv((seed * 37) % 360, 30, 225));
    p.fillRect(img.rect(), bg);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(QRectF(220, 520, 360, 40));
    drawShape(p, shape, colour, QRectF(100, 20, 600, 560));
    return img;
}

// A close-up of the fabric of a colour: a woven pattern, 600 x 600.
QImage fabricPicture(const QColor &colour)
{
    QImage img(600, 600, QImage::Format_ARGB32);
    img.fill(colour);
    QPainter p(&img);
    p.setPen(QPen(colour.darker(125), 3));
    for (int i = 0; i < 600; i += 12) {
        p.drawLine(i, 0, i, 600);
        p.drawLine(0, i + 6, 600, i + 6);
    }
    return img;
}

// EAN-13 with its check digit.
QString ean13(int n)
{
    QString digits = QStringLiteral("800%1").arg(n, 9, 10, QLatin1Char('0'));
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += digits.at(i).digitValue() * (i % 2 ? 3 : 1);
    return digits + QString::number((10 - sum % 10) % 10);
}

double round2(double v)
{
    return std::round(v * 100.0) / 100.0;
}

// --- the catalogue --------------------------------------------------------

class DemoCatalogue {
public:
    DemoCatalogue(Database &db, const QString &projectFolder)
        : m_db(db)
        , m_project(projectFolder)
    {
    }

    void fill()
    {
        Transaction transaction(m_db);
        configure();
        sizeTables();
        categories();
        products();
        transaction.commit();
    }

    int categoryCount = 0;
    int productCount = 0;
    int colourCount = 0;
    int imageCount = 0;

private:
    void configure()
    {
        m_db.execute(QStringLiteral("UPDATE Lingue SET Attivo=TRUE, Modificato=TRUE WHERE Codice='en'"));
        CConfigurazioneSet conf(m_db);
        conf.open();
        if (conf.isEOF())
            throw DataError(QStringLiteral("Manca la riga di configurazione"), QStringLiteral("Configurazione"));
        m_productWidth = conf.LarghezzaDettaglioProdotti() > 0 ? conf.LarghezzaDettaglioProdotti() : 400;
        m_thumbWidth = conf.LarghezzaIndiceProdotti() > 0 ? conf.LarghezzaIndiceProdotti() : 120;
        m_colourPhotoWidth = conf.LarghezzaFotoColori() > 0 ? conf.LarghezzaFotoColori() : 300;
        m_colourThumbWidth = conf.LarghezzaMiniaturaColori() > 0 ? conf.LarghezzaMiniaturaColori() : 60;
        m_colourDetailWidth = conf.LarghezzaDettaglioColori() > 0 ? conf.LarghezzaDettaglioColori() : 400;
        conf.edit();
        conf.setRagioneSociale(QStringLiteral("Bottega Zanfira (negozio dimostrativo)"));
        conf.setURLSito(QStringLiteral("www.bottega-zanfira.example"));
        conf.setIndirizzo(QStringLiteral("Via Roma 1"));
        conf.setCAP(QStringLiteral("40121"));
        conf.setLocalita(QStringLiteral("Bologna"));
        conf.setProvincia(QStringLiteral("BO"));
        conf.setEmailInfo(QStringLiteral("info@bottega-zanfira.example"));
        conf.setEmailOrdini(QStringLiteral("ordini@bottega-zanfira.example"));
        conf.setModificato(true);
        conf.update();
    }

    void sizeTables()
    {
        CValoriTaglieSet sizes(m_db);
        sizes.open();
        const QPair<const char *, const char *> tables[] = {
            {"Taglie internazionali", "XS\nS\nM\nL\nXL\nXXL"},
            {"Taglie italiane", "40\n42\n44\n46\n48\n50\n52"},
        };
        for (const auto &tab : tables) {
            sizes.addNew();
            const int id = nextId(sizes);
            sizes.setID(id);
            sizes.setNome(t(tab.first));
            sizes.setTaglie(t(tab.second));
            sizes.setModificato(true);
            sizes.update();
            m_sizeTables << id;
        }
    }

    int addCategory(int parent, const char *code, const Text2 &name, const Text2 &description)
    {
        CCategorieGenSet gen(m_db);
        CCategorieLinSet lin(m_db);
        gen.open();
        lin.open();
        gen.addNew();
        const int id = nextId(gen);
        gen.setID(id);
        gen.setOrdine(id);
        gen.setIDCategoriaPadre(parent);
        gen.setCodice(QString::fromLatin1(code));
        gen.setModificato(true);
        gen.update();
        for (int l = 0; l < 2; ++l) {
            lin.addNew();
            lin.setID(nextId(lin));
            lin.setIDCategoria(id);
            lin.setCodiceLingua(l ? QStringLiteral("en") : QStringLiteral("it"));
            lin.setNome(t(l ? name.en : name.it));
            lin.setDescrizione(t(l ? description.en : description.it));
            lin.setCreato(true);
            lin.setModificato(true);
            lin.update();
        }
        ++categoryCount;
        return id;
    }

    void categories()
    {
        for (const Top &top : kTree) {
            const int topId = addCategory(0, top.code, top.name, top.description);
            for (const Branch &b : top.branches) {
                const int branchId = addCategory(topId, b.code, b.name, b.description);
                for (const Leaf &leaf : b.leaves) {
                    m_leafIds << addCategory(branchId, leaf.codePrefix, leaf.name, leaf.description);
                    m_leaves << &leaf;
                }
            }
        }
    }

    int nextImageVersion()
    {
        {
            Recordset counter(m_db);
            counter.open(QStringLiteral("SELECT * FROM ProgressivoVersioneRecord"));
            int value = 0;
            if (counter.isEOF()) {
                counter.addNew();
            } else {
                value = counter.intValue(QStringLiteral("ProgressivoVersioneRecord"));
                counter.edit();
            }
            ++value;
            counter.setValue(QStringLiteral("ProgressivoVersioneRecord"), value);
            counter.setValue(QStringLiteral("Modificato"), true);
            counter.update();
            return value;
        }
    }

    // Stores a picture as the product editor does: resized to the product
    // width, then the thumbnail from the same source.
    void storeProductImage(int id, const QImage &picture)
    {
        const Image source(picture);
        const ProductPictures pictures(m_project);
        QString error;
        if (!source.resizedToWidth(m_productWidth).saveJpeg(pictures.productImage(id), &error)
            || !source.resizedToWidth(m_thumbWidth).saveJpeg(pictures.productThumbnail(id), &error))
            throw DataError(QStringLiteral("Immagine non salvata: %1").arg(error), pictures.folder());
        imageCount += 2;
    }

    void storeColourImages(int colourId, const QImage &photo, const QImage &detail)
    {
        const ProductPictures pictures(m_project);
        const Image resized = Image(photo).resizedToWidth(m_colourPhotoWidth);
        QString error;
        if (!resized.saveJpeg(pictures.colourPhoto(colourId), &error)
            || !resized.resizedToWidth(m_colourThumbWidth).saveJpeg(pictures.colourThumbnail(colourId), &error)
            || !Image(detail).resizedToWidth(m_colourDetailWidth).saveJpeg(pictures.colourDetail(colourId), &error))
            throw DataError(QStringLiteral("Immagine non salvata: %1").arg(error), pictures.folder());
        imageCount += 3;
    }

    struct Texts {
        QString nome, fattura, breve, estesa, um;
    };

    int addProduct(int base, const QString &code, int index, const DemoItem &item, const Leaf &leaf,
                   const Texts texts[2], double price, const QColor &colour, int category)
    {
        CProdottiGeneraleSet gen(m_db);
        gen.open();
        gen.addNew();
        const int id = nextId(gen);
        const bool offer = index % 5 == 2;
        const bool promotional = offer && index % 2 == 1;
        gen.setID(id);
        gen.setOrdine(id);
        gen.setIDProdottoBase(base);
        gen.setCodice(code);
        gen.setCodiceABarre(ean13(id));
        gen.setAttivo(true);
        gen.setNovita(index % 4 == 1);
        gen.setMailing(index % 6 == 0);
        gen.setOfferta(offer);
        gen.setTipoOfferta(promotional ? 1 : 0);
        gen.setSconto(offer && !promotional ? 15 : 0);
        if (offer) {
            const QDate today = QDate::currentDate();
            gen.setValiditaDal(QDateTime(today.addDays(-7), QTime(0, 0)));
            gen.setValiditaAl(QDateTime(today.addDays(60), QTime(0, 0)));
        } else {
            gen.setValiditaDal(QDateTime());
            gen.setValiditaAl(QDateTime());
        }
        gen.setIVA(22);
        gen.setPeso(leaf.weight);
        gen.setConfezione(1);
        gen.setDisponibilita(5 + (index * 7) % 40);
        if (leaf.sizeTable > 0) {
            gen.setIDTabellaTaglie(m_sizeTables.value(leaf.sizeTable - 1));
            gen.setTagliaDa(1);
            gen.setTagliaA(4);
        } else {
            gen.setIDTabellaTaglie(0);
            gen.setTagliaDa(-1);
            gen.setTagliaA(-1);
        }
        gen.setImmagine(true);
        gen.setVersioneImmagine(nextImageVersion());
        gen.setModificato(true);
        gen.update();

        CProdottiLingueSet lin(m_db);
        CParoleChiaveSet keys(m_db);
        lin.open();
        keys.open();
        for (int l = 0; l < 2; ++l) {
            const QString language = l ? QStringLiteral("en") : QStringLiteral("it");
            lin.addNew();
            lin.setID(nextId(lin));
            lin.setIDProdotto(id);
            lin.setCodiceLingua(language);
            lin.setNome(texts[l].nome);
            lin.setDescrizioneFattura(texts[l].fattura);
            lin.setDescrizioneBreve(texts[l].breve);
            lin.setDescrizioneEstesa(texts[l].estesa);
            lin.setUnitaMisura(texts[l].um);
            lin.setPrezzo1(price);
            lin.setPrezzo2(round2(price * 0.90));
            lin.setPrezzo3(round2(price * 0.85));
            lin.setPrezzo4(round2(price * 0.80));
            lin.setPrezzoPromozionale(promotional ? round2(price * 0.80) : 0);
            lin.setValoriCustom(QString());
            lin.setModificato(true);
            lin.update();

            // The keywords row, as every save of the product editor writes it.
            keys.addNew();
            keys.setID(nextId(keys));
            keys.setTipo(1);
            keys.setIDRecord(id);
            keys.setCodiceLingua(language);
            keys.setKeywords(code + QLatin1Char('/')
                             + ElaboraKeywords(QStringList{texts[l].nome, texts[l].fattura, texts[l].breve,
                                                           texts[l].estesa, QString()}.join(QLatin1Char(' '))));
            keys.setAttivo(true);
            keys.setModificato(true);
            keys.update();
        }

        CCategorieProdottiSet links(m_db);
        links.open();
        links.addNew();
        links.setID(nextId(links));
        links.setIDCategoria(category);
        links.setIDProdotto(id);
        links.setModificato(true);
        links.update();

        storeProductImage(id, productPicture(leaf.shape, colour, index));
        Q_UNUSED(item);
        ++productCount;
        return id;
    }

    void addColours(int productId, const Leaf &leaf, int index)
    {
        CProdottiColoriSet colours(m_db);
        colours.open();
        for (int k = 0; k < 3; ++k) {
            const ColourChoice &c = kColours[(index + k * 2) % 6];
            colours.addNew();
            const int id = nextId(colours);
            colours.setID(id);
            colours.setIDProdotto(productId);
            colours.setCodice(t(c.code));
            colours.setDescrizione(t(c.description));
            colours.setAttivo(true);
            colours.setModificato(true);
            colours.update();
            const QColor rgb(QLatin1String(c.rgb));
            storeColourImages(id, productPicture(leaf.shape, rgb, index), fabricPicture(rgb));
            ++colourCount;
        }
    }

    void products()
    {
        int index = 0;
        for (const DemoItem &item : kItems) {
            const Leaf &leaf = *m_leaves.at(item.leaf);
            const int category = m_leafIds.at(item.leaf);
            const QString code = QStringLiteral("%1%2").arg(t(leaf.codePrefix)).arg(index + 1, 3, 10, QLatin1Char('0'));
            Texts texts[2];
            for (int l = 0; l < 2; ++l) {
                const QString name = t(l ? item.name.en : item.name.it);
                const QString summary = t(l ? item.summary.en : item.summary.it);
                const QString section = t(l ? leaf.name.en : leaf.name.it);
                texts[l].nome = name;
                texts[l].fattura = name;
                texts[l].breve = summary;
                texts[l].estesa = l
                    ? QStringLiteral("<p>%1: %2.</p><p>From our %3 range, checked one by one before shipping. "
                                     "Delivery in 48 hours, free returns within 30 days.</p>").arg(name, summary, section.toLower())
                    : QStringLiteral("<p>%1: %2.</p><p>Dalla nostra selezione di %3, controllato pezzo per pezzo prima "
                                     "della spedizione. Consegna in 48 ore, reso gratuito entro 30 giorni.</p>").arg(name, summary.toLower(), section.toLower());
                texts[l].um = l ? QStringLiteral("pcs") : QStringLiteral("pz");
            }
            const QColor colour(QLatin1String(item.colour));
            const int id = addProduct(0, code, index, item, leaf, texts, item.price, colour, category);
            if (leaf.sizeTable > 0)
                addColours(id, leaf, index);
            for (int v = 0; v < 2; ++v) {
                const Text2 &label = item.variantLabels[v];
                if (!label.it)
                    continue;
                Texts vt[2] = {texts[0], texts[1]};
                for (int l = 0; l < 2; ++l) {
                    vt[l].nome += QLatin1Char(' ') + t(l ? label.en : label.it);
                    vt[l].fattura = vt[l].nome;
                }
                QString suffix = t(label.it);
                suffix.remove(QRegularExpression(QStringLiteral("[^0-9]")));
                // Variants take the categories of their base product.
                addProduct(id, code + QLatin1Char('-') + suffix, index, item, leaf, vt,
                           round2(item.price * (1.0 + 0.25 * v)), colour.darker(100 + 20 * v), category);
            }
            ++index;
        }
    }

    Database &m_db;
    QString m_project;
    QList<int> m_sizeTables;
    QList<int> m_leafIds;
    QList<const Leaf *> m_leaves;
    int m_productWidth = 400;
    int m_thumbWidth = 120;
    int m_colourPhotoWidth = 300;
    int m_colourThumbWidth = 60;
    int m_colourDetailWidth = 400;
};

} // namespace

DemoCatalogueCounts fillDemoCatalogue(Database &db, const QString &projectFolder)
{
    DemoCatalogue demo(db, projectFolder);
    demo.fill();
    return {demo.categoryCount, demo.productCount, demo.colourCount, demo.imageCount};
}
