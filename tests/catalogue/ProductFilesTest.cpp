#include "catalogue/ProductFiles.h"

#include "common/TempDir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QString writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(content);
    return path;
}

} // namespace

TEST(ProductFiles, AttachListDeleteWithMarker)
{
    TempDir dir;
    ProductFiles files(dir.path() + "/");
    EXPECT_TRUE(files.codes(12).isEmpty());
    const QString pdf = writeFile(dir.file("Manuale.PDF"), "pdf");
    const QString zip = writeFile(dir.file("driver.zip"), "zip");

    ASSERT_TRUE(files.attach(12, "Manuale", pdf));
    ASSERT_TRUE(files.attach(12, "driver", zip));
    ASSERT_TRUE(files.attach(1, "altro", zip)); // another product: "1_" is not "12_"
    EXPECT_TRUE(QFile::exists(files.folder() + "/M12_manuale.pdf"));
    EXPECT_EQ(files.codes(12), (QStringList{"driver", "manuale"}));
    EXPECT_EQ(files.codes(1), QStringList{"altro"});

    // A new file for a code replaces the old one, whatever its extension.
    ASSERT_TRUE(files.attach(12, "driver", pdf));
    EXPECT_FALSE(QFile::exists(files.folder() + "/M12_driver.zip"));
    EXPECT_EQ(files.filesOf(12, "driver"), QStringList{files.folder() + "/M12_driver.pdf"});

    ASSERT_TRUE(files.remove(12, "manuale"));
    EXPECT_TRUE(QFile::exists(files.folder() + "/d12_manuale"));
    EXPECT_EQ(QFile(files.folder() + "/d12_manuale").size(), 0);
    EXPECT_EQ(files.codes(12), QStringList{"driver"});
    EXPECT_TRUE(files.firstFile(12, "manuale").isEmpty());

    // Attaching again lifts the marker.
    ASSERT_TRUE(files.attach(12, "manuale", pdf));
    EXPECT_FALSE(QFile::exists(files.folder() + "/d12_manuale"));
}

TEST(ProductFiles, NewCodeChecks)
{
    EXPECT_EQ(ProductFiles::checkNewCode("", {}), "Campo obbligatorio!");
    EXPECT_EQ(ProductFiles::checkNewCode("Manuale", {"manuale"}), "Codice già presente!");
    EXPECT_TRUE(ProductFiles::checkNewCode("scheda", {"manuale"}).isEmpty());
}
