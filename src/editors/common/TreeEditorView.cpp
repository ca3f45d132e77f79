#include "TreeEditorView.h"

#include "DataGuard.h"
#include "EditorHost.h"
#include "ImageFileFilter.h"
#include "controls/CDragTreeCtrl.h"
#include "controls/CValidatedEdit.h"
#include "support/UiPort.h"
#include "support/imaging/ImageFit.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <functional>

namespace {

constexpr int kIdRole = Qt::UserRole;

const QString kCodeChars =
    QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWYXZ1234567890");

// The three 16x16 item images: normal, selected, open for modification.
QIcon itemIcon(int kind)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor body = kind == 0 ? QColor(230, 190, 80) : kind == 1 ? QColor(250, 215, 110)
                                                                    : QColor(220, 80, 60);
    p.setPen(QColor(120, 90, 20));
    p.setBrush(body);
    p.drawRect(1, 4, 13, 10);
    p.drawRect(1, 2, 6, 3);
    if (kind == 2) {
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(4, 11, 11, 6);
    }
    return QIcon(pm);
}

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

// ------------------------------------------------------------ image frame

TreeImageFrame::TreeImageFrame(const QString &title, QWidget *parent) : QGroupBox(title, parent)
{
    setMinimumSize(220, 180);
}

void TreeImageFrame::paintEvent(QPaintEvent *event)
{
    QGroupBox::paintEvent(event);
    QPainter painter(this);
    const QRect area = ImageFit::frameArea(rect());
    ImageFit::paint(painter, area, m_image && m_image->isLoaded() ? m_image->toQImage() : QImage());
}

// ------------------------------------------------------------------- view

TreeEditorView::TreeEditorView(EditorHost &host, std::unique_ptr<TreeRecords> records,
                               Texts texts, QWidget *parent)
    : QWidget(parent), m_host(host), m_records(std::move(records)), m_texts(std::move(texts))
{
    // Read once, when the editor opens.
    runGuarded(m_texts.title, [this] { m_imageWidth = m_records->imageWidth(); });
    for (int i = 0; i < 3; ++i)
        m_icons[i] = itemIcon(i);
    buildUi();
    runGuarded(m_texts.title, [this] { rebuildTree(); });
    resetToNothingOpen();
    clearImage();
}

TreeEditorView::~TreeEditorView() = default;

void TreeEditorView::buildUi()
{
    auto *form = new QGridLayout;
    m_code = new CValidatedEdit(this);
    m_code->SetParam(0, 20, 0, 0);
    m_code->SetAllowedChr(kCodeChars);
    m_name = new CValidatedEdit(this);
    m_name->SetParam(0, 50, 0, 0);
    m_description = new CValidatedEdit(this);
    m_description->SetParam(0, -1, 0, 0);
    form->addWidget(new QLabel(QStringLiteral("Codice"), this), 0, 0);
    form->addWidget(m_code, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("Nome"), this), 1, 0);
    form->addWidget(m_name, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("Descrizione"), this), 2, 0);
    form->addWidget(m_description, 2, 1);
    auto *help = new QLabel(m_texts.help, this);
    form->addWidget(help, 3, 0, 1, 2);

    struct ButtonSpec {
        QStyle::StandardPixmap icon;
        const char *tip;
    };
    const ButtonSpec specs[ButtonCount] = {
        {QStyle::SP_FileDialogNewFolder, "Inserisci"},
        {QStyle::SP_DialogSaveButton, "Salva"},
        {QStyle::SP_BrowserReload, "Ricarica"},
        {QStyle::SP_TrashIcon, "Cancella"},
        {QStyle::SP_FileDialogContentsView, "Immagine"},
        {QStyle::SP_ArrowUp, "Sposta su"},
        {QStyle::SP_ArrowDown, "Sposta giù"},
    };
    auto *buttons = new QHBoxLayout;
    for (int i = 0; i < ButtonCount; ++i) {
        auto *b = new QPushButton(style()->standardIcon(specs[i].icon), QString(), this);
        b->setToolTip(QString::fromUtf8(specs[i].tip));
        b->setAccessibleName(QString::fromUtf8(specs[i].tip));
        b->setIconSize(QSize(24, 24));
        b->setFixedSize(36, 36);
        buttons->addWidget(b);
        m_buttons[i] = b;
    }
    buttons->addStretch();
    connect(m_buttons[Insert], &QPushButton::clicked, this, &TreeEditorView::insertNode);
    connect(m_buttons[Save], &QPushButton::clicked, this, &TreeEditorView::saveNode);
    connect(m_buttons[Reload], &QPushButton::clicked, this, &TreeEditorView::reloadNode);
    connect(m_buttons[Delete], &QPushButton::clicked, this, &TreeEditorView::deleteNode);
    connect(m_buttons[ImageButton], &QPushButton::clicked, this, &TreeEditorView::chooseImage);
    connect(m_buttons[Up], &QPushButton::clicked, this, &TreeEditorView::moveUp);
    connect(m_buttons[Down], &QPushButton::clicked, this, &TreeEditorView::moveDown);

    m_frame = new TreeImageFrame(m_texts.imageFrameTitle, this);
    m_frame->setImage(&m_image);

    auto *left = new QVBoxLayout;
    left->addLayout(form);
    left->addLayout(buttons);
    left->addWidget(m_frame, 1);

    auto *dragTree = new CDragTreeCtrl(this);
    connect(dragTree, &CDragTreeCtrl::dropRequested, this,
            [this](QTreeWidgetItem *dragged, QTreeWidgetItem *target, CDragTreeCtrl::DropAction action) {
                if (dragged && target)
                    dropNode(dragged->data(0, kIdRole).toInt(), target->data(0, kIdRole).toInt(),
                             action == CDragTreeCtrl::DropAction::Copy);
            });
    m_tree = dragTree;
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setIconSize(QSize(16, 16));
    m_tree->setMinimumWidth(280);
    m_tree->viewport()->installEventFilter(this);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &TreeEditorView::onCurrentItemChanged);
    connect(m_tree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { onItemClicked(item); });
    // A mouse press makes the item current before it selects it: the move
    // buttons follow the selection, so that the mouse enables them as the
    // keyboard does.
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!m_building)
            updateButtons();
    });

    auto *main = new QHBoxLayout(this);
    main->addLayout(left, 0);
    main->addWidget(m_tree, 1);
}

