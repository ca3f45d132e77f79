#pragma once

#include "EditRules.h"

#include <QDate>
#include <QLineEdit>

class RulesValidator;

// The edit used for every form field. SetParam(kind, width, flag, decimals)
// and SetAllowedChr decide what can be typed (see EditRules); the typed
// getters read the text as the kind's value. SetValue and Blank change the
// text without emitting textEdited, so loading a record never looks like
// typing.
class CValidatedEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CValidatedEdit(QWidget *parent = nullptr);
    // A new edit named objectName, with SetParam(kind, width, flag, decimals).
    static CValidatedEdit *create(QWidget *parent, const QString &objectName, int kind, int width,
                                  int flag, int decimals);

    void SetParam(int kind, int width, int flag, int decimals);
    void SetAllowedChr(const QString &chars);
    const EditRules &rules() const { return m_rules; }
    // Flag 1 of SetParam: the field must be filled in.
    bool isMandatory() const { return m_rules.flag() == 1; }

    void SetValue(const QString &text);
    void SetValue(const char *text) { SetValue(QString::fromUtf8(text)); }
    void SetValue(int value);
    void SetValue(qint64 value);
    void SetValue(double value);
    void SetValue(const QDate &date);

    // Each returns false (leaving value at 0 / invalid) when the text is not
    // a value of that type; an empty field is not a value.
    bool GetValue(QString &value) const;
    bool GetValue(int &value) const;
    bool GetValue(qint64 &value) const;
    bool GetValue(float &value) const;
    bool GetValue(double &value) const;
    bool GetValue(QDate &value) const;

    QString textValue() const { return text(); }
    int intValue() const;
    double doubleValue() const;
    QDate dateValue() const;

    void Blank() { SetValue(QString()); }
    void SetReadOnly(bool readOnly) { setReadOnly(readOnly); }

private:
    void completeInput();
    void fitLength(int valueLength);

    EditRules m_rules;
    RulesValidator *m_validator = nullptr;
};
