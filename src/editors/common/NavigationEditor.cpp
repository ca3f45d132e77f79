#include "NavigationEditor.h"

#include "EditorHost.h"
#include "records/FilterCriteria.h"
#include "support/UiPort.h"

NavigationEditor::NavigationEditor(RecordCursor &cursor, NavigationForm &form,
                                   LanguageContext *languages, NavigationTexts texts)
    : m_cursor(cursor), m_form(form), m_languages(languages), m_texts(std::move(texts))
{
}

void NavigationEditor::open(const QString &baseFilter)
{
    m_baseFilter = baseFilter;
    m_inserting = false;
    m_filterState = NoFilter;
    m_cursor.setFilter(m_baseFilter);
    m_cursor.requery();
    recount();
    showCurrent();
    changed();
}

QString NavigationEditor::positionText() const
{
    const int pos = m_count > 0 ? m_cursor.absolutePosition() + 1 : 0;
    return QStringLiteral("%1 / %2").arg(pos).arg(m_count);
}

bool NavigationEditor::isOnFirst()
{
    if (m_count == 0 || m_cursor.isBOF())
        return true;
    if (m_cursor.isEOF())
        return false;
    m_cursor.movePrevious();
    if (m_cursor.isBOF()) {
        m_cursor.moveFirst();
        return true;
    }
    m_cursor.moveNext();
    return false;
}

bool NavigationEditor::isOnLast()
{
    if (m_count == 0 || m_cursor.isEOF())
        return true;
    if (m_cursor.isBOF())
        return false;
    m_cursor.moveNext();
    if (m_cursor.isEOF()) {
        m_cursor.moveLast();
        return true;
    }
    m_cursor.movePrevious();
    return false;
}

bool NavigationEditor::handles(int command) const
{
    using namespace RecordCommand;
    switch (command) {
    case Filter: case First: case Previous: case Next: case Last:
    case Insert: case Delete: case SaveNew: case CancelChanges:
        return true;
    default:
        return false;
    }
}

CommandState NavigationEditor::commandState(int command)
{
    using namespace RecordCommand;
    const bool entering = m_filterState == EnteringCriteria;
    switch (command) {
    case First:
        return {(!m_inserting && !isOnFirst()) || entering, false};
    case Previous:
        return {!m_inserting && !entering && !isOnFirst(), false};
    case Next:
    case Last:
        return {!m_inserting && !entering && !isOnLast(), false};
    case Insert:
        return {m_filterState == NoFilter, m_inserting};
    case Delete:
        return {!m_inserting && m_count > 0 && !entering, false};
    case SaveNew:
        return {m_inserting, false};
    case CancelChanges:
        return {!m_inserting && !entering, false};
    case Filter:
        return {!m_inserting, m_filterState != NoFilter};
    default:
        return {};
    }
}

void NavigationEditor::run(int command)
{
    // Commands arrive from the toolbar, which may lag behind the state:
    // a disabled command is ignored.
    if (!commandState(command).enabled)
        return;
    using namespace RecordCommand;
    switch (command) {
    case First: first(); break;
    case Previous: previous(); break;
    case Next: next(); break;
    case Last: last(); break;
    case Insert: insert(); break;
    case SaveNew: saveNew(); break;
    case CancelChanges: cancelChanges(); break;
    case Delete: deleteCurrent(); break;
    case Filter: filter(); break;
    default: break;
    }
}

bool NavigationEditor::commitPending()
{
    if (m_inserting || m_filterState == EnteringCriteria || m_count == 0)
        return true;
    if (m_cursor.isBOF() || m_cursor.isEOF())
        return true;
    if (!m_form.formDiffers())
        return true;
    return m_form.saveRecord();
}

void NavigationEditor::first()
{
    if (m_filterState == EnteringCriteria) {
        applyFilter();
        changed();
        return;
    }
    if (m_inserting || !commitPending())
        return;
    m_cursor.moveFirst();
    showCurrent();
    changed();
}

void NavigationEditor::previous()
{
    if (m_inserting || m_filterState == EnteringCriteria || !commitPending())
        return;
    m_cursor.movePrevious();
    if (m_cursor.isBOF())
        m_cursor.moveFirst();
    showCurrent();
    changed();
}

void NavigationEditor::next()
{
    if (m_inserting || m_filterState == EnteringCriteria || !commitPending())
        return;
    m_cursor.moveNext();
    if (m_cursor.isEOF())
        m_cursor.moveLast();
    showCurrent();
    changed();
}

void NavigationEditor::last()
{
    if (m_inserting || m_filterState == EnteringCriteria || !commitPending())
        return;
    m_cursor.moveLast();
    showCurrent();
    changed();
}

