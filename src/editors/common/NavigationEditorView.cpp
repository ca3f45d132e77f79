#include "NavigationEditorView.h"

#include "DataGuard.h"
#include "EditorHost.h"
#include "data/Recordset.h"

#include <QCheckBox>
#include <QLabel>

NavigationEditorView::NavigationEditorView(EditorHost &host, std::unique_ptr<Recordset> records,
                                           NavigationTexts texts, QWidget *parent)
    : QWidget(parent), m_host(host), m_records(std::move(records)), m_cursor(*m_records),
      m_navigation(m_cursor, *this, &host, std::move(texts))
{
    m_position = new QLabel(this);
    m_position->setObjectName(QStringLiteral("recordPosition"));
}

NavigationEditorView::~NavigationEditorView() = default;

void NavigationEditorView::start(const QString &baseFilter)
{
    runGuarded(m_navigation.texts().title, [&] { m_navigation.open(baseFilter); });
}

CommandState NavigationEditorView::recordCommandState(int command)
{
    // Asked continuously by the toolbar: a failure only disables the command.
    try {
        return m_navigation.commandState(command);
    } catch (const std::exception &) {
        return {};
    }
}

void NavigationEditorView::runRecordCommand(int command)
{
    runGuarded(m_navigation.texts().title, [&] { m_navigation.run(command); });
    navigationStateChanged();
}

bool NavigationEditorView::hasUnsavedChanges()
{
    if (m_navigation.isInserting() || m_navigation.filterState() == NavigationEditor::EnteringCriteria
        || m_navigation.recordCount() == 0)
        return false;
    return formDiffers();
}

bool NavigationEditorView::saveChanges()
{
    bool saved = false;
    runGuarded(m_navigation.texts().title, [&] { saved = m_navigation.commitPending(); });
    return saved;
}

void NavigationEditorView::refreshLanguage()
{
    if (m_navigation.isInserting() || m_navigation.filterState() == NavigationEditor::EnteringCriteria)
        return;
    runGuarded(m_navigation.texts().title, [this] {
        if (m_navigation.recordCount() > 0 && !m_records->isEOF() && !m_records->isBOF())
            displayRecord();
        else
            blankForm();
    });
}

void NavigationEditorView::addFilterBox(QCheckBox *box)
{
    m_boxes.append(box);
}

void NavigationEditorView::addNonCriteriaControl(QWidget *control)
{
    m_nonCriteria.append(control);
}

void NavigationEditorView::enterCriteriaMode()
{
    for (QCheckBox *box : m_boxes) {
        if (!box)
            continue;
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked);
    }
    for (QWidget *w : m_nonCriteria)
        if (w)
            w->setEnabled(false);
}

void NavigationEditorView::leaveCriteriaMode()
{
    for (QCheckBox *box : m_boxes) {
        if (!box)
            continue;
        if (box->checkState() == Qt::PartiallyChecked)
            box->setCheckState(Qt::Unchecked);
        box->setTristate(false);
    }
    for (QWidget *w : m_nonCriteria)
        if (w)
            w->setEnabled(true);
}

void NavigationEditorView::navigationStateChanged()
{
    m_position->setText(m_navigation.positionText());
    emit recordCommandsChanged();
}
