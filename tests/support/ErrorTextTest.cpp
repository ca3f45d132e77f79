#include "support/ErrorText.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ErrorTextTest, FileErrorsTheUserMeetsReadInItalian)
{
    QTemporaryDir dir;
    QFile missing(dir.filePath(QStringLiteral("manca.txt")));
    ASSERT_FALSE(missing.open(QIODevice::ReadOnly));
    EXPECT_EQ(ErrorText::italian(missing.errorString()), QStringLiteral("file o cartella inesistente"))
        << missing.errorString().toStdString();

    QFile folder(dir.path());
    ASSERT_FALSE(folder.open(QIODevice::WriteOnly));
    EXPECT_EQ(ErrorText::italian(folder.errorString()), QStringLiteral("è una cartella, non un file"))
        << folder.errorString().toStdString();

    // Texts it does not know pass unchanged.
    EXPECT_EQ(ErrorText::italian(QStringLiteral("errore del tutto nuovo")), QStringLiteral("errore del tutto nuovo"));
}