bool TreeEditorView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tree->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto *me = static_cast<QMouseEvent *>(event);
        m_selectedAtPress = m_tree->currentItem();
        if (me->button() == Qt::LeftButton && !m_tree->itemAt(me->position().toPoint())) {
            clearSelection();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ------------------------------------------------------------- tree items

QTreeWidgetItem *TreeEditorView::makeItem(const TreeNode &node)
{
    auto *item = new QTreeWidgetItem(QStringList{node.name});
    item->setData(0, kIdRole, node.id);
    item->setIcon(0, m_icons[0]);
    for (const TreeNode &child : node.children)
        item->addChild(makeItem(child));
    return item;
}

void TreeEditorView::addNodes(QTreeWidgetItem *parent, const QList<TreeNode> &nodes)
{
    for (const TreeNode &n : nodes) {
        QTreeWidgetItem *item = makeItem(n);
        if (parent)
            parent->addChild(item);
        else
            m_tree->addTopLevelItem(item);
    }
}

void TreeEditorView::rebuildTree()
{
    WaitCursor wait;
    const QList<TreeNode> nodes = m_records->loadChildren(0);
    m_building = true;
    m_tree->clear();
    addNodes(nullptr, nodes);
    m_building = false;
    m_tree->setCurrentItem(nullptr);
}

QTreeWidgetItem *TreeEditorView::itemFor(int id) const
{
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        if ((*it)->data(0, kIdRole).toInt() == id)
            return *it;
    return nullptr;
}

int TreeEditorView::selectedId() const
{
    QTreeWidgetItem *item = m_tree->currentItem();
    return item && item->isSelected() ? item->data(0, kIdRole).toInt() : 0;
}

// -------------------------------------------------------------- selection

void TreeEditorView::onCurrentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous)
{
    if (m_building)
        return;
    if (previous)
        previous->setIcon(0, m_icons[0]);
    m_openId = 0;
    if (!current) {
        resetToNothingOpen();
        clearImage();
        return;
    }
    current->setIcon(0, m_icons[1]);
    loadImage(current->data(0, kIdRole).toInt());
    blankEdits();
    updateButtons();
}

void TreeEditorView::onItemClicked(QTreeWidgetItem *item)
{
    if (item && item == m_selectedAtPress && item == m_tree->currentItem())
        openNode(item);
    m_selectedAtPress = nullptr;
}

void TreeEditorView::selectNode(int id)
{
    if (QTreeWidgetItem *item = itemFor(id))
        m_tree->setCurrentItem(item);
}

void TreeEditorView::clickNode(int id)
{
    QTreeWidgetItem *item = itemFor(id);
    if (!item)
        return;
    if (item == m_tree->currentItem() && item->isSelected())
        openNode(item);
    else
        m_tree->setCurrentItem(item);
}

