#include "controls/CValidatedEdit.h"
#include "controls/EditRules.h"

#include <QApplication>
#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

// Types text key by key, as the user would.
void type(QWidget *w, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
    }
}

const char *kCodeChars = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWYXZ1234567890";

} // namespace

TEST(EditRules, EachKindAcceptsItsOwnInput)
{
    EditRules text;
    text.setParam(0, 4, 0, 0);
    EXPECT_TRUE(text.accepts("ab c"));
    EXPECT_FALSE(text.accepts("abcde"));
    text.setParam(0, -1, 0, 0);
    EXPECT_TRUE(text.accepts(QString(5000, u'x')));

    EditRules digits;
    digits.setParam(1, 13, 1, 0);
    EXPECT_TRUE(digits.accepts("8001234567890"));
    EXPECT_FALSE(digits.accepts("80012345678901"));
    EXPECT_FALSE(digits.accepts("12a"));
    EXPECT_FALSE(digits.accepts("-1"));
    EXPECT_FALSE(digits.accepts(QString::fromUtf8("١٢"))) << "only ASCII digits";

    EditRules vat; // IVA: 5 characters, 2 decimals
    vat.setParam(2, 5, 1, 2);
    EXPECT_TRUE(vat.accepts("22,00"));
    EXPECT_TRUE(vat.accepts("4."));
    EXPECT_TRUE(vat.accepts(""));
    EXPECT_FALSE(vat.accepts("22,001"));
    EXPECT_FALSE(vat.accepts("122,00"));
    EXPECT_FALSE(vat.accepts("2,2,"));
    EXPECT_FALSE(vat.accepts("-2"));

    EditRules price; // product price: 10 characters, 6 decimals
    price.setParam(4, 10, 1, 6);
    EXPECT_TRUE(price.accepts("-12,123456"));
    EXPECT_FALSE(price.accepts("1,1234567"));
    EXPECT_FALSE(price.accepts("1-"));

    EditRules date;
    date.setParam(5, 8, 0, 0);
    EXPECT_TRUE(date.accepts("2512"));
    EXPECT_TRUE(date.accepts("25122024"));
    EXPECT_TRUE(date.accepts("25/12/2024"));
    EXPECT_TRUE(date.accepts("25/1"));
    EXPECT_FALSE(date.accepts("251220241"));
    EXPECT_FALSE(date.accepts("25-12"));

    EditRules code;
    code.setParam(0, 20, 0, 0);
    code.setAllowedChars(kCodeChars);
    EXPECT_TRUE(code.accepts("Abc123"));
    EXPECT_FALSE(code.accepts("ab c"));
    EXPECT_FALSE(code.accepts("ab_c"));
}

TEST(EditRules, NumbersAndDatesReadAndShown)
{
    double v = 0;
    EXPECT_TRUE(EditRules::parseNumber("12,5", &v));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_TRUE(EditRules::parseNumber("12.5", &v));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_FALSE(EditRules::parseNumber("", &v));
    EXPECT_FALSE(EditRules::parseNumber("1,2,3", &v));

    EditRules vat;
    vat.setParam(2, 5, 1, 2);
    EXPECT_EQ(vat.formatNumber(22), "22,00");
    EditRules weight;
    weight.setParam(2, 7, 0, 3);
    EXPECT_EQ(weight.formatNumber(1.5), "1,500");
    EditRules price;
    price.setParam(4, 10, 1, 6);
    EXPECT_EQ(price.formatNumber(12.5), "12,50");
    EXPECT_EQ(price.formatNumber(0.123456), "0,123456");
    EXPECT_EQ(price.formatNumber(1234567.0), "1234567,00") << "no thousands separator";
    EXPECT_EQ(EditRules::numberText(0.00001), "0,00001");

    EXPECT_EQ(EditRules::parseDate("25122024"), QDate(2024, 12, 25));
    EXPECT_EQ(EditRules::parseDate("5/1/2024"), QDate(2024, 1, 5));
    EXPECT_FALSE(EditRules::parseDate("31022024").isValid());
    EXPECT_FALSE(EditRules::parseDate("99/99/9999").isValid());
}

