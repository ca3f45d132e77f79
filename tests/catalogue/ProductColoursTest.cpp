#include "catalogue/ProductColours.h"

#include "common/ProjectDatabase.h"

#include "support/imaging/Image.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace {

Image picture(int w, int h, QColor colour = Qt::red)
{
    QImage q(w, h, QImage::Format_RGB32);
    q.fill(colour);
    return Image(q);
}

QSize sizeOf(const QString &path)
{
    return QImage(path).size();
}

struct ProductColoursFixture : ::testing::Test {
    LanguageTestProject project;
    ProductColours colours{project.db(), project.projectFolder()};

    void configure(int photo, int thumb, int detail)
    {
        project.db().execute(QStringLiteral("UPDATE Configurazione SET LarghezzaFotoColori=%1, "
                                            "LarghezzaMiniaturaColori=%2, LarghezzaDettaglioColori=%3")
                                 .arg(photo)
                                 .arg(thumb)
                                 .arg(detail));
    }
};

} // namespace

TEST(ProductColourValidation, MandatoryFieldsThenOneImage)
{
    auto r = ProductColours::validate("", "Rosso", true, false);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->message, "Campo obbligatorio!");
    EXPECT_EQ(r->title, "Validazione campi");
    r = ProductColours::validate("R1", " ", true, true);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->message, "Campo obbligatorio!");
    r = ProductColours::validate("R1", "Rosso", false, false);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->title, "Colori prodotti");
    EXPECT_EQ(r->message, "E' necessario selezionare almeno una immagine (foto o dettaglio).");
    EXPECT_FALSE(ProductColours::validate("R1", "Rosso", false, true));
    EXPECT_FALSE(ProductColours::validate("R1", "Rosso", true, false));
}

TEST_F(ProductColoursFixture, ColourIsSavedWithItsImagesAtTheConfiguredWidths)
{
    ASSERT_GE(project.count("SELECT COUNT(*) FROM Configurazione"), 1);
    configure(400, 100, 200);
    const int id = colours.save(7, 0, "R1", "Rosso", true, picture(800, 600), picture(1000, 500));
    ASSERT_GT(id, 0);
    EXPECT_EQ(sizeOf(colours.photoPath(id)), QSize(400, 300));
    EXPECT_EQ(sizeOf(colours.thumbnailPath(id)), QSize(100, 75));
    EXPECT_EQ(sizeOf(colours.detailPath(id)), QSize(200, 100));

    const auto list = colours.colours(7);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].id, id);
    EXPECT_EQ(list[0].code, "R1");
    EXPECT_EQ(list[0].description, "Rosso");
    EXPECT_TRUE(list[0].active);
    EXPECT_TRUE(list[0].hasPhoto);
    EXPECT_TRUE(list[0].hasDetail);
    EXPECT_TRUE(colours.colours(8).isEmpty());

    // Changing the row without choosing pictures keeps the stored files.
    EXPECT_EQ(colours.save(7, id, "R2", "Rosso scuro", false, Image(), Image()), id);
    EXPECT_EQ(sizeOf(colours.photoPath(id)), QSize(400, 300));
    EXPECT_EQ(colours.colours(7).value(0).code, "R2");
    EXPECT_FALSE(colours.colours(7).value(0).active);
    EXPECT_EQ(project.count("SELECT COUNT(*) FROM ProdottiColori"), 1);
}

TEST_F(ProductColoursFixture, OnlyADetailWritesNoPhoto)
{
    configure(0, 50, 0);
    const int id = colours.save(3, 0, "B", "Blu", true, Image(), picture(120, 60));
    ASSERT_GT(id, 0);
    EXPECT_FALSE(QFile::exists(colours.photoPath(id)));
    EXPECT_FALSE(QFile::exists(colours.thumbnailPath(id)));
    EXPECT_EQ(sizeOf(colours.detailPath(id)), QSize(120, 60));
    EXPECT_EQ(colours.iconSide(), 50);
}

TEST_F(ProductColoursFixture, AColourWhosePictureCannotBeWrittenIsNotStored)
{
    // A file where the colour folder should be makes every write fail.
    QDir(project.projectFolder()).mkpath("website/images/prodotti");
    QFile blocker(project.file("website/images/prodotti/colori"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QString error;
    EXPECT_EQ(colours.save(7, 0, "R1", "Rosso", true, picture(40, 40), Image(), &error), 0);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(project.count("SELECT COUNT(*) FROM ProdottiColori"), 0);
}

TEST_F(ProductColoursFixture, DeleteLogsTheRowAndRemovesItsFiles)
{
    const int id = colours.save(7, 0, "R1", "Rosso", true, picture(40, 40), picture(40, 40));
    const int other = colours.save(7, 0, "V1", "Verde", true, picture(40, 40), Image());
    colours.remove(id);
    EXPECT_EQ(project.count(QStringLiteral("SELECT COUNT(*) FROM ProdottiColori WHERE ID=%1").arg(id)), 0);
    EXPECT_EQ(project.count(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE "
                                           "NomeTabella='ProdottiColori' AND IDRecord=%1")
                                .arg(id)),
              1);
    EXPECT_FALSE(QFile::exists(colours.photoPath(id)));
    EXPECT_FALSE(QFile::exists(colours.thumbnailPath(id)));
    EXPECT_FALSE(QFile::exists(colours.detailPath(id)));
    EXPECT_TRUE(QFile::exists(colours.photoPath(other)));
    EXPECT_EQ(colours.colours(7).size(), 1);
}

TEST(ProductColourIcon, PictureFittedOnWhiteWithMarkers)
{
    QImage tall(20, 40, QImage::Format_RGB32);
    tall.fill(Qt::red);
    const QImage both = ProductColours::composeIcon(tall, true, true, 80);
    EXPECT_EQ(both.size(), QSize(80, 80));
    EXPECT_EQ(QColor(both.pixel(2, 10)), QColor(Qt::white)); // beside the tall picture
    EXPECT_EQ(QColor(both.pixel(40, 10)), QColor(Qt::red));
    EXPECT_EQ(both.pixel(0, 70), ProductColours::photoMarker().pixel(0, 0));
    EXPECT_EQ(both.pixel(12, 70), ProductColours::detailMarker().pixel(0, 0));

    const QImage detailOnly = ProductColours::composeIcon(tall, false, true, 80);
    EXPECT_EQ(detailOnly.pixel(0, 70), ProductColours::detailMarker().pixel(0, 0));
}
