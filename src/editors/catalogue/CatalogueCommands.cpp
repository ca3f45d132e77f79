#include "editors/catalogue/CatalogueCommands.h"

#include "editors/catalogue/import/CImportaProdottiDlg.h"
#include "editors/catalogue/pricelist/CAggiornamentoListiniDlg.h"
#include "editors/common/EditorHost.h"

void OnImportaDatiEsterni(EditorHost &host, QWidget *parent)
{
    CImportaProdottiDlg dlg(host.database(), host.projectFolder(), host.currentLanguageCode(), parent);
    dlg.exec();
}

void OnAggiornamentoListini(EditorHost &host, QWidget *parent)
{
    CAggiornamentoListiniDlg dlg(host.database(), host, host.projectFolder(), parent);
    dlg.exec();
}
