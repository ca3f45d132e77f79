#pragma once

// Command identifiers of the application. The numbers are the ones every
// editor and dialog of the program refers to.
namespace Cmd {
enum : int {
    // File and framework commands
    FileNew = 57600,
    FileOpen = 57601,
    FilePrintSetup = 57606,
    FilePrint = 57607,
    AppAbout = 57664,
    AppExit = 57665,
    ViewToolbar = 59392,
    ViewStatusBar = 59393,

    // Record commands, handled by the active editor
    RecordFilter = 32774,
    RecordFirst = 32779,
    RecordPrev = 32780,
    RecordNext = 32781,
    RecordLast = 32782,
    RecordInsert = 32783,
    RecordDelete = 32784,
    RecordSaveNew = 32785,
    RecordUndo = 32787,

    // Commands of one editor, handled by it while it is open
    ProductVariants = 32800,
    ProductCorrelations = 32848,
    ArticleCorrelations = 32845,
    BannerCorrelations = 32850,
    OrderIssueInvoice = 32807,
    OrderCancelInvoice = 32811,

    // Editor and dialog commands of the application
    ParGenerali = 32788,
    ParAziendali = 32789,
    Lingue = 32790,
    Valute = 32791,
    SpeseSpedizione = 32792,
    Dizionario = 32802,
    ModelloGrafico = 32793,
    Anteprima = 32897,
    CreazioneCdRom = 32839,
    Categorie = 32796,
    ProdottiScheda = 32846,
    ProdottiTabella = 32828,
    ArticoliScheda = 32843,
    ArticoliTabella = 32844,
    Sezioni = 32830,
    Moduli = 32851,
    ArgomentiForum = 32838,
    ArgomentiChat = 32835,
    InterventiForum = 32834,
    BannerScheda = 32849,
    Utenti = 32820,
    Gruppi = 32821,
    Permessi = 32829,
    Sconti = 32826,
    Interessi = 32823,
    MailingList = 32824,
    CampiCustom = 32825,
    ArchivioOrdini = 32803,
    CondizioniVendita = 32804,
    NotificaCliente = 32805,
    OtpBancaSella = 32806,
    AggiornamentoDati = 32798,
    AggiornamentoModello = 32799,
    AggiornamentoOrdini = 32812,
    AggiornamentoListini = 32827,
    CreditoSms = 32852,
    ImportaAscii = 32819,

    // Help menu
    HelpIndex = 32815,
    HelpWeb = 32816,
    HelpSupport = 32818,
    HelpMaker = 32817,
};
} // namespace Cmd
