#include "controls/FieldChecks.h"

#include <gtest/gtest.h>

TEST(TaxCode, ControlCharacterDecides)
{
    EXPECT_TRUE(FieldChecks::isValidTaxCode("RSSMRA85T10A562S"));
    EXPECT_TRUE(FieldChecks::isValidTaxCode("rssmra85t10a562s")) << "lower case is read as upper";
    EXPECT_TRUE(FieldChecks::isValidTaxCode(" RSSMRA85T10A562S "));
    EXPECT_TRUE(FieldChecks::isValidTaxCode("BNCGNN80A01F205W"));
    // A homonym's code with a letter in place of a digit has its own control.
    EXPECT_TRUE(FieldChecks::isValidTaxCode("RSSMRA85T10A56NH"));
    EXPECT_TRUE(FieldChecks::isValidTaxCode("")) << "an empty cell is not checked";

    EXPECT_FALSE(FieldChecks::isValidTaxCode("RSSMRA85T10A562T")) << "wrong control character";
    EXPECT_FALSE(FieldChecks::isValidTaxCode("RSSMRA85T10A562")) << "15 characters";
    EXPECT_FALSE(FieldChecks::isValidTaxCode("RSSMRA85T10A562SS"));
    EXPECT_FALSE(FieldChecks::isValidTaxCode("RSSMRA85Z10A562S")) << "no month letter Z";
    EXPECT_FALSE(FieldChecks::isValidTaxCode("RSSMR185T10A562S")) << "digit among the name letters";
    EXPECT_FALSE(FieldChecks::isValidTaxCode("RSSMRA85T10A56-S"));
    // Two swapped characters change the control character.
    EXPECT_FALSE(FieldChecks::isValidTaxCode("SRSMRA85T10A562S"));

    EXPECT_EQ(FieldChecks::taxCodeControlChar("RSSMRA85T10A562"), QChar(u'S'));
    EXPECT_TRUE(FieldChecks::taxCodeControlChar("RSSMRA85T10A56").isNull());
    EXPECT_TRUE(FieldChecks::taxCodeControlChar("RSSMRA85T10A56*").isNull());
}

TEST(DateCell, EightDigitsAreShownWithSlashes)
{
    EXPECT_EQ(FieldChecks::formatDateDigits("25122024"), "25/12/2024");
    EXPECT_EQ(FieldChecks::formatDateDigits("29022024"), "29/02/2024");
    EXPECT_EQ(FieldChecks::formatDateDigits("99999999"), "99/99/9999");
    EXPECT_EQ(FieldChecks::formatDateDigits("29022023"), "Error");
    EXPECT_EQ(FieldChecks::formatDateDigits("31042024"), "Error");
    EXPECT_EQ(FieldChecks::formatDateDigits("00012024"), "Error");
    // Anything but eight digits is left for the check to judge.
    EXPECT_EQ(FieldChecks::formatDateDigits("2512202"), "2512202");
    EXPECT_EQ(FieldChecks::formatDateDigits("25/12/2024"), "25/12/2024");

    EXPECT_TRUE(FieldChecks::isValidDateText("25/12/2024"));
    EXPECT_TRUE(FieldChecks::isValidDateText("99/99/9999"));
    EXPECT_TRUE(FieldChecks::isValidDateText(""));
    EXPECT_FALSE(FieldChecks::isValidDateText("Error"));
    EXPECT_FALSE(FieldChecks::isValidDateText("2512202"));
    EXPECT_FALSE(FieldChecks::isValidDateText("31/02/2024"));
    EXPECT_FALSE(FieldChecks::isValidDateText("25122024")) << "unformatted digits are not a date";
}

TEST(TimeCell, FourDigitsAreShownWithColon)
{
    EXPECT_EQ(FieldChecks::formatTimeDigits("0930"), "09:30");
    EXPECT_EQ(FieldChecks::formatTimeDigits("930"), "930");
    EXPECT_TRUE(FieldChecks::isValidTimeText("09:30"));
    EXPECT_TRUE(FieldChecks::isValidTimeText("23:59:59"));
    EXPECT_TRUE(FieldChecks::isValidTimeText("7:05"));
    EXPECT_TRUE(FieldChecks::isValidTimeText(""));
    EXPECT_FALSE(FieldChecks::isValidTimeText("24:00"));
    EXPECT_FALSE(FieldChecks::isValidTimeText("12:60"));
    EXPECT_FALSE(FieldChecks::isValidTimeText("930"));
    EXPECT_FALSE(FieldChecks::isValidTimeText("ab:cd"));
}
