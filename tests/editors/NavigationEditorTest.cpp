#include "editors/common/EditorHost.h"
#include "editors/common/NavigationEditor.h"

#include "common/ScriptedUiPort.h"
#include "records/FilterCriteria.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace RecordCommand;

namespace {

// Rows are record IDs; each filter text selects a fixed list of them.
class FakeCursor : public RecordCursor {
public:
    std::map<QString, std::vector<int>> byFilter;
    std::vector<int> rows;
    int pos = -1; // -1 BOF, rows.size() EOF
    QString currentFilter;

    bool isBOF() const override { return rows.empty() || pos < 0; }
    bool isEOF() const override { return rows.empty() || pos >= int(rows.size()); }
    void moveFirst() override { pos = rows.empty() ? 0 : 0; }
    void moveNext() override { if (pos < int(rows.size())) ++pos; }
    void movePrevious() override { if (pos >= 0) --pos; }
    void moveLast() override { pos = int(rows.size()) - 1; if (rows.empty()) pos = 0; }
    int absolutePosition() const override { return isBOF() || isEOF() ? -1 : pos; }
    QString filter() const override { return currentFilter; }
    void setFilter(const QString &f) override { currentFilter = f; }
    void requery() override
    {
        rows = byFilter[currentFilter];
        pos = 0;
    }
    bool seekId(qint32 id) override
    {
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i] == id) { pos = int(i); return true; }
        return false;
    }
    int current() const { return isBOF() || isEOF() ? 0 : rows[size_t(pos)]; }
    // A delete leaves no current row; the next move goes on from the gap.
    void deleteCurrent()
    {
        const int id = current();
        rows.erase(rows.begin() + pos);
        --pos;
        for (auto &[f, list] : byFilter)
            std::erase(list, id);
    }
};

class FakeForm : public NavigationForm {
public:
    explicit FakeForm(FakeCursor &c) : cursor(c) {}
    FakeCursor &cursor;
    bool differs = false;
    bool saveOk = true;
    bool insertOk = true;
    int saves = 0;
    int shown = 0;      // record shown, 0 = blank form
    bool criteriaMode = false;
    QStringList criteria;
    std::vector<qint32> discarded;
    qint32 nextId = 100;

    bool formDiffers() override { return differs; }
    bool saveRecord() override { ++saves; if (saveOk) differs = false; return saveOk; }
    void displayRecord() override { shown = cursor.current(); }
    void blankForm() override { shown = 0; }
    qint32 reserveIdentifier() override { return nextId++; }
    bool insertRecord(qint32 id) override
    {
        if (!insertOk)
            return false;
        cursor.rows.push_back(id);
        cursor.byFilter[""].push_back(id);
        return true;
    }
    void discardInsert(qint32 id) override { discarded.push_back(id); }
    void deleteRecord() override { cursor.deleteCurrent(); }
    void enterCriteriaMode() override { criteriaMode = true; }
    void leaveCriteriaMode() override { criteriaMode = false; }
    QStringList filterCriteria() override { return criteria; }
};

class FakeLanguages : public LanguageContext {
public:
    QString current = QStringLiteral("it");
    QString currentLanguageCode() const override { return current; }
    QString defaultLanguageCode() const override { return QStringLiteral("it"); }
    void selectDefaultLanguage() override { current = QStringLiteral("it"); }
};

struct NavigationFixture : ::testing::Test {
    ScopedScriptedUi ui;
    FakeCursor cursor;
    FakeForm form{cursor};
    FakeLanguages languages;
    NavigationEditor nav{cursor, form, &languages};

    void SetUp() override
    {
        cursor.byFilter[""] = {1, 2, 3};
        cursor.byFilter["[Attivo]=TRUE"] = {2};
        cursor.byFilter["[Attivo]=FALSE"] = {};
        nav.open(QString());
    }
    bool on(int cmd) { return nav.commandState(cmd).enabled; }
};

} // namespace

