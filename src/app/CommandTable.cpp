#include "CommandTable.h"

#include "editors/orders/COrderTextView.h"
#include "editors/config/CDizionarioView.h"
#include "CommandIds.h"
#include "editors/catalogue/CCategorieView.h"
#include "editors/catalogue/CProdottiView.h"
#include "editors/catalogue/CTabellaProdottiView.h"
#include "editors/config/CLingueView.h"
#include "editors/config/CValuteView.h"
#include "app/preview/CPreviewFrame.h"
#include "editors/catalogue/CatalogueCommands.h"

namespace {

QWidget *makeOrderText(EditorHost &host, const FrameParams &params, QWidget *parent)
{
    return new COrderTextView(host, params.textKind, parent);
}

QWidget *makeDizionario(EditorHost &host, const FrameParams &, QWidget *parent)
{
    return new CDizionarioView(host, parent);
}

QWidget *makeLingue(EditorHost &host, const FrameParams &, QWidget *parent)
{
    return CLingueView::create(host, parent);
}

QWidget *makeValute(EditorHost &host, const FrameParams &, QWidget *parent)
{
    return CValuteView::create(host, parent);
}

QWidget *makeCategorie(EditorHost &host, const FrameParams &, QWidget *parent)
{
    return CCategorieView::create(host, parent);
}

QWidget *makeProdotti(EditorHost &host, const FrameParams &, QWidget *parent)
{
    return CProdottiView::create(host, parent);
}

QWidget *makeTabellaProdotti(EditorHost &host, const FrameParams &, QWidget *parent)
{
    return CTabellaProdottiView::create(host, parent);
}

FrameParams textKind(int kind)
{
    FrameParams p;
    p.textKind = kind;
    return p;
}

FrameParams topicKind(int kind)
{
    FrameParams p;
    p.topicKind = kind;
    return p;
}

const char *const kConfig = "&Configurazione";
const char *const kCatalogo = "C&atalogo";
const char *const kProdotti = "C&atalogo|&Prodotti";
const char *const kContenuti = "C&ontenuti";
const char *const kArticoli = "C&ontenuti|A&rticoli";
const char *const kForum = "C&ontenuti|&Forum";
const char *const kBanner = "C&ontenuti|&Banner";
const char *const kRiservata = "A&rea Riservata";
const char *const kOrdini = "&Ordini";
const char *const kSito = "A&ggiornamento sito";

std::vector<AppCommand> buildTable()
{
    using S = QStyle;
    // Editors that are not part of the program yet have neither a factory
    // nor a dialog and are left out of the menus until they are.
    std::vector<AppCommand> t = {
        {Cmd::ParGenerali, kConfig, "Parametri &Generali", "Parametri generali",
         "Modifica i parametri generali del sito", S::SP_FileDialogDetailedView},
        {Cmd::ParAziendali, kConfig, "Parametri &Aziendali", "Parametri aziendali",
         "Modifica i dati aziendali", S::SP_DirHomeIcon},
        {Cmd::Lingue, kConfig, "&Lingue", "Lingue", "Gestione delle lingue del sito",
         S::SP_FileDialogListView, makeLingue},
        {Cmd::Valute, kConfig, "&Valute", "Valute", "Gestione delle valute",
         S::SP_FileDialogInfoView, makeValute},
        {Cmd::SpeseSpedizione, kConfig, "&Spese di spedizione", "Spese di spedizione",
         "Gestione delle spese di spedizione", S::SP_DriveNetIcon},
        {Cmd::Dizionario, kConfig, "&Dizionario", "Dizionario",
         "Gestione del dizionario dei testi del sito", S::SP_FileDialogContentsView,
         makeDizionario},
        {Cmd::ModelloGrafico, kConfig, "&Progettazione modello grafico",
         "Progettazione modello grafico", "Progettazione del modello grafico del sito",
         S::SP_DesktopIcon, nullptr, nullptr, {}, FrameKind::Maximised, false, true},
        {Cmd::Anteprima, kConfig, "&Anteprima", "Anteprima", "Anteprima del sito",
         S::SP_ComputerIcon, CPreviewFrame::create, nullptr, {}, FrameKind::Maximised},
        {Cmd::CreazioneCdRom, kConfig, "&Creazione CD ROM", "Creazione immagine CD Rom",
         "Creazione dell'immagine del catalogo su CD Rom", S::SP_DriveCDIcon, nullptr,
         nullptr, {}, FrameKind::Child, true},
        {Cmd::CampiCustom, kConfig, "&Definizione campi custom", "Definizione campi custom",
         "Definizione dei campi custom dei prodotti", S::SP_FileDialogNewFolder, nullptr,
         nullptr, {}, FrameKind::Child, false, true},

        {Cmd::Categorie, kCatalogo, "Ca&tegorie", "Categorie prodotti",
         "Gestione delle categorie dei prodotti", S::SP_DirOpenIcon, makeCategorie},
        {Cmd::ProdottiScheda, kProdotti, "&Scheda", "Archivio Prodotti",
         "Archivio prodotti", S::SP_FileIcon, makeProdotti},
        {Cmd::ProdottiTabella, kProdotti, "&Tabella", "Tabella prodotti",
         "Tabella dei prodotti", S::SP_FileDialogDetailedView, makeTabellaProdotti},
        {Cmd::AggiornamentoListini, kCatalogo, "&Aggiornamento listini", nullptr,
         "Aggiornamento percentuale dei listini", S::SP_BrowserReload, nullptr, OnAggiornamentoListini},

        {Cmd::Sezioni, kContenuti, "&Sezioni", "Sezioni", "Gestione delle sezioni",
         S::SP_DirIcon},
        {Cmd::ArticoliScheda, kArticoli, "&Scheda", "Articoli", "Archivio articoli",
         S::SP_FileIcon},
        {Cmd::ArticoliTabella, kArticoli, "&Tabella", "Tabella articoli",
         "Tabella degli articoli", S::SP_FileDialogDetailedView},
        {Cmd::Moduli, kContenuti, "&Moduli", "Moduli", "Gestione dei moduli web",
         S::SP_FileDialogListView},
        {Cmd::ArgomentiForum, kForum, "&Argomenti", "Argomenti forum",
         "Argomenti del forum", S::SP_MessageBoxInformation, nullptr, nullptr,
         topicKind(0)},
        {Cmd::InterventiForum, kForum, "&Interventi", "Interventi Forum",
         "Moderazione degli interventi del forum", S::SP_MessageBoxQuestion},
        {Cmd::ArgomentiChat, kContenuti, "Argomenti &Chat", "Argomenti chat",
         "Argomenti della chat", S::SP_MessageBoxInformation, nullptr, nullptr,
         topicKind(1)},
        {Cmd::BannerScheda, kBanner, "&Scheda", "Banner", "Gestione dei banner",
         S::SP_TitleBarNormalButton},

        {Cmd::Utenti, kRiservata, "&Utenti", "Archivio utenti",
         "Archivio degli utenti registrati", S::SP_DirHomeIcon},
        {Cmd::Gruppi, kRiservata, "&Gruppi", "Archivio gruppi", "Archivio dei gruppi",
         S::SP_DirLinkIcon},
        {Cmd::Permessi, kRiservata, "&Permessi", "Permessi visualizzazione",
         "Permessi di visualizzazione", S::SP_DialogApplyButton},
        {Cmd::Sconti, kRiservata, "&Sconti", "Sconti", "Sconti e provvigioni",
         S::SP_ArrowDown},
        {Cmd::Interessi, kRiservata, "&Interessi", "Interessi Utenti",
         "Interessi degli utenti", S::SP_DialogYesButton},
        {Cmd::MailingList, kRiservata, "&Mailing list", "Invio mailing list",
         "Invio della mailing list", S::SP_ArrowForward},

        {Cmd::ArchivioOrdini, kOrdini, "&Archivio Ordini", "Archivio ordini",
         "Archivio degli ordini", S::SP_FileDialogDetailedView},
        {Cmd::CondizioniVendita, kOrdini, "&Condizioni di vendita",
         "Testo condizioni di vendita", "Testo delle condizioni di vendita",
         S::SP_FileDialogContentsView, makeOrderText, nullptr, textKind(0)},
        {Cmd::NotificaCliente, kOrdini, "&Notifica cliente", "Testo notifica cliente",
         "Testo della notifica al cliente", S::SP_FileDialogContentsView, makeOrderText,
         nullptr, textKind(1)},
        {Cmd::OtpBancaSella, kOrdini, "&OTP Banca Sella", "OTP Banca Sella",
         "Importazione delle password OTP", S::SP_DialogOpenButton},
        {Cmd::AggiornamentoOrdini, kOrdini, "A&ggiornamento ordini", nullptr,
         "Scarica i nuovi ordini dal sito", S::SP_ArrowDown, nullptr, nullptr, {},
         FrameKind::Child, false, true},

        {Cmd::AggiornamentoDati, kSito, "&Dati e immagini", nullptr,
         "Aggiorna i dati e le immagini del sito", S::SP_ArrowUp},
        {Cmd::AggiornamentoModello, kSito, "&Modello grafico", nullptr,
         "Aggiorna il modello grafico del sito", S::SP_ArrowUp},
        {Cmd::CreditoSms, kSito, "Credito SMS", nullptr, "Credito SMS disponibile",
         S::SP_MessageBoxInformation, nullptr, nullptr, {}, FrameKind::Child, false,
         true},
        // Product import from text files: reachable from the catalogue menu.
        {Cmd::ImportaAscii, kCatalogo, "&Importa dati esterni...", nullptr,
         "Importa dati esterni da file ASCII.", S::SP_DialogOpenButton, nullptr, OnImportaDatiEsterni},
    };
    return t;
}

} // namespace

const std::vector<AppCommand> &appCommands()
{
    static const std::vector<AppCommand> table = buildTable();
    return table;
}

const AppCommand *findAppCommand(int id)
{
    for (const AppCommand &c : appCommands())
        if (c.id == id)
            return &c;
    return nullptr;
}
