#pragma once

#include "designer/OutputWriter.h"
#include "designer/TemplateModel.h"

#include <QString>

// Writes a category's stylesheet (its FileCSS in website/images) from the
// classes of the category's active nodes. A simple selector ".Name" of the
// class row with ID 17 is written ".Name17", the name the pages use; a
// compound selector ".Name rest" takes the ID of the node's simple class
// ".Name" when that class comes earlier in Ordine order.
class StylesheetGenerator {
public:
    StylesheetGenerator(const TemplateModel &model, const QString &projectFolder,
                        OutputWriter &writer);

    // Rewrites the stylesheet of the node's category; nothing for a
    // reference node (category 0) or a category without a row.
    void updateStylesheet(int nodeId);
    // Rewrites one category's stylesheet.
    void updateCategory(int categoryId);
    // Rewrites the stylesheet of every category.
    void updateAll();

    // The stylesheet text of a category (empty text for no rules).
    QString categoryText(int categoryId) const;
    // The rule body of one class: its property lines.
    QString ruleBody(int classId) const;

    // CSS property name of a property number 0..34 (empty when unknown).
    static QString propertyName(int number);
    // Appends "px" to every bare number of a length value: "10" -> "10px",
    // "10 20" -> "10px 20px"; "10px", "50%", "auto" stay as they are.
    static QString withUnit(const QString &value);

private:
    QString borderLine(int classId, int widthNumber) const;

    const TemplateModel &m_model;
    QString m_projectFolder;
    OutputWriter &m_writer;
};
