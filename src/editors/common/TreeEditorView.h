#pragma once

#include "EditorContract.h"
#include "records/TreeRecords.h"

#include "support/imaging/Image.h"

#include <QGroupBox>
#include <QIcon>
#include <QWidget>

#include <functional>
#include <memory>

class CValidatedEdit;
class EditorHost;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The group box in which a tree editor shows the node's image, drawn with
// the fit-and-centre rule.
class TreeImageFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit TreeImageFrame(const QString &title, QWidget *parent = nullptr);
    void setImage(const Image *image) { m_image = image; update(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const Image *m_image = nullptr;
};

// The window of a tree editor (categories, sections, topics): code, name
// and description edits, the seven buttons, the tree and the image frame.
// The records are handled by a TreeRecords object; the view keeps only
// what is on screen.
//
// States: nothing selected (Insert adds at top level); an item selected
// (Insert adds a child, Up/Down by siblings, image shown); an item open for
// modification (second click on the selected item: Save, Reload, Delete and
// Image enabled, Insert disabled).
class TreeEditorView : public QWidget, public EditorContract {
    Q_OBJECT
public:
    struct Texts {
        QString title = QStringLiteral("Categorie prodotti");
        QString imageFrameTitle = QStringLiteral("Icona Categoria");
        // Asked when the image chooser is cancelled while an image is stored.
        QString removeImageQuestion = QStringLiteral("Eliminare l'immagine attuale della categoria?");
        QString deleteTitle = QStringLiteral("Cancellazione categoria");
        QString deleteQuestion = QStringLiteral(
            "ATTENZIONE:\nquesta operazione cancellerà definitivamente\nanche tutti i prodotti "
            "della categoria.\n\nConfermi ?");
        QString help = QStringLiteral(
            " Seleziona la categoria per inserire una\n sottocategoria.\n\n Fai click sulla "
            "categoria selezionata per\n modificarla o cancellarla.");
    };

    TreeEditorView(EditorHost &host, std::unique_ptr<TreeRecords> records, Texts texts,
                   QWidget *parent = nullptr);
    ~TreeEditorView() override;

    TreeRecords &records() { return *m_records; }
    QTreeWidget *tree() const { return m_tree; }
    CValidatedEdit *codeEdit() const { return m_code; }
    CValidatedEdit *nameEdit() const { return m_name; }
    CValidatedEdit *descriptionEdit() const { return m_description; }
    enum Button { Insert, Save, Reload, Delete, ImageButton, Up, Down, ButtonCount };
    QPushButton *button(Button b) const { return m_buttons[b]; }
    const Image &image() const { return m_image; }

    // ID of the node open for modification (0 when none) and of the
    // selected one.
    int openId() const { return m_openId; }
    int selectedId() const;
    // The tree item of a node, or null.
    QTreeWidgetItem *itemFor(int id) const;

    // The user's actions, callable from tests as from the widgets.
    void selectNode(int id);      // a click on an item that was not selected
    void clickNode(int id);       // a click: selects, or opens when already selected
    void clearSelection();
    void insertNode();
    void saveNode();
    void reloadNode();
    void deleteNode();
    void chooseImage();
    void moveUp();
    void moveDown();
    // Drop of dragged on target with the "Copia" (copy) or "Sposta" choice.
    void dropNode(int dragged, int target, bool copy);

    // EditorContract. Ctrl+S stores the open node as "Salva" does (the
    // frame's close rule does not ask the tree editors).
    bool hasUnsavedChanges() override;
    bool saveChanges() override;
    bool refreshesOnLanguageChange() const override { return true; }
    void refreshLanguage() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildUi();
    void rebuildTree();
    void addNodes(QTreeWidgetItem *parent, const QList<TreeNode> &nodes);
    QTreeWidgetItem *makeItem(const TreeNode &node);
    void onCurrentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void onItemClicked(QTreeWidgetItem *item);
    void openNode(QTreeWidgetItem *item);
    void loadIntoEdits(int id);
    void blankEdits();
    void resetToNothingOpen();
    void updateButtons();
    void focusField(TreeRecords::Field field);
    void loadImage(int id);
    void clearImage();
    TreeTexts editTexts() const;
    void swapWithSibling(bool up);
    // Runs an action; after a database failure the tree is rebuilt.
    void guarded(const std::function<void()> &action);

    EditorHost &m_host;
    std::unique_ptr<TreeRecords> m_records;
    int m_imageWidth = 0;
    Texts m_texts;

    CValidatedEdit *m_code = nullptr;
    CValidatedEdit *m_name = nullptr;
    CValidatedEdit *m_description = nullptr;
    QPushButton *m_buttons[ButtonCount] = {};
    QTreeWidget *m_tree = nullptr;
    TreeImageFrame *m_frame = nullptr;
    QIcon m_icons[3];

    Image m_image;
    int m_openId = 0;
    TreeTexts m_openTexts;
    QTreeWidgetItem *m_selectedAtPress = nullptr;
    bool m_building = false;
};