TEST_F(NavigationFixture, EnablingTableFollowsPositionInsertAndFilterState)
{
    EXPECT_EQ(nav.recordCount(), 3);
    EXPECT_EQ(form.shown, 1);
    EXPECT_EQ(nav.positionText(), "1 / 3");
    EXPECT_FALSE(on(First));
    EXPECT_FALSE(on(Previous));
    EXPECT_TRUE(on(Next));
    EXPECT_TRUE(on(Last));
    EXPECT_TRUE(on(Insert));
    EXPECT_TRUE(on(Delete));
    EXPECT_FALSE(on(SaveNew));
    EXPECT_TRUE(on(CancelChanges));
    EXPECT_EQ(nav.commandState(Filter), (CommandState{true, false}));
    // Testing the position must not move the record.
    EXPECT_EQ(cursor.current(), 1);

    nav.run(Last);
    EXPECT_EQ(form.shown, 3);
    EXPECT_EQ(nav.positionText(), "3 / 3");
    EXPECT_TRUE(on(First));
    EXPECT_TRUE(on(Previous));
    EXPECT_FALSE(on(Next));
    EXPECT_FALSE(on(Last));
    EXPECT_EQ(cursor.current(), 3);

    nav.run(Insert);
    ASSERT_TRUE(nav.isInserting());
    for (int cmd : {First, Previous, Next, Last, Delete, CancelChanges, Filter})
        EXPECT_FALSE(on(cmd)) << cmd;
    EXPECT_EQ(nav.commandState(Insert), (CommandState{true, true}));
    EXPECT_TRUE(on(SaveNew));

    nav.run(SaveNew);
    EXPECT_FALSE(nav.isInserting());
    EXPECT_EQ(nav.recordCount(), 4);
    EXPECT_EQ(form.shown, 100);

    nav.run(Filter);
    ASSERT_EQ(nav.filterState(), NavigationEditor::EnteringCriteria);
    EXPECT_TRUE(form.criteriaMode);
    EXPECT_EQ(form.shown, 0);
    EXPECT_TRUE(on(First));
    for (int cmd : {Previous, Next, Last, Insert, Delete, CancelChanges})
        EXPECT_FALSE(on(cmd)) << cmd;
    EXPECT_EQ(nav.commandState(Filter), (CommandState{true, true}));
}

TEST_F(NavigationFixture, MovesSaveChangedRecordAndStopWhenTheSaveFails)
{
    form.differs = true;
    form.saveOk = false;
    nav.run(Next);
    EXPECT_EQ(form.saves, 1);
    EXPECT_EQ(cursor.current(), 1);
    EXPECT_EQ(form.shown, 1);

    form.saveOk = true;
    nav.run(Next);
    EXPECT_EQ(form.saves, 2);
    EXPECT_EQ(form.shown, 2);
    nav.run(Next);
    EXPECT_EQ(form.saves, 2); // nothing changed any more
    EXPECT_EQ(form.shown, 3);
    nav.next(); // at the end: stays on the last record
    EXPECT_EQ(form.shown, 3);
    nav.previous();
    nav.previous();
    nav.previous();
    EXPECT_EQ(form.shown, 1);
}

TEST_F(NavigationFixture, InsertOutsideDefaultLanguageSwitchesAndCancelDiscardsLinks)
{
    languages.current = "en";
    nav.run(Insert);
    ASSERT_EQ(ui->messages().size(), 1u);
    EXPECT_EQ(ui->lastMessage().text, "ATTENZIONE: L'inserimento avviene sempre nella lingua predefinita.");
    EXPECT_EQ(ui->lastMessage().title, "Inserimento prodotto");
    EXPECT_EQ(ui->lastMessage().icon, UiPort::Icon::Information);
    EXPECT_EQ(languages.current, "it");
    EXPECT_EQ(nav.reservedId(), 100);

    ui->queueAnswer(UiPort::Answer::No);
    nav.run(Insert);
    EXPECT_TRUE(nav.isInserting());
    EXPECT_EQ(ui->lastMessage().text, "ATTENZIONE: L'inserimento in corso verrà annullato.\nConfermi ?");

    ui->queueAnswer(UiPort::Answer::Yes);
    nav.run(Insert);
    EXPECT_FALSE(nav.isInserting());
    EXPECT_EQ(form.discarded, std::vector<qint32>{100});
    EXPECT_EQ(form.shown, 1);

    // A refused validation keeps the insert going.
    nav.run(Insert);
    form.insertOk = false;
    nav.run(SaveNew);
    EXPECT_TRUE(nav.isInserting());
    EXPECT_EQ(nav.recordCount(), 3);
}