void TreeEditorView::clearSelection()
{
    if (QTreeWidgetItem *item = m_tree->currentItem())
        item->setIcon(0, m_icons[0]);
    m_tree->clearSelection();
    m_tree->setCurrentItem(nullptr);
    resetToNothingOpen();
}

void TreeEditorView::openNode(QTreeWidgetItem *item)
{
    guarded([&] {
        const int id = item->data(0, kIdRole).toInt();
        loadIntoEdits(id);
        item->setIcon(0, m_icons[2]);
        m_openId = id;
        updateButtons();
    });
}

void TreeEditorView::loadIntoEdits(int id)
{
    TreeTexts texts;
    if (!m_records->loadTexts(id, texts))
        return;
    m_openTexts = texts;
    m_code->SetValue(texts.code);
    m_name->SetValue(texts.name);
    m_description->SetValue(texts.description);
}

void TreeEditorView::blankEdits()
{
    m_code->Blank();
    m_name->Blank();
    m_description->Blank();
}

void TreeEditorView::resetToNothingOpen()
{
    m_openId = 0;
    blankEdits();
    updateButtons();
}

void TreeEditorView::updateButtons()
{
    const bool open = m_openId != 0;
    m_buttons[Insert]->setEnabled(!open);
    for (Button b : {Save, Reload, Delete, ImageButton})
        m_buttons[b]->setEnabled(open);
    QTreeWidgetItem *item = selectedId() ? m_tree->currentItem() : nullptr;
    bool hasPrevious = false;
    bool hasNext = false;
    if (item) {
        QTreeWidgetItem *parent = item->parent();
        const int index = parent ? parent->indexOfChild(item) : m_tree->indexOfTopLevelItem(item);
        const int count = parent ? parent->childCount() : m_tree->topLevelItemCount();
        hasPrevious = index > 0;
        hasNext = index + 1 < count;
    }
    m_buttons[Up]->setEnabled(hasPrevious);
    m_buttons[Down]->setEnabled(hasNext);
}

void TreeEditorView::focusField(TreeRecords::Field field)
{
    switch (field) {
    case TreeRecords::Field::Code: m_code->setFocus(); break;
    case TreeRecords::Field::Name: m_name->setFocus(); break;
    case TreeRecords::Field::Description: m_description->setFocus(); break;
    case TreeRecords::Field::None: break;
    }
}

TreeTexts TreeEditorView::editTexts() const
{
    return {m_code->text(), m_name->text(), m_description->text()};
}

// ---------------------------------------------------------------- images

void TreeEditorView::loadImage(int id)
{
    const QString path = m_records->currentImage(id);
    if (path.isEmpty() || !m_image.load(path))
        m_image.clear();
    m_frame->update();
}

void TreeEditorView::clearImage()
{
    m_image.clear();
    m_frame->update();
}

void TreeEditorView::chooseImage()
{
    guarded([&] {
        const int id = m_openId;
        if (!id)
            return;
        // The stored image stays until a new one is written in its place,
        // or the user, cancelling the choice, asks for it to go.
        const QString path =
            ui().chooseOpenFile(QStringLiteral("Apri"), m_host.projectFolder(), kImageFileFilter);
        if (path.isEmpty()) {
            if (!m_records->currentImage(id).isEmpty()
                && ui().ask(m_texts.imageFrameTitle, m_texts.removeImageQuestion)) {
                m_records->removeImages(id);
                clearImage();
            }
            return;
        }
        QString error;
        if (m_records->storeImage(id, path, m_imageWidth, m_openTexts, &error).isEmpty()) {
            ui().tell(m_texts.imageFrameTitle, error, UiPort::Icon::Stop);
            loadImage(id);
            return;
        }
        if (!m_image.load(path))
            m_image.clear();
        m_frame->update();
    });
}

// --------------------------------------------------------- record buttons

void TreeEditorView::insertNode()
{
    guarded([&] {
        if (m_openId)
            return;
        QTreeWidgetItem *parentItem = selectedId() ? m_tree->currentItem() : nullptr;
        const int parentId = parentItem ? parentItem->data(0, kIdRole).toInt() : 0;
        TreeTexts texts = editTexts();
        const int id = m_records->insert(parentId, texts);
        if (!id) {
            focusField(m_records->lastFailure());
            return;
        }
        TreeNode node;
        node.id = id;
        node.name = texts.name;
        addNodes(parentItem, {node});
        blankEdits();
        if (parentItem)
            parentItem->setExpanded(true);
        updateButtons();
    });
}

