#pragma once

#include "EditRules.h"

#include <QValidator>

// Lets through only the text that a set of EditRules accepts. The rules are
// copied, so later changes of the owner's rules need a new validator or
// setRules().
class RulesValidator : public QValidator {
    Q_OBJECT
public:
    explicit RulesValidator(const EditRules &rules, QObject *parent = nullptr)
        : QValidator(parent)
        , m_rules(rules)
    {
    }
    void setRules(const EditRules &rules) { m_rules = rules; }
    const EditRules &rules() const { return m_rules; }

    State validate(QString &input, int &) const override
    {
        return m_rules.accepts(input) ? Acceptable : Invalid;
    }

private:
    EditRules m_rules;
};
