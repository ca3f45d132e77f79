#pragma once

#include "EditRules.h"

#include <QLineEdit>
#include <QPointer>
#include <QValidator>

// Lets through only the text that a set of EditRules accepts. The rules are
// copied, so later changes of the owner's rules need setRules(). Given the
// line edit it serves, the edit's maximum length is allowed beside the
// width, so a value loaded longer than the width (the edit's maximum length
// raised to hold it) stays editable without being cut.
class RulesValidator : public QValidator {
    Q_OBJECT
public:
    explicit RulesValidator(const EditRules &rules, QLineEdit *edit = nullptr)
        : QValidator(edit)
        , m_rules(rules)
        , m_edit(edit)
    {
    }
    void setRules(const EditRules &rules) { m_rules = rules; }
    const EditRules &rules() const { return m_rules; }

    State validate(QString &input, int &) const override
    {
        const int allowance = m_edit ? m_edit->maxLength() : 0;
        return m_rules.accepts(input, allowance) ? Acceptable : Invalid;
    }

private:
    EditRules m_rules;
    QPointer<QLineEdit> m_edit;
};
