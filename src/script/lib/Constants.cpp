// The vb... constants of the language.

#include "LibSupport.h"

namespace vbs::lib {

void registerConstants(FunctionRegistry &r)
{
    auto str = [&r](const char *name, const QString &value) {
        r.addConstant(QString::fromLatin1(name), Variant(value));
    };
    auto lng = [&r](const char *name, int32_t value) {
        // Small constants are Integer, as the language declares them.
        if (value >= -32768 && value <= 32767)
            r.addConstant(QString::fromLatin1(name), Variant(int16_t(value)));
        else
            r.addConstant(QString::fromLatin1(name), Variant(value));
    };

    str("vbCr", QStringLiteral("\r"));
    str("vbLf", QStringLiteral("\n"));
    str("vbCrLf", QStringLiteral("\r\n"));
    str("vbNewLine", QStringLiteral("\r\n"));
    str("vbTab", QStringLiteral("\t"));
    str("vbNullString", QString());
    str("vbNullChar", QString(QChar(0)));
    str("vbFormFeed", QStringLiteral("\f"));
    str("vbVerticalTab", QStringLiteral("\v"));

    lng("vbBinaryCompare", 0);
    lng("vbTextCompare", 1);
    lng("vbDatabaseCompare", 2);
    lng("vbUseDefault", -2);
    lng("vbTrue", -1);
    lng("vbFalse", 0);

    lng("vbGeneralDate", 0);
    lng("vbLongDate", 1);
    lng("vbShortDate", 2);
    lng("vbLongTime", 3);
    lng("vbShortTime", 4);

    lng("vbUseSystemDayOfWeek", 0);
    lng("vbSunday", 1);
    lng("vbMonday", 2);
    lng("vbTuesday", 3);
    lng("vbWednesday", 4);
    lng("vbThursday", 5);
    lng("vbFriday", 6);
    lng("vbSaturday", 7);
    lng("vbUseSystem", 0);
    lng("vbFirstJan1", 1);
    lng("vbFirstFourDays", 2);
    lng("vbFirstFullWeek", 3);

    lng("vbEmpty", 0);
    lng("vbNull", 1);
    lng("vbInteger", 2);
    lng("vbLong", 3);
    lng("vbSingle", 4);
    lng("vbDouble", 5);
    lng("vbCurrency", 6);
    lng("vbDate", 7);
    lng("vbString", 8);
    lng("vbObject", 9);
    lng("vbError", 10);
    lng("vbBoolean", 11);
    lng("vbVariant", 12);
    lng("vbDataObject", 13);
    lng("vbDecimal", 14);
    lng("vbByte", 17);
    lng("vbArray", 8192);

    lng("vbObjectError", int32_t(0x80040000u));

    lng("vbBlack", 0x000000);
    lng("vbRed", 0x0000FF);
    lng("vbGreen", 0x00FF00);
    lng("vbYellow", 0x00FFFF);
    lng("vbBlue", 0xFF0000);
    lng("vbMagenta", 0xFF00FF);
    lng("vbCyan", 0xFFFF00);
    lng("vbWhite", 0xFFFFFF);

    // Message box constants exist so that pages using them still compile.
    lng("vbOKOnly", 0);
    lng("vbOKCancel", 1);
    lng("vbAbortRetryIgnore", 2);
    lng("vbYesNoCancel", 3);
    lng("vbYesNo", 4);
    lng("vbRetryCancel", 5);
    lng("vbCritical", 16);
    lng("vbQuestion", 32);
    lng("vbExclamation", 48);
    lng("vbInformation", 64);
    lng("vbDefaultButton1", 0);
    lng("vbDefaultButton2", 256);
    lng("vbDefaultButton3", 512);
    lng("vbDefaultButton4", 768);
    lng("vbApplicationModal", 0);
    lng("vbSystemModal", 4096);
    lng("vbOK", 1);
    lng("vbCancel", 2);
    lng("vbAbort", 3);
    lng("vbRetry", 4);
    lng("vbIgnore", 5);
    lng("vbYes", 6);
    lng("vbNo", 7);
}

} // namespace vbs::lib