TEST_F(NavigationFixture, FilterThatSelectsNothingIsCancelled)
{
    nav.run(Filter);
    form.criteria = {FilterCriteria::boolCriterion("Attivo", Qt::Unchecked)};
    nav.run(First);
    EXPECT_EQ(ui->lastMessage().text,
              "Il filtro impostato non seleziona alcun record e viene pertanto annullato.");
    EXPECT_EQ(ui->lastMessage().title, "Impostazione filtro");
    EXPECT_EQ(ui->lastMessage().icon, UiPort::Icon::Stop);
    EXPECT_EQ(nav.filterState(), NavigationEditor::NoFilter);
    EXPECT_EQ(cursor.filter(), "");
    EXPECT_EQ(nav.recordCount(), 3);
    EXPECT_FALSE(form.criteriaMode);
    EXPECT_EQ(form.shown, 1);
}

TEST_F(NavigationFixture, DeletingTheLastRecordOfAFilterCancelsTheFilter)
{
    nav.run(Filter);
    form.criteria = {FilterCriteria::boolCriterion("Attivo", Qt::Checked),
                     FilterCriteria::boolCriterion("Novita", Qt::PartiallyChecked)};
    nav.run(First);
    ASSERT_EQ(nav.filterState(), NavigationEditor::FilterApplied);
    EXPECT_EQ(nav.recordCount(), 1);
    EXPECT_EQ(form.shown, 2);
    EXPECT_FALSE(on(Insert));
    EXPECT_TRUE(nav.commandState(Filter).checked);

    ui->queueAnswer(UiPort::Answer::Yes);
    nav.run(Delete);
    const QStringList texts = ui->messageTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[0], "Confermi ?");
    EXPECT_EQ(ui->messages()[0].title, "Cancellazione prodotto");
    EXPECT_EQ(texts[1], "Sono stati cancellati tutti i record selezionati dal filtro impostato "
                        "che viene pertanto annullato.");
    EXPECT_EQ(ui->messages()[1].title, "Cancellazione prodotti");
    EXPECT_EQ(nav.filterState(), NavigationEditor::NoFilter);
    EXPECT_EQ(nav.recordCount(), 2);
    EXPECT_EQ(form.shown, 1);
}

TEST_F(NavigationFixture, DeletingEveryRecordBlanksTheForm)
{
    nav.run(Last);
    ui->queueAnswer(UiPort::Answer::Yes);
    nav.run(Delete);
    EXPECT_EQ(form.shown, 2); // past the end: the new last record
    ui->queueAnswer(UiPort::Answer::No);
    nav.run(Delete);
    EXPECT_EQ(nav.recordCount(), 2);
    ui->queueAnswer(UiPort::Answer::Yes);
    nav.run(Delete);
    ui->queueAnswer(UiPort::Answer::Yes);
    nav.run(Delete);
    EXPECT_EQ(nav.recordCount(), 0);
    EXPECT_EQ(ui->lastMessage().text, "L'archivio prodotti ora è vuoto.");
    EXPECT_EQ(form.shown, 0);
    EXPECT_FALSE(on(Delete));
    EXPECT_EQ(nav.positionText(), "0 / 0");
}

TEST(NavigationFilterText, CriteriaAreQuotedAndJoinedOntoTheBaseFilter)
{
    EXPECT_EQ(FilterCriteria::prefixCriterion("Codice", "D'A"), "[Codice] Like 'D''A*'");
    EXPECT_EQ(FilterCriteria::prefixCriterion("Codice", ""), "");
    // Wildcards typed by the user match themselves.
    EXPECT_EQ(FilterCriteria::prefixCriterion("Codice", "A*#"), "[Codice] Like 'A[*][#]*'");
    EXPECT_EQ(FilterCriteria::joinFilter("IDProdottoBase=0", {"[Attivo]=TRUE", "", "[Codice] Like 'A*'"}),
              "IDProdottoBase=0 AND [Attivo]=TRUE AND [Codice] Like 'A*'");
    EXPECT_EQ(FilterCriteria::joinFilter("A=1 OR B=2", {"C=3"}), "(A=1 OR B=2) AND C=3");
    EXPECT_EQ(FilterCriteria::joinFilter("", {"C=3"}), "C=3");
}

TEST_F(NavigationFixture, ADisabledCommandFromALaggingToolbarIsIgnored)
{
    ASSERT_FALSE(on(Previous));
    form.differs = true;
    nav.run(Previous);
    EXPECT_EQ(form.saves, 0);
    EXPECT_EQ(form.shown, 1);
    EXPECT_EQ(cursor.current(), 1);
    // Enabled, the same command saves the changed record and moves.
    nav.run(Next);
    EXPECT_EQ(form.saves, 1);
    EXPECT_EQ(form.shown, 2);
}