TEST(ValidatedEdit, TypingIsFilteredByKindWidthAndAllowedCharacters)
{
    CValidatedEdit code;
    code.SetParam(0, 20, 0, 0);
    code.SetAllowedChr(kCodeChars);
    type(&code, "ab-c 12_3");
    EXPECT_EQ(code.text(), "abc123");
    type(&code, QString(30, u'x'));
    EXPECT_EQ(code.text().size(), 20);

    CValidatedEdit barcode;
    barcode.SetParam(1, 13, 1, 0);
    EXPECT_TRUE(barcode.isMandatory());
    type(&barcode, "80a0,1234567890123");
    EXPECT_EQ(barcode.text(), "8001234567890");

    CValidatedEdit vat;
    vat.SetParam(2, 5, 1, 2);
    type(&vat, "22,456");
    EXPECT_EQ(vat.text(), "22,45");
    double d = 0;
    EXPECT_TRUE(vat.GetValue(d));
    EXPECT_DOUBLE_EQ(d, 22.45);

    CValidatedEdit name;
    name.SetParam(0, 50, 0, 0);
    type(&name, "D'Angelo & figli");
    EXPECT_EQ(name.textValue(), "D'Angelo & figli");
}

TEST(ValidatedEdit, WidthLimitsTypingButNeverCutsALoadedValue)
{
    CValidatedEdit name;
    name.SetParam(0, 50, 0, 0);
    const QString longName(60, u'n');
    name.SetValue(longName);
    EXPECT_EQ(name.text(), longName);
    type(&name, "x");
    EXPECT_EQ(name.text(), longName) << "no room to grow";
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(&name, &backspace);
    EXPECT_EQ(name.text().size(), 59) << "but it can be shortened";
    type(&name, "y");
    EXPECT_EQ(name.text().size(), 60);
}

TEST(ValidatedEdit, DateTakesEightDigitsAndShowsDayMonthYear)
{
    CValidatedEdit from;
    from.SetParam(5, 8, 0, 0);
    type(&from, "2512x2024");
    EXPECT_EQ(from.text(), "25122024");
    emit from.editingFinished();
    EXPECT_EQ(from.text(), "25/12/2024");
    EXPECT_EQ(from.dateValue(), QDate(2024, 12, 25));

    // Digits that make no date stay as typed and read as no date.
    CValidatedEdit bad;
    bad.SetParam(5, 8, 0, 0);
    type(&bad, "31022024");
    emit bad.editingFinished();
    EXPECT_EQ(bad.text(), "31022024");
    QDate date(2000, 1, 1);
    EXPECT_FALSE(bad.GetValue(date));
    EXPECT_FALSE(date.isValid());

    from.SetValue(QDate(2023, 3, 7));
    EXPECT_EQ(from.text(), "07/03/2023");
    from.SetValue(QDate());
    EXPECT_TRUE(from.text().isEmpty());
}

TEST(ValidatedEdit, TypedGettersAndSettersDoNotLookLikeTyping)
{
    CValidatedEdit price;
    price.SetParam(4, 10, 1, 6);
    int edits = 0;
    QObject::connect(&price, &QLineEdit::textEdited, [&] { ++edits; });
    price.SetValue(19.9);
    EXPECT_EQ(price.text(), "19,90");
    EXPECT_EQ(edits, 0);
    float f = 0;
    EXPECT_TRUE(price.GetValue(f));
    EXPECT_FLOAT_EQ(f, 19.9f);

    CValidatedEdit qty;
    qty.SetParam(1, 6, 0, 0);
    qty.SetValue(120);
    int i = 0;
    EXPECT_TRUE(qty.GetValue(i));
    EXPECT_EQ(i, 120);
    qty.Blank();
    EXPECT_FALSE(qty.GetValue(i));
    EXPECT_EQ(i, 0);
    qint64 big = 0;
    qty.SetValue(qint64(999999));
    EXPECT_TRUE(qty.GetValue(big));
    EXPECT_EQ(big, 999999);

    qty.SetReadOnly(true);
    type(&qty, "5");
    EXPECT_EQ(qty.text(), "999999");
}