void NavigationEditor::insert()
{
    if (m_inserting) {
        if (!ui().ask(m_texts.insertTitle,
                      QStringLiteral("ATTENZIONE: L'inserimento in corso verrà annullato.\nConfermi ?")))
            return;
        m_inserting = false;
        m_form.discardInsert(m_reservedId);
        m_reservedId = 0;
        showCurrent();
        changed();
        return;
    }
    if (m_filterState != NoFilter || !commitPending())
        return;
    if (m_languages && !m_languages->isDefaultLanguage()) {
        ui().tell(m_texts.insertTitle,
                  QStringLiteral("ATTENZIONE: L'inserimento avviene sempre nella lingua predefinita."),
                  UiPort::Icon::Information);
        m_languages->selectDefaultLanguage();
    }
    m_reservedId = m_form.reserveIdentifier();
    m_form.blankForm();
    m_inserting = true;
    changed();
}

void NavigationEditor::saveNew()
{
    if (!m_inserting)
        return;
    if (!m_form.insertRecord(m_reservedId))
        return;
    m_inserting = false;
    const qint32 id = m_reservedId;
    m_reservedId = 0;
    recount();
    if (!m_cursor.seekId(id) && m_count > 0)
        m_cursor.moveLast();
    showCurrent();
    changed();
}

void NavigationEditor::cancelChanges()
{
    if (m_inserting || m_filterState == EnteringCriteria)
        return;
    showCurrent();
    changed();
}

void NavigationEditor::deleteCurrent()
{
    if (m_inserting || m_filterState == EnteringCriteria || m_count <= 0)
        return;
    if (m_cursor.isBOF() || m_cursor.isEOF())
        return;
    if (!ui().ask(m_texts.deleteTitle, QStringLiteral("Confermi ?")))
        return;
    m_form.deleteRecord();
    --m_count;
    m_cursor.moveNext();
    if (m_cursor.isEOF())
        m_cursor.moveLast();
    if (m_count == 0 && m_filterState == FilterApplied) {
        ui().tell(m_texts.deleteAllTitle,
                  QStringLiteral("Sono stati cancellati tutti i record selezionati dal filtro "
                                 "impostato che viene pertanto annullato."),
                  UiPort::Icon::Information);
        restoreBaseFilter();
        m_filterState = NoFilter;
    }
    if (m_count == 0) {
        ui().tell(m_texts.deleteTitle, m_texts.emptyArchive, UiPort::Icon::Information);
        m_form.blankForm();
    } else {
        m_form.displayRecord();
    }
    changed();
}

void NavigationEditor::filter()
{
    if (m_inserting)
        return;
    switch (m_filterState) {
    case NoFilter:
        if (!commitPending())
            return;
        m_form.blankForm();
        m_form.enterCriteriaMode();
        m_filterState = EnteringCriteria;
        break;
    case EnteringCriteria:
        m_form.leaveCriteriaMode();
        m_filterState = NoFilter;
        recount();
        showCurrent();
        break;
    case FilterApplied:
        if (!commitPending())
            return;
        restoreBaseFilter();
        m_filterState = NoFilter;
        showCurrent();
        break;
    }
    changed();
}

void NavigationEditor::applyFilter()
{
    m_cursor.setFilter(FilterCriteria::joinFilter(m_baseFilter, m_form.filterCriteria()));
    m_cursor.requery();
    m_filterState = FilterApplied;
    recount();
    if (m_count == 0) {
        ui().tell(QStringLiteral("Impostazione filtro"),
                  QStringLiteral("Il filtro impostato non seleziona alcun record e viene "
                                 "pertanto annullato."),
                  UiPort::Icon::Stop);
        restoreBaseFilter();
        m_filterState = NoFilter;
    }
    m_form.leaveCriteriaMode();
    if (m_count > 0)
        m_cursor.moveFirst();
    showCurrent();
}

void NavigationEditor::restoreBaseFilter()
{
    m_cursor.setFilter(m_baseFilter);
    m_cursor.requery();
    recount();
}

void NavigationEditor::recount()
{
    // Move last, count, move first: the count of a dynaset is exact only
    // once its last row has been reached.
    int count = 0;
    m_cursor.moveLast();
    if (!m_cursor.isEOF() && !m_cursor.isBOF())
        count = m_cursor.absolutePosition() + 1;
    m_cursor.moveFirst();
    m_count = count;
}

void NavigationEditor::showCurrent()
{
    if (m_count == 0 || m_cursor.isBOF() || m_cursor.isEOF())
        m_form.blankForm();
    else
        m_form.displayRecord();
}

void NavigationEditor::changed()
{
    m_form.navigationStateChanged();
}
