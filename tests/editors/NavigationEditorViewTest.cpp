#include "editors/common/NavigationEditorView.h"

#include "EditorTestProject.h"
#include "common/ScriptedUiPort.h"
#include "records/FilterCriteria.h"

#include "data/NextId.h"
#include "data/Recordset.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace RecordCommand;

namespace {

// A small navigation editor over the languages table: enough of a form to
// drive the pattern against a real record set.
class LanguageForm : public NavigationEditorView {
public:
    explicit LanguageForm(EditorHost &host)
        : NavigationEditorView(host, std::make_unique<Recordset>(host.database(), "Lingue"),
                               {"Inserimento lingua", "Cancellazione lingua", "Cancellazione lingue",
                                "L'archivio lingue ora è vuoto."})
    {
        active = new QCheckBox("Attivo", this);
        code = new QLineEdit(this);
        name = new QLineEdit(this);
        addFilterBox(active);
        addNonCriteriaControl(name);
        start(QString());
    }

    QCheckBox *active;
    QLineEdit *code;
    QLineEdit *name;

    bool formDiffers() override
    {
        return records().textValue("Descrizione") != name->text()
            || records().textValue("Codice") != code->text()
            || records().boolValue("Attivo") != active->isChecked();
    }
    bool saveRecord() override
    {
        records().edit();
        writeFields();
        records().update();
        return true;
    }
    void displayRecord() override
    {
        active->setChecked(records().boolValue("Attivo"));
        code->setText(records().textValue("Codice"));
        name->setText(records().textValue("Descrizione"));
    }
    void blankForm() override
    {
        active->setChecked(false);
        code->clear();
        name->clear();
    }
    qint32 reserveIdentifier() override { return nextId(records()); }
    bool insertRecord(qint32 id) override
    {
        if (code->text().isEmpty())
            return false;
        records().addNew();
        records().setValue("ID", id);
        writeFields();
        records().update();
        return true;
    }
    void discardInsert(qint32) override {}
    void deleteRecord() override { records().deleteCurrent(); }
    QStringList filterCriteria() override
    {
        return {FilterCriteria::boolCriterion("Attivo", active->checkState()),
                FilterCriteria::prefixCriterion("Codice", code->text())};
    }

private:
    void writeFields()
    {
        records().setValue("Attivo", active->isChecked());
        records().setValue("Codice", code->text());
        records().setValue("Descrizione", name->text());
        records().setValue("Modificato", true);
    }
};

} // namespace

TEST(NavigationEditorView, DrivesARealRecordSetThroughMovesFilterDeleteAndInsert)
{
    ScopedScriptedUi ui;
    EditorTestProject project;
    LanguageForm form(project);
    EXPECT_EQ(form.positionLabel()->text(), "1 / 2");
    EXPECT_EQ(form.code->text(), "it");
    EXPECT_FALSE(form.recordCommandState(Previous).enabled);

    form.runRecordCommand(Next);
    EXPECT_EQ(form.code->text(), "en");
    EXPECT_EQ(form.positionLabel()->text(), "2 / 2");
    EXPECT_FALSE(form.recordCommandState(Last).enabled);

    // A change is saved by the move that leaves it, and seen by the close rule.
    form.name->setText("English");
    EXPECT_TRUE(form.hasUnsavedChanges());
    form.runRecordCommand(First);
    EXPECT_EQ(project.db().scalar("SELECT Descrizione FROM Lingue WHERE ID=2").toString(), "English");

    // Filter entry: the box goes indeterminate, the name edit is disabled.
    form.runRecordCommand(Filter);
    EXPECT_EQ(form.active->checkState(), Qt::PartiallyChecked);
    EXPECT_FALSE(form.name->isEnabled());
    form.code->setText("e");
    form.runRecordCommand(First);
    EXPECT_EQ(form.navigation().filterState(), NavigationEditor::FilterApplied);
    EXPECT_TRUE(form.name->isEnabled());
    EXPECT_EQ(form.code->text(), "en");
    EXPECT_EQ(form.positionLabel()->text(), "1 / 1");

    // Deleting the only record of the filter cancels it.
    ui->queueAnswer(UiPort::Answer::Yes);
    form.runRecordCommand(Delete);
    EXPECT_EQ(ui->lastMessage().title, "Cancellazione lingue");
    EXPECT_EQ(form.navigation().filterState(), NavigationEditor::NoFilter);
    EXPECT_EQ(form.positionLabel()->text(), "1 / 1");
    EXPECT_EQ(form.code->text(), "it");

    // Insert reserves the next ID and the new record is shown after saving.
    form.runRecordCommand(Insert);
    EXPECT_TRUE(form.insertInProgress());
    EXPECT_EQ(form.navigation().reservedId(), 2); // largest ID + 1 after the delete
    form.code->setText("fr");
    form.name->setText("Francese");
    form.runRecordCommand(SaveNew);
    EXPECT_FALSE(form.insertInProgress());
    EXPECT_EQ(form.positionLabel()->text(), "2 / 2");
    EXPECT_EQ(form.code->text(), "fr");
    EXPECT_EQ(project.count("SELECT COUNT(*) FROM Lingue WHERE ID=2 AND Codice='fr'"), 1);
}
