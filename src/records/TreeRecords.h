#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Database;
class LanguageContext;
class Recordset;

// Tables and texts of one tree editor (categories, sections, topics): a
// general table of nodes with a parent column and an order among siblings,
// and a language table with one row per node and language.
struct TreeTables {
    QString table = QStringLiteral("Categorie");
    QString parentColumn = QStringLiteral("IDCategoriaPadre");
    QString languageTable = QStringLiteral("CategorieLingue");
    QString ownerColumn = QStringLiteral("IDCategoria");
    QString nameColumn = QStringLiteral("Nome");
    QString descriptionColumn = QStringLiteral("Descrizione");
    QString createdColumn = QStringLiteral("Creato");
    QString imageFlagColumn = QStringLiteral("Immagine");
    // A general column the editor never edits but carries over on copy
    // (empty when the table has none).
    QString carriedColumn = QStringLiteral("DatiAggiuntivi");
    // Images live in <project>website/images/<imageFolder>/<language>/<ID>.jpg|.gif
    QString imageFolder = QStringLiteral("categorie");
    QString codeNotLetterMessage =
        QStringLiteral("Il primo carattere del codice categoria non può essere un numero!");
    QString duplicateCodeMessage = QStringLiteral("Codice categoria già presente in archivio!");
};

// One node of the tree as the editor shows it.
struct TreeNode {
    int id = 0;
    QString name;
    QList<TreeNode> children;
};

// The form's three fields.
struct TreeTexts {
    QString code;
    QString name;
    QString description;
};

// The record logic of a tree editor, with no widgets: building the tree in
// the current language, validation, insert, save, delete of a subtree,
// order swap, move, copy and the node images. The widget base
// (TreeEditorView) calls it; CategoryTree specialises it for categories.
class TreeRecords {
public:
    enum class Field { None, Code, Name, Description };

    TreeRecords(Database &db, LanguageContext &languages, QString projectFolder,
                TreeTables tables = {});
    virtual ~TreeRecords() = default;

    const TreeTables &tables() const { return m_tables; }
    Database &database() const { return m_db; }
    QString currentLanguage() const;
    QString defaultLanguage() const;

    // Children of parentId in order, each with its whole subtree, named in
    // the current language or, failing that, the default language.
    QList<TreeNode> loadChildren(int parentId) const;
    // One node with its subtree (after a copy or a move).
    TreeNode loadNode(int id) const;

    // Code, name and description of a node (language row in the current
    // language, else the default one). False when the node does not exist.
    bool loadTexts(int id, TreeTexts &texts) const;

    // Checks the fields in order, upper-cases the code, tells the user of
    // the first failure and returns the field to focus (None when valid).
    // savingId is the node being saved (0 for an insert).
    Field validate(TreeTexts &texts, int savingId) const;
    Field lastFailure() const { return m_lastFailure; }

    // Adds a node under parentId (0 = top level) after validation; returns
    // its ID, or 0 when validation failed (see lastFailure()).
    int insert(int parentId, TreeTexts texts);
    // Stores code, name and description after validation.
    bool save(int id, TreeTexts texts);

    // IDs of the node and all its descendants, descendants first.
    QList<int> subtreeIds(int id) const;
    // Deletes the node's subtree with everything that belongs to it, in one
    // transaction; every deleted row is written to the deleted-records log.
    // The nodes' image files go too, in every language. Returns the IDs of
    // the deleted nodes.
    QList<int> deleteSubtree(int id);

    // Parent of a node (0 for top level, -1 when it does not exist).
    int parentOf(int id) const;
    // Whether id is ancestor itself or lies below it.
    bool isInSubtree(int id, int ancestor) const;
    // The rule of a drop: not on itself, not inside its own subtree, not on
    // its current parent.
    bool canDrop(int dragged, int target) const;

    // Exchanges the Ordine of two nodes, setting their modified flags.
    void swapOrder(int first, int second);
    // Gives the node a new parent; the row is marked modified so that the
    // next publication carries the move.
    bool move(int id, int newParent);
    // Copies the node with its subtree under target; returns the new ID or
    // 0 when the drop is refused.
    int copy(int sourceId, int targetId);

    // Image file of a node in a language.
    QString imagePath(int id, const QString &language, bool gif) const;
    // The existing image of the node in the current language (.jpg first),
    // empty when there is none.
    QString currentImage(int id) const;
    // Deletes both image files of the node in the current language and
    // clears the language row's image flag, so the site stops showing it.
    void removeImages(int id);
    // Loads sourcePath, resizes it to width (height in proportion), stores it
    // for the current language (BMP and JPEG as .jpg, GIF as .gif) and marks
    // the language row. shown are the texts to give a new language row.
    // The image already stored is replaced only once the new one is written
    // (an image of the other format is deleted after that). Returns the
    // stored file; on failure an empty string, with the text for the user
    // in error, and the old image is still there.
    QString storeImage(int id, const QString &sourcePath, int width, const TreeTexts &shown,
                       QString *error = nullptr);
    static QString unreadableImageText(const QString &path);
    static QString unwritableImageText(const QString &path, const QString &reason);

    // Width of the node images from the configuration (0: kept as loaded).
    virtual int imageWidth() const { return 0; }

protected:
    // Deletes the rows of other tables that belong to the deleted nodes
    // (inside deleteSubtree's transaction), each written to the
    // deleted-records log.
    virtual void deleteDependants(const QList<int> &ids);
    // Called once deleteSubtree's transaction is committed: the files of
    // what deleteDependants removed can go.
    virtual void dependantsDeleted() {}
    static QString idList(const QList<int> &ids);

private:
    void loadLevel(int parentId, QList<TreeNode> &out) const;
    QString nameOf(int id) const;
    bool findLanguageRow(Recordset &set, int id, const QString &language) const;
    void addLanguageRow(int owner, const QString &language, const TreeTexts &texts,
                        bool imageFlag);
    int copyRecursive(int sourceId, int targetId);

    Database &m_db;
    LanguageContext &m_languages;
    QString m_projectFolder;
    TreeTables m_tables;
    mutable Field m_lastFailure = Field::None;
};