void TreeEditorView::saveNode()
{
    guarded([&] {
        const int id = m_openId;
        if (!id)
            return;
        TreeTexts texts = editTexts();
        if (!m_records->save(id, texts)) {
            focusField(m_records->lastFailure());
            return;
        }
        if (QTreeWidgetItem *item = itemFor(id))
            item->setText(0, texts.name);
        clearSelection();
    });
}

bool TreeEditorView::hasUnsavedChanges()
{
    if (!m_openId)
        return false;
    const TreeTexts typed = editTexts();
    return typed.code != m_openTexts.code || typed.name != m_openTexts.name
        || typed.description != m_openTexts.description;
}

bool TreeEditorView::saveChanges()
{
    saveNode();
    return m_openId == 0;
}

void TreeEditorView::reloadNode()
{
    guarded([&] {
        if (m_openId)
            loadIntoEdits(m_openId);
    });
}

void TreeEditorView::deleteNode()
{
    guarded([&] {
        const int id = selectedId();
        if (!id)
            return;
        if (ui().ask(m_texts.deleteTitle, m_texts.deleteQuestion)) {
            m_records->deleteSubtree(id);
            m_building = true;
            delete itemFor(id);
            m_building = false;
            clearImage();
        }
        clearSelection();
    });
}

void TreeEditorView::moveUp()
{
    swapWithSibling(true);
}

void TreeEditorView::moveDown()
{
    swapWithSibling(false);
}

void TreeEditorView::swapWithSibling(bool up)
{
    guarded([&] {
        QTreeWidgetItem *item = selectedId() ? m_tree->currentItem() : nullptr;
        if (!item)
            return;
        QTreeWidgetItem *parent = item->parent();
        const int index = parent ? parent->indexOfChild(item) : m_tree->indexOfTopLevelItem(item);
        const int count = parent ? parent->childCount() : m_tree->topLevelItemCount();
        const int other = up ? index - 1 : index + 1;
        if (other < 0 || other >= count)
            return;
        QTreeWidgetItem *sibling = parent ? parent->child(other) : m_tree->topLevelItem(other);
        m_records->swapOrder(item->data(0, kIdRole).toInt(), sibling->data(0, kIdRole).toInt());

        // The item moves with its subtree; its expanded branches stay expanded.
        QList<QTreeWidgetItem *> expanded;
        std::function<void(QTreeWidgetItem *)> collect = [&](QTreeWidgetItem *node) {
            if (node->isExpanded())
                expanded << node;
            for (int i = 0; i < node->childCount(); ++i)
                collect(node->child(i));
        };
        collect(item);
        const int openId = m_openId;
        m_building = true;
        QTreeWidgetItem *taken = parent ? parent->takeChild(index) : m_tree->takeTopLevelItem(index);
        if (parent)
            parent->insertChild(other, taken);
        else
            m_tree->insertTopLevelItem(other, taken);
        for (QTreeWidgetItem *e : expanded)
            e->setExpanded(true);
        m_tree->setCurrentItem(taken);
        m_building = false;
        m_openId = openId;
        taken->setIcon(0, m_icons[openId ? 2 : 1]);
        updateButtons();
    });
}

void TreeEditorView::dropNode(int dragged, int target, bool copy)
{
    guarded([&] {
        if (!m_records->canDrop(dragged, target)) {
            QApplication::beep();
            return;
        }
        WaitCursor wait;
        int shown = dragged;
        if (copy) {
            shown = m_records->copy(dragged, target);
            if (!shown)
                return;
        } else {
            if (!m_records->move(dragged, target))
                return;
            m_building = true;
            delete itemFor(dragged);
            m_building = false;
        }
        if (QTreeWidgetItem *targetItem = itemFor(target)) {
            targetItem->addChild(makeItem(m_records->loadNode(shown)));
            targetItem->setExpanded(true);
        }
        m_tree->setCurrentItem(nullptr);
        resetToNothingOpen();
        clearImage();
    });
}

void TreeEditorView::guarded(const std::function<void()> &action)
{
    if (runGuarded(m_texts.title, action))
        return;
    // The tree may no longer match the tables: show them as they are.
    runGuarded(m_texts.title, [this] { refreshLanguage(); });
}

void TreeEditorView::refreshLanguage()
{
    blankEdits();
    clearSelection();
    runGuarded(m_texts.title, [this] { rebuildTree(); });
    resetToNothingOpen();
    clearImage();
}
