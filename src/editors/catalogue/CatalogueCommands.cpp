#include "app/import/CatalogueDialogs.h"

#include "app/CMainFrame.h"
#include "app/CVendraApp.h"
#include "editors/catalogue/import/CImportaProdottiDlg.h"
#include "editors/catalogue/pricelist/CAggiornamentoListiniDlg.h"

void OnImportaDatiEsterni(CVendraApp &app)
{
    if (!app.isProjectOpen())
        return;
    CImportaProdottiDlg dlg(app.database(), app.projectFolder(), app.currentLanguageCode(), app.mainFrame());
    dlg.exec();
}

void OnAggiornamentoListini(CVendraApp &app)
{
    if (!app.isProjectOpen())
        return;
    CAggiornamentoListiniDlg dlg(app.database(), app, app.projectFolder(), app.mainFrame());
    dlg.exec();
}
