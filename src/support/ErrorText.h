#pragma once

#include <QString>

// The system's and Qt's error texts (file and socket errors arrive in
// English) in Italian, for the messages the user reads. A text that is not
// known is returned as it is.
class ErrorText {
public:
    static QString italian(const QString &systemText);
};
