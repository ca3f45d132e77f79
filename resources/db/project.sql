-- Structure of the project database (db/database.mdb in every project and
-- the blank copy in the program folder).
--
-- Type conventions, read by the data layer from the declared types:
--   INTEGER   whole numbers (keys, counters, small codes)
--   BOOLEAN   0/1, always DEFAULT 0
--   REAL      money, quantities, rates, percentages stored as numbers
--   DATETIME  text "YYYY-MM-DD HH:MM:SS"; Null when not set
--   TEXT      every text column, COLLATE NOCASE so that comparisons ignore
--             case as the site's queries expect; "max n" notes the length
--             the editors allow
-- Keys: "ID INTEGER PRIMARY KEY" (new keys are numbered by the program,
-- largest ID + 1). A multilingual record is a general row plus one language
-- row per language (own ID, the general row's ID, CodiceLingua).
--
-- Tables are created parents first: dependants come after the tables they
-- refer to. Triggers at the end of the file remove the rows that belong to
-- a deleted record (language rows, links, permissions...), because editors
-- delete the general row only and new keys reuse the largest freed ID.
--
-- MSysTables (last in this file) records the date of each table's last
-- structure change; opening a project compares the latest date with the
-- blank database's. When a table's structure changes, update its row with
-- the date of the change.

-- ---------------------------------------------------------------------------
-- Reference and configuration tables
-- ---------------------------------------------------------------------------

-- Currencies of the site. Edited by the currency grid; read by the language
-- grid, the general parameters (price-list currency) and the invoice.
-- ID 1 is the Euro and cannot be deleted.
CREATE TABLE Valute (
    ID INTEGER PRIMARY KEY,
    Nome TEXT COLLATE NOCASE,                 -- max 50
    Cambio REAL DEFAULT 1,                    -- exchange rate against the euro
    Simbolo TEXT COLLATE NOCASE,              -- max 10
    Arrotondamento REAL DEFAULT 0.01,         -- rounding unit, 1000 .. 0.00001
    Modificato BOOLEAN DEFAULT 0
);

-- Languages of the site. Edited by the language grid; the active ones fill
-- the main window's language selector and every multilingual editor.
-- Codice is the code stored as CodiceLingua in the language rows.
CREATE TABLE Lingue (
    ID INTEGER PRIMARY KEY,
    Attivo BOOLEAN DEFAULT 0,
    Codice TEXT COLLATE NOCASE,               -- max 5
    Descrizione TEXT COLLATE NOCASE,          -- max 50, shown in selectors
    IDValuta INTEGER DEFAULT 1,               -- Valute.ID
    Euro BOOLEAN DEFAULT 0,                   -- prices also shown in euro
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX Lingue_Codice ON Lingue (Codice);

-- The one configuration row: site account, proxy, default language,
-- payment methods, image widths, invoice series, company data. Edited by
-- the general and company parameters; read by nearly every editor, the
-- publishing, the printing and the upgrade (VersioneDB).
CREATE TABLE Configurazione (
    ID INTEGER PRIMARY KEY,
    VersioneDB INTEGER DEFAULT 0,             -- structure version, 50 now
    Modificato BOOLEAN DEFAULT 0,
    CodiceUtente TEXT COLLATE NOCASE,         -- max 10, site account
    Password TEXT COLLATE NOCASE,             -- max 10
    URLSito TEXT COLLATE NOCASE,              -- max 50
    HostSito TEXT COLLATE NOCASE,             -- server host for uploads; empty = host of URLSito
    ProxyIndirizzo TEXT COLLATE NOCASE,       -- max 255
    ProxyPorta INTEGER DEFAULT 0,             -- 0 means 80
    ProxyUtente TEXT COLLATE NOCASE,          -- max 20
    ProxyPassword TEXT COLLATE NOCASE,        -- max 20
    SMSCodiceUtente TEXT COLLATE NOCASE,      -- max 10, SMS account
    SMSPassword TEXT COLLATE NOCASE,          -- max 10
    SMSMittente TEXT COLLATE NOCASE,          -- max 11, SMS originator
    IDLinguaPredefinita INTEGER DEFAULT 0,    -- Lingue.ID
    IDValutaListino INTEGER DEFAULT 1,        -- Valute.ID
    PrezziIVACompresa BOOLEAN DEFAULT 0,
    Bonifico BOOLEAN DEFAULT 0,
    Banca TEXT COLLATE NOCASE,                -- max 50
    ABI TEXT COLLATE NOCASE,                  -- max 5
    CAB TEXT COLLATE NOCASE,                  -- max 5
    ContoCorrente TEXT COLLATE NOCASE,        -- max 20
    ContoCorrentePostale BOOLEAN DEFAULT 0,
    IntestatarioCCPostale TEXT COLLATE NOCASE, -- max 50
    NumeroCCPostale TEXT COLLATE NOCASE,      -- max 20
    Contrassegno BOOLEAN DEFAULT 0,
    TipoContrassegno INTEGER DEFAULT 0,       -- 0 fixed amount, 1 percentage
    PercentualeContrassegno REAL DEFAULT 0,
    ImportoContrassegno REAL DEFAULT 0,       -- amount, or minimum with a percentage
    CartaCredito BOOLEAN DEFAULT 0,
    CodiceEsercente TEXT COLLATE NOCASE,      -- max 20
    TID TEXT COLLATE NOCASE,                  -- max 20
    LarghezzaLogo INTEGER DEFAULT 0,          -- image widths in pixels
    LarghezzaIconaCategorie INTEGER DEFAULT 0,
    LarghezzaIconaSezioni INTEGER DEFAULT 0,
    LarghezzaIndiceProdotti INTEGER DEFAULT 0,
    LarghezzaDettaglioProdotti INTEGER DEFAULT 0,
    LarghezzaDettaglioColori INTEGER DEFAULT 0,
    LarghezzaFotoColori INTEGER DEFAULT 0,
    LarghezzaMiniaturaColori INTEGER DEFAULT 0,
    SerieFatturazione TEXT COLLATE NOCASE,    -- max 5
    OrdinamentoIndiceProdotti INTEGER DEFAULT 0, -- 0 custom .. 5 long description
    IVASpedizione REAL DEFAULT 0,             -- VAT % on shipping
    TipoPesoImballo INTEGER DEFAULT 0,        -- 0 weight, 1 percentage
    PesoImballo REAL DEFAULT 0,
    IDStatoRicevuto INTEGER DEFAULT 0,        -- StatoOrdini.ID, 0 = none
    IDStatoEvaso INTEGER DEFAULT 0,           -- StatoOrdini.ID, 0 = none
    RagioneSociale TEXT COLLATE NOCASE,       -- max 80, company data
    Indirizzo TEXT COLLATE NOCASE,            -- max 80
    CAP TEXT COLLATE NOCASE,                  -- max 5
    Localita TEXT COLLATE NOCASE,             -- max 80
    Provincia TEXT COLLATE NOCASE,            -- max 2
    Stato TEXT COLLATE NOCASE,                -- max 30
    PartitaIVA TEXT COLLATE NOCASE,           -- max 11
    RegistroImprese TEXT COLLATE NOCASE,      -- max 50
    TelefonoInfo TEXT COLLATE NOCASE,         -- max 20
    TelefonoSupporto TEXT COLLATE NOCASE,     -- max 20
    TelefonoOrdini TEXT COLLATE NOCASE,       -- max 20
    Fax TEXT COLLATE NOCASE,                  -- max 20
    EmailInfo TEXT COLLATE NOCASE,            -- max 80
    EmailSupporto TEXT COLLATE NOCASE,        -- max 80
    EmailOrdini TEXT COLLATE NOCASE           -- max 80
);

-- Dictionary of site texts: one general row per code. Edited by the
-- dictionary editor; read by the site, the SMS heading, the CD viewer
-- texts and the spoken welcome; the upgrade adds the codes a project lacks.
CREATE TABLE DizionarioGen (
    ID INTEGER PRIMARY KEY,
    Codice TEXT COLLATE NOCASE,               -- max 20, upper case, unique
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX DizionarioGen_Codice ON DizionarioGen (Codice);

-- Dictionary texts, one row per code and language.
CREATE TABLE DizionarioLin (
    ID INTEGER PRIMARY KEY,
    IDCodice INTEGER DEFAULT 0,               -- DizionarioGen.ID
    CodiceLingua TEXT COLLATE NOCASE,
    Testo TEXT COLLATE NOCASE,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX DizionarioLin_IDCodice ON DizionarioLin (IDCodice, CodiceLingua);

-- Feature options of the site, read by the site by code. Edited on the
-- general parameters' "Funzionalità" page; the upgrade adds missing codes.
CREATE TABLE Opzioni (
    ID INTEGER PRIMARY KEY,
    Codice TEXT COLLATE NOCASE,               -- max 20, upper case, unique
    Descrizione TEXT COLLATE NOCASE,          -- max 255
    Valore INTEGER DEFAULT 0,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX Opzioni_Codice ON Opzioni (Codice);

-- One-row counter of image versions: increased by the product editor on
-- every product image change; the product keeps the value it got.
CREATE TABLE ProgressivoVersioneRecord (
    ProgressivoVersioneRecord INTEGER DEFAULT 0,
    Modificato BOOLEAN DEFAULT 0
);

-- Log of deleted records, written by the product import when it deletes
-- obsolete products; read by the site update so that the site deletes
-- them too. Emptied in the CD copy.
CREATE TABLE RecordsEliminati (
    ID INTEGER PRIMARY KEY,
    NomeTabella TEXT COLLATE NOCASE,          -- max 50, table of the deleted row
    IDRecord INTEGER DEFAULT 0,               -- ID of the deleted row
    DataEliminazione DATETIME,                -- when it was deleted
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX RecordsEliminati_NomeTabella ON RecordsEliminati (NomeTabella, IDRecord);

-- Site templates known to the project (name and description); kept for the
-- site update, no editor writes it.
CREATE TABLE Template (
    ID INTEGER PRIMARY KEY,
    Nome TEXT COLLATE NOCASE,                 -- max 50
    Descrizione TEXT COLLATE NOCASE,          -- max 255
    Attivo BOOLEAN DEFAULT 0,
    Modificato BOOLEAN DEFAULT 0
);

-- ---------------------------------------------------------------------------
-- Catalogue
-- ---------------------------------------------------------------------------

-- Category tree. Written by the category editor; read by the product
-- editor's category tree, permissions, discounts, correlations, custom
-- fields, the CD filter and the site.
CREATE TABLE Categorie (
    ID INTEGER PRIMARY KEY,
    Ordine INTEGER DEFAULT 0,                 -- position among siblings
    Modificato BOOLEAN DEFAULT 0,
    IDCategoriaPadre INTEGER DEFAULT 0,       -- parent, 0 = top level
    DatiAggiuntivi TEXT COLLATE NOCASE,       -- max 255, carried over by copies
    Codice TEXT COLLATE NOCASE                -- max 20, upper case
);
CREATE INDEX Categorie_Padre ON Categorie (IDCategoriaPadre, Ordine);
CREATE INDEX Categorie_Codice ON Categorie (Codice);

-- Category texts per language, written by the category editor.
CREATE TABLE CategorieLingue (
    ID INTEGER PRIMARY KEY,
    IDCategoria INTEGER DEFAULT 0,            -- Categorie.ID
    CodiceLingua TEXT COLLATE NOCASE,
    Nome TEXT COLLATE NOCASE,                 -- max 50
    Descrizione TEXT COLLATE NOCASE,
    Creato BOOLEAN DEFAULT 0,                 -- row made by the editor
    Immagine BOOLEAN DEFAULT 0,               -- an image exists for this language
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX CategorieLingue_IDCategoria ON CategorieLingue (IDCategoria, CodiceLingua);

-- Size tables ("Tabelle Taglie"), edited from the product editor's sizes
-- page; a product names one of them.
CREATE TABLE ValoriTaglie (
    ID INTEGER PRIMARY KEY,
    Nome TEXT COLLATE NOCASE,                 -- max 50
    Taglie TEXT COLLATE NOCASE,               -- the sizes, one per line
    Modificato BOOLEAN DEFAULT 0
);

-- Products and their variants (IDProdottoBase <> 0). Written by the product
-- editor, the import and the price-list update; read by the site, orders,
-- mailing, permissions, discounts, correlations and the CD filter.
CREATE TABLE Prodotti (
    ID INTEGER PRIMARY KEY,
    Ordine INTEGER DEFAULT 0,
    IDProdottoBase INTEGER DEFAULT 0,         -- 0 = base product
    Codice TEXT COLLATE NOCASE,               -- max 32
    CodiceABarre TEXT COLLATE NOCASE,         -- max 13, digits
    Attivo BOOLEAN DEFAULT 0,
    Novita BOOLEAN DEFAULT 0,
    Mailing BOOLEAN DEFAULT 0,
    Offerta BOOLEAN DEFAULT 0,
    TipoOfferta INTEGER DEFAULT 0,            -- 0 discount %, 1 promotional price
    IVA REAL DEFAULT 0,
    Peso REAL DEFAULT 0,
    Confezione REAL DEFAULT 0,
    Disponibilita REAL DEFAULT 0,
    Sconto REAL DEFAULT 0,
    ValiditaDal DATETIME,
    ValiditaAl DATETIME,
    IDTabellaTaglie INTEGER DEFAULT 0,        -- ValoriTaglie.ID, 0 = no sizes
    TagliaDa INTEGER DEFAULT -1,              -- -1 = none chosen
    TagliaA INTEGER DEFAULT -1,
    Immagine BOOLEAN DEFAULT 0,
    VersioneImmagine INTEGER DEFAULT 0,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX Prodotti_Base ON Prodotti (IDProdottoBase, Ordine);
CREATE INDEX Prodotti_Codice ON Prodotti (Codice);

-- Product texts and prices per language, written by the product editor,
-- the import, the price-list update and the product-index sort update.
CREATE TABLE ProdottiLingue (
    ID INTEGER PRIMARY KEY,
    IDProdotto INTEGER DEFAULT 0,             -- Prodotti.ID
    CodiceLingua TEXT COLLATE NOCASE,
    Nome TEXT COLLATE NOCASE,                 -- max 255
    DescrizioneFattura TEXT COLLATE NOCASE,
    DescrizioneBreve TEXT COLLATE NOCASE,
    DescrizioneEstesa TEXT COLLATE NOCASE,
    UnitaMisura TEXT COLLATE NOCASE,          -- max 10
    Prezzo1 REAL DEFAULT 0,
    Prezzo2 REAL DEFAULT 0,
    Prezzo3 REAL DEFAULT 0,
    Prezzo4 REAL DEFAULT 0,
    PrezzoPromozionale REAL DEFAULT 0,
    ValoriCustom TEXT COLLATE NOCASE,         -- "name|value|" per custom field
    Ordinamento TEXT COLLATE NOCASE,          -- max 20, product-index sort text
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX ProdottiLingue_IDProdotto ON ProdottiLingue (IDProdotto, CodiceLingua);

-- Links between products and categories, written by the product editor's
-- category tree and the import.
CREATE TABLE CategorieProdotti (
    ID INTEGER PRIMARY KEY,
    IDCategoria INTEGER DEFAULT 0,            -- Categorie.ID
    IDProdotto INTEGER DEFAULT 0,             -- Prodotti.ID
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX CategorieProdotti_IDCategoria ON CategorieProdotti (IDCategoria);
CREATE INDEX CategorieProdotti_IDProdotto ON CategorieProdotti (IDProdotto, IDCategoria);

-- Search keywords per record and language (Tipo 1 product, 3 article),
-- written by the product and article editors; read by the site's search.
CREATE TABLE ParoleChiave (
    ID INTEGER PRIMARY KEY,
    Tipo INTEGER DEFAULT 0,
    IDRecord INTEGER DEFAULT 0,
    CodiceLingua TEXT COLLATE NOCASE,
    Keywords TEXT COLLATE NOCASE,
    Attivo BOOLEAN DEFAULT 0,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX ParoleChiave_Record ON ParoleChiave (Tipo, IDRecord, CodiceLingua);

-- Colours of a product, written by the product editor's colours page; the
-- images are files named by ID. Order lines name a colour by ID.
CREATE TABLE ProdottiColori (
    ID INTEGER PRIMARY KEY,
    IDProdotto INTEGER DEFAULT 0,             -- Prodotti.ID
    Codice TEXT COLLATE NOCASE,               -- max 32
    Descrizione TEXT COLLATE NOCASE,          -- max 100
    Attivo BOOLEAN DEFAULT 0,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX ProdottiColori_IDProdotto ON ProdottiColori (IDProdotto);

-- Custom field definitions of products (IDCategoria 0 = every product),
-- written by the custom field editor; read by the product editor's custom
-- page. Emptied in the CD copy.
CREATE TABLE DefCampiCustom (
    ID INTEGER PRIMARY KEY,
    IDCategoria INTEGER DEFAULT 0,            -- Categorie.ID, 0 = all
    Nome TEXT COLLATE NOCASE,                 -- max 50
    Tipo INTEGER DEFAULT 0,                   -- 0 text .. 6 tax code
    Lunghezza INTEGER DEFAULT 0,
    Decimali INTEGER DEFAULT 0,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX DefCampiCustom_IDCategoria ON DefCampiCustom (IDCategoria);

-- ---------------------------------------------------------------------------
-- Site content
-- ---------------------------------------------------------------------------

-- Section tree of the editorial content, written by the section editor;
-- read by permissions, correlations, the CD filter and the site.
CREATE TABLE Sezioni (
    ID INTEGER PRIMARY KEY,
    Ordine INTEGER DEFAULT 0,
    IDSezionePadre INTEGER DEFAULT 0,         -- parent, 0 = top level
    Codice TEXT COLLATE NOCASE,               -- max 20, upper case
    Modificato BOOLEAN DEFAULT 0,
    Attivo BOOLEAN DEFAULT 0,
    MostraData BOOLEAN DEFAULT 0,             -- show the publication date
    Stampa BOOLEAN DEFAULT 0,                 -- printing allowed
    Segnalazione BOOLEAN DEFAULT 0,           -- pass on to a friend
    Voto BOOLEAN DEFAULT 0                    -- rating
);
CREATE INDEX Sezioni_Padre ON Sezioni (IDSezionePadre, Ordine);

-- Section texts per language, written by the section editor.
CREATE TABLE SezioniLingue (
    ID INTEGER PRIMARY KEY,
    IDSezione INTEGER DEFAULT 0,              -- Sezioni.ID
    CodiceLingua TEXT COLLATE NOCASE,
    Nome TEXT COLLATE NOCASE,                 -- max 50
    Descrizione TEXT COLLATE NOCASE,
    Creato BOOLEAN DEFAULT 0,
    Immagine BOOLEAN DEFAULT 0,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX SezioniLingue_IDSezione ON SezioniLingue (IDSezione, CodiceLingua);

-- Articles, written by the article editor and the tabular article editor.
CREATE TABLE Articoli (
    ID INTEGER PRIMARY KEY,
    Ordine INTEGER DEFAULT 0,
    Codice TEXT COLLATE NOCASE,               -- max 20, starts with a letter
    DataPubblicazione DATETIME,
    DallaData DATETIME,
    AllaData DATETIME,
    Attivo BOOLEAN DEFAULT 0,
    Novita BOOLEAN DEFAULT 0,
    Mailing BOOLEAN DEFAULT 0,
    Stampa BOOLEAN DEFAULT 0,
    Segnalazione BOOLEAN DEFAULT 0,
    Voto BOOLEAN DEFAULT 0,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX Articoli_Codice ON Articoli (Codice);

-- Article texts per language.
CREATE TABLE ArticoliLingue (
    ID INTEGER PRIMARY KEY,
    IDArticolo INTEGER DEFAULT 0,             -- Articoli.ID
    CodiceLingua TEXT COLLATE NOCASE,
    Titolo TEXT COLLATE NOCASE,               -- max 255
    Sottotitolo TEXT COLLATE NOCASE,          -- max 255
    Autore TEXT COLLATE NOCASE,               -- max 100
    Testo TEXT COLLATE NOCASE,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX ArticoliLingue_IDArticolo ON ArticoliLingue (IDArticolo, CodiceLingua);

-- The sections that show an article, written by the article editor and
-- by the upgrade of old projects.
CREATE TABLE SezioniArticoli (
    ID INTEGER PRIMARY KEY,
    IDSezione INTEGER DEFAULT 0,              -- Sezioni.ID
    IDArticolo INTEGER DEFAULT 0,             -- Articoli.ID
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX SezioniArticoli_IDSezione ON SezioniArticoli (IDSezione);
CREATE INDEX SezioniArticoli_IDArticolo ON SezioniArticoli (IDArticolo);

-- Links shown with an article, written by the article editor.
CREATE TABLE ArticoliLink (
    ID INTEGER PRIMARY KEY,
    IDArticolo INTEGER DEFAULT 0,             -- Articoli.ID
    Ordine INTEGER DEFAULT 0,
    Esterno BOOLEAN DEFAULT 0,                -- open outside the site
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX ArticoliLink_IDArticolo ON ArticoliLink (IDArticolo, Ordine);

-- Link texts per language.
CREATE TABLE ArticoliLinkLingue (
    ID INTEGER PRIMARY KEY,
    IDLink INTEGER DEFAULT 0,                 -- ArticoliLink.ID
    CodiceLingua TEXT COLLATE NOCASE,
    Titolo TEXT COLLATE NOCASE,               -- max 100
    Descrizione TEXT COLLATE NOCASE,
    URL TEXT COLLATE NOCASE,                  -- max 255
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX ArticoliLinkLingue_IDLink ON ArticoliLinkLingue (IDLink, CodiceLingua);

-- Downloadable files of an article (the file is named by ID), written by
-- the article editor.
CREATE TABLE ArticoliFiles (
    ID INTEGER PRIMARY KEY,
    IDArticolo INTEGER DEFAULT 0,             -- Articoli.ID
    Codice TEXT COLLATE NOCASE,               -- max 8
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX ArticoliFiles_IDArticolo ON ArticoliFiles (IDArticolo);

-- File texts per language.
CREATE TABLE ArticoliFilesLingue (
    ID INTEGER PRIMARY KEY,
    IDFiles INTEGER DEFAULT 0,                -- ArticoliFiles.ID
    CodiceLingua TEXT COLLATE NOCASE,
    Titolo TEXT COLLATE NOCASE,               -- max 100
    Descrizione TEXT COLLATE NOCASE,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX ArticoliFilesLingue_IDFiles ON ArticoliFilesLingue (IDFiles, CodiceLingua);

-- Forum (Tipo 0) and chat (Tipo 1) topic trees, written by the topic
-- editor; read by the forum moderation and the site.
CREATE TABLE Argomenti (
    ID INTEGER PRIMARY KEY,
    Tipo INTEGER DEFAULT 0,
    Codice TEXT COLLATE NOCASE,               -- max 20, upper case
    IDArgomentoPadre INTEGER DEFAULT 0,       -- parent, 0 = top level
    Ordine INTEGER DEFAULT 0,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX Argomenti_Padre ON Argomenti (IDArgomentoPadre, Ordine);

-- Topic texts per language.
CREATE TABLE ArgomentiLingue (
    ID INTEGER PRIMARY KEY,
    IDArgomento INTEGER DEFAULT 0,            -- Argomenti.ID
    CodiceLingua TEXT COLLATE NOCASE,
    Nome TEXT COLLATE NOCASE,                 -- max 50
    Descrizione TEXT COLLATE NOCASE,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX ArgomentiLingue_IDArgomento ON ArgomentiLingue (IDArgomento, CodiceLingua);

-- Forum posts: written by visitors on the site, brought in by the site
-- update, moderated by the forum moderation editor. Emptied in the CD copy.
CREATE TABLE InterventiForum (
    ID INTEGER PRIMARY KEY,
    IDArgomento INTEGER DEFAULT 0,            -- Argomenti.ID
    IDIntervento INTEGER DEFAULT 0,           -- post answered, 0 = none
    Attivo BOOLEAN DEFAULT 0,                 -- approved
    Data DATETIME,
    Ora DATETIME,
    Mittente TEXT COLLATE NOCASE,             -- max 50
    EmailMittente TEXT COLLATE NOCASE,        -- max 80
    Oggetto TEXT COLLATE NOCASE,              -- max 255
    Testo TEXT COLLATE NOCASE,
    NoteModeratore TEXT COLLATE NOCASE,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX InterventiForum_IDArgomento ON InterventiForum (IDArgomento, IDIntervento);

-- Banner types, a small table of codes edited from the banner editor.
CREATE TABLE TipoBanner (
    ID INTEGER PRIMARY KEY,
    Codice TEXT COLLATE NOCASE,               -- max 20
    Modificato BOOLEAN DEFAULT 0
);

-- Banners, written by the banner editor (the image is a file named by ID);
-- read by permissions, correlations and the site.
CREATE TABLE Banner (
    ID INTEGER PRIMARY KEY,
    Codice TEXT COLLATE NOCASE,               -- max 20
    IDTipoBanner INTEGER DEFAULT 0,           -- TipoBanner.ID, 0 = no type
    Link TEXT COLLATE NOCASE,                 -- max 100
    Esterno BOOLEAN DEFAULT 0,
    DallaData DATETIME,
    AllaData DATETIME,
    ComparsePreviste INTEGER DEFAULT 0,
    ComparseEffettive INTEGER DEFAULT 0,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX Banner_Codice ON Banner (Codice);

-- Web forms of the site, written by the form editor.
CREATE TABLE Moduli (
    ID INTEGER PRIMARY KEY,
    Codice TEXT COLLATE NOCASE,               -- max 20
    Email TEXT COLLATE NOCASE,                -- max 80, recipient
    Oggetto TEXT COLLATE NOCASE,              -- max 100, mail subject
    Modificato BOOLEAN DEFAULT 0
);

-- Form texts per language.
CREATE TABLE ModuliLingue (
    ID INTEGER PRIMARY KEY,
    IDModulo INTEGER DEFAULT 0,               -- Moduli.ID
    CodiceLingua TEXT COLLATE NOCASE,
    Nome TEXT COLLATE NOCASE,                 -- max 50
    Descrizione TEXT COLLATE NOCASE,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX ModuliLingue_IDModulo ON ModuliLingue (IDModulo, CodiceLingua);

-- Fields of a form, written by the form editor.
CREATE TABLE ModuliCampi (
    ID INTEGER PRIMARY KEY,
    IDModulo INTEGER DEFAULT 0,               -- Moduli.ID
    Ordine INTEGER DEFAULT 0,
    Tipo INTEGER DEFAULT 0,                   -- 0 text .. 13 drop-down
    Lunghezza INTEGER DEFAULT 0,
    Decimali INTEGER DEFAULT 0,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX ModuliCampi_IDModulo ON ModuliCampi (IDModulo, Ordine);

-- Field labels per language.
CREATE TABLE ModuliCampiLingue (
    ID INTEGER PRIMARY KEY,
    IDCampo INTEGER DEFAULT 0,                -- ModuliCampi.ID
    CodiceLingua TEXT COLLATE NOCASE,
    Etichetta TEXT COLLATE NOCASE,            -- max 100
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX ModuliCampiLingue_IDCampo ON ModuliCampiLingue (IDCampo, CodiceLingua);

-- Options of a drop-down form field.
CREATE TABLE ModuliOpzioni (
    ID INTEGER PRIMARY KEY,
    IDCampo INTEGER DEFAULT 0,                -- ModuliCampi.ID
    Ordine INTEGER DEFAULT 0,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX ModuliOpzioni_IDCampo ON ModuliOpzioni (IDCampo, Ordine);

-- Option texts per language.
CREATE TABLE ModuliOpzioniLingue (
    ID INTEGER PRIMARY KEY,
    IDOpzione INTEGER DEFAULT 0,              -- ModuliOpzioni.ID
    CodiceLingua TEXT COLLATE NOCASE,
    Testo TEXT COLLATE NOCASE,                -- max 100
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX ModuliOpzioniLingue_IDOpzione ON ModuliOpzioniLingue (IDOpzione, CodiceLingua);

-- Undirected links between two records (kinds: 0 category, 1 product,
-- 2 section, 3 article, 4 banner), written by the correlation dialog.
CREATE TABLE Correlazioni (
    ID INTEGER PRIMARY KEY,
    Tipo1 INTEGER DEFAULT 0,
    ID1 INTEGER DEFAULT 0,
    Tipo2 INTEGER DEFAULT 0,
    ID2 INTEGER DEFAULT 0,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX Correlazioni_1 ON Correlazioni (Tipo1, ID1);
CREATE INDEX Correlazioni_2 ON Correlazioni (Tipo2, ID2);

-- ---------------------------------------------------------------------------
-- Reserved area
-- ---------------------------------------------------------------------------

-- User groups, written by the group editor; read by the user editor,
-- permissions, discounts and the CD filter.
CREATE TABLE Gruppi (
    ID INTEGER PRIMARY KEY,
    Nome TEXT COLLATE NOCASE,                 -- max 50
    Listino INTEGER DEFAULT 0,                -- 0..3 = price 1..4
    ScontoPredefinito TEXT COLLATE NOCASE,    -- max 20, percentage as typed
    PeriodoDal DATETIME,
    PeriodoAl DATETIME,
    ScontoPeriodo TEXT COLLATE NOCASE,        -- max 20
    Modificato BOOLEAN DEFAULT 0
);

-- Registered users (customers, mailing subscribers, agents, delivery
-- recipients). Written by the user editor and the site (keys above
-- 1000000000 are made locally); read by orders, mailing, permissions,
-- discounts and the CD filter. ID 0 is the anonymous user.
CREATE TABLE Clienti (
    ID INTEGER PRIMARY KEY,
    TipoUtente INTEGER DEFAULT 0,             -- 0 B2B, 1 B2C, 2 mailing, 3 agent, 4 recipient
    RagioneSociale TEXT COLLATE NOCASE,       -- max 50
    Cognome TEXT COLLATE NOCASE,              -- max 50
    Nome TEXT COLLATE NOCASE,                 -- max 50
    UserID TEXT COLLATE NOCASE,               -- max 20
    Password TEXT COLLATE NOCASE,             -- max 20
    Indirizzo TEXT COLLATE NOCASE,            -- max 80
    CAP TEXT COLLATE NOCASE,                  -- max 10
    Localita TEXT COLLATE NOCASE,             -- max 50
    Provincia TEXT COLLATE NOCASE,            -- max 2
    Stato TEXT COLLATE NOCASE,                -- max 30
    Telefono TEXT COLLATE NOCASE,             -- max 20
    Fax TEXT COLLATE NOCASE,                  -- max 20
    Cellulare TEXT COLLATE NOCASE,            -- max 20
    CodiceFiscalePartitaIVA TEXT COLLATE NOCASE, -- max 16
    Email TEXT COLLATE NOCASE,                -- max 80
    Web TEXT COLLATE NOCASE,                  -- max 100
    Listino INTEGER DEFAULT 0,
    ScontoPredefinito TEXT COLLATE NOCASE,    -- max 20
    ScontoPeriodoDal DATETIME,
    ScontoPeriodoAl DATETIME,
    ScontoPeriodo TEXT COLLATE NOCASE,        -- max 20
    Pagamento TEXT COLLATE NOCASE,            -- max 50
    Fido REAL DEFAULT 0,
    FidoResiduo REAL DEFAULT 0,
    CodiceLingua TEXT COLLATE NOCASE,         -- empty = default language
    IDGruppo INTEGER DEFAULT 0,               -- Gruppi.ID, 0 = none
    IDAgente INTEGER DEFAULT 0,               -- Clienti.ID of an agent, 0 = none
    IDCliente INTEGER DEFAULT 0,              -- customer of a recipient, 0 = none
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX Clienti_IDGruppo ON Clienti (IDGruppo);
CREATE INDEX Clienti_IDAgente ON Clienti (IDAgente);
CREATE INDEX Clienti_IDCliente ON Clienti (IDCliente);
CREATE INDEX Clienti_UserID ON Clienti (UserID);

-- Interests users can choose, written by the interest editor; read by the
-- user editor and the mailing list.
CREATE TABLE Interessi (
    ID INTEGER PRIMARY KEY,
    Ordine INTEGER DEFAULT 0,
    Modificato BOOLEAN DEFAULT 0
);

-- Interest texts per language.
CREATE TABLE InteressiLingue (
    ID INTEGER PRIMARY KEY,
    IDInteresse INTEGER DEFAULT 0,            -- Interessi.ID
    CodiceLingua TEXT COLLATE NOCASE,
    Nome TEXT COLLATE NOCASE,                 -- max 50
    Descrizione TEXT COLLATE NOCASE,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX InteressiLingue_IDInteresse ON InteressiLingue (IDInteresse, CodiceLingua);

-- The interests of each user, written by the user editor and the site;
-- read by the mailing list.
CREATE TABLE InteressiUtenti (
    ID INTEGER PRIMARY KEY,
    IDUtente INTEGER DEFAULT 0,               -- Clienti.ID
    IDInteresse INTEGER DEFAULT 0,            -- Interessi.ID
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX InteressiUtenti_IDUtente ON InteressiUtenti (IDUtente);
CREATE INDEX InteressiUtenti_IDInteresse ON InteressiUtenti (IDInteresse);

-- Records withheld from a group (IDUtente -1) or a user (IDGruppo -1);
-- Tipo 0 category, 1 product, 2 section, 3 article, 4 banner. Written by
-- the permission editor and the user editor; read by the CD filter and
-- the site.
CREATE TABLE Permessi (
    ID INTEGER PRIMARY KEY,
    IDGruppo INTEGER DEFAULT -1,              -- Gruppi.ID or -1
    IDRecord INTEGER DEFAULT 0,
    IDUtente INTEGER DEFAULT -1,              -- Clienti.ID or -1
    Modificato BOOLEAN DEFAULT 0,
    Tipo INTEGER DEFAULT 0
);
CREATE INDEX Permessi_Record ON Permessi (Tipo, IDRecord);
CREATE INDEX Permessi_IDUtente ON Permessi (IDUtente);
CREATE INDEX Permessi_IDGruppo ON Permessi (IDGruppo);

-- Discounts (or agent commissions) of a user or group on a category or a
-- product, written by the discount editor; read by the site. Value fields
-- are Null when not set.
CREATE TABLE ScontiProdotto (
    ID INTEGER PRIMARY KEY,
    IDGruppo INTEGER DEFAULT -1,              -- Gruppi.ID or -1
    IDUtente INTEGER DEFAULT -1,              -- Clienti.ID or -1
    IDCategoria INTEGER DEFAULT 0,            -- Categorie.ID, 0 for a product rule
    IDProdotto INTEGER DEFAULT 0,             -- Prodotti.ID, 0 for a category rule
    PercentualePredefinita TEXT COLLATE NOCASE, -- max 20, percentage as typed
    PrezzoPredefinito REAL,
    PeriodoDal DATETIME,
    PeriodoAl DATETIME,
    PercentualePeriodo TEXT COLLATE NOCASE,   -- max 20
    PrezzoPeriodo REAL,
    QuantitaDal DATETIME,
    QuantitaAl DATETIME,
    Quantita1 REAL, Quantita2 REAL, Quantita3 REAL,
    Quantita4 REAL, Quantita5 REAL, Quantita6 REAL,
    Quantita7 REAL, Quantita8 REAL, Quantita9 REAL,
    Percentuale1 TEXT COLLATE NOCASE, Percentuale2 TEXT COLLATE NOCASE,
    Percentuale3 TEXT COLLATE NOCASE, Percentuale4 TEXT COLLATE NOCASE,
    Percentuale5 TEXT COLLATE NOCASE, Percentuale6 TEXT COLLATE NOCASE,
    Percentuale7 TEXT COLLATE NOCASE, Percentuale8 TEXT COLLATE NOCASE,
    Percentuale9 TEXT COLLATE NOCASE,
    Prezzo1 REAL, Prezzo2 REAL, Prezzo3 REAL,
    Prezzo4 REAL, Prezzo5 REAL, Prezzo6 REAL,
    Prezzo7 REAL, Prezzo8 REAL, Prezzo9 REAL,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX ScontiProdotto_IDCategoria ON ScontiProdotto (IDCategoria);
CREATE INDEX ScontiProdotto_IDProdotto ON ScontiProdotto (IDProdotto);
CREATE INDEX ScontiProdotto_IDUtente ON ScontiProdotto (IDUtente);
CREATE INDEX ScontiProdotto_IDGruppo ON ScontiProdotto (IDGruppo);

-- ---------------------------------------------------------------------------
-- Orders
-- ---------------------------------------------------------------------------

-- Orders placed on the site, brought in by the order download; fulfilment,
-- invoice number and state history written by the order archive; printed
-- on invoices and labels.
CREATE TABLE Ordini (
    ID INTEGER PRIMARY KEY,
    NumeroOrdine TEXT COLLATE NOCASE,         -- max 20
    DataOrdine DATETIME,
    IDCliente INTEGER DEFAULT 0,              -- Clienti.ID
    RagioneSociale TEXT COLLATE NOCASE,       -- max 50, customer
    Nome TEXT COLLATE NOCASE,                 -- max 50
    Cognome TEXT COLLATE NOCASE,              -- max 50
    Indirizzo TEXT COLLATE NOCASE,            -- max 80
    CAP TEXT COLLATE NOCASE,                  -- max 10
    Localita TEXT COLLATE NOCASE,             -- max 50
    Provincia TEXT COLLATE NOCASE,            -- max 2
    Stato TEXT COLLATE NOCASE,                -- max 30
    Telefono TEXT COLLATE NOCASE,             -- max 20
    Email TEXT COLLATE NOCASE,                -- max 80
    CodiceFiscalePartitaIVA TEXT COLLATE NOCASE, -- max 16
    RagioneSocialeDest TEXT COLLATE NOCASE,   -- consignee
    NomeDest TEXT COLLATE NOCASE,             -- empty = no consignee
    CognomeDest TEXT COLLATE NOCASE,
    IndirizzoDest TEXT COLLATE NOCASE,
    CAPDest TEXT COLLATE NOCASE,
    LocalitaDest TEXT COLLATE NOCASE,
    ProvinciaDest TEXT COLLATE NOCASE,
    StatoDest TEXT COLLATE NOCASE,
    ModalitaPagamento TEXT COLLATE NOCASE,    -- "CCPostale", "CartaCredito", "Contrassegno" or text
    NumeroAutorizzazione TEXT COLLATE NOCASE, -- max 20, card authorisation
    EstremiFattura TEXT COLLATE NOCASE,
    NumeroColli INTEGER DEFAULT 0,
    Note TEXT COLLATE NOCASE,
    SpeseSpedizione REAL DEFAULT 0,
    IVASpedizione REAL DEFAULT 0,
    SpeseContrassegno REAL DEFAULT 0,
    Imponibile REAL DEFAULT 0,
    Imposta REAL DEFAULT 0,
    Totale REAL DEFAULT 0,
    EsenteIVA BOOLEAN DEFAULT 0,
    NumeroFattura INTEGER DEFAULT 0,          -- 0 = not invoiced
    DataFattura DATETIME,                     -- Null = not invoiced
    Pagato BOOLEAN DEFAULT 0,
    StoricoStati TEXT COLLATE NOCASE,         -- state history, one "date<TAB>time<TAB>text" per line
    CodiceLingua TEXT COLLATE NOCASE,
    Cellulare TEXT COLLATE NOCASE,            -- max 20, SMS notification
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX Ordini_IDCliente ON Ordini (IDCliente);
CREATE INDEX Ordini_NumeroFattura ON Ordini (NumeroFattura);

-- Order lines, brought in with the order; the shipped quantity is written
-- by the order archive.
CREATE TABLE OrdiniDettaglio (
    ID INTEGER PRIMARY KEY,
    IDOrdine INTEGER DEFAULT 0,               -- Ordini.ID
    IDProdotto INTEGER DEFAULT 0,             -- Prodotti.ID
    IDColore INTEGER DEFAULT 0,               -- ProdottiColori.ID, 0 = none
    Codice TEXT COLLATE NOCASE,               -- max 32
    Descrizione TEXT COLLATE NOCASE,
    Colore TEXT COLLATE NOCASE,               -- max 100
    Taglia TEXT COLLATE NOCASE,               -- max 20
    Prezzo REAL DEFAULT 0,
    Quantita REAL DEFAULT 0,
    QuantitaEvasa REAL DEFAULT 0,
    IVA REAL DEFAULT 0,
    Peso REAL DEFAULT 0,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX OrdiniDettaglio_IDOrdine ON OrdiniDettaglio (IDOrdine);
CREATE INDEX OrdiniDettaglio_IDProdotto ON OrdiniDettaglio (IDProdotto);

-- Predefined order states, edited from the order archive.
CREATE TABLE StatoOrdini (
    ID INTEGER PRIMARY KEY,
    Modificato BOOLEAN DEFAULT 0
);

-- Order state texts per language.
CREATE TABLE StatoOrdiniLingue (
    ID INTEGER PRIMARY KEY,
    IDCodice INTEGER DEFAULT 0,               -- StatoOrdini.ID
    CodiceLingua TEXT COLLATE NOCASE,
    Testo TEXT COLLATE NOCASE,                -- max 100
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX StatoOrdiniLingue_IDCodice ON StatoOrdiniLingue (IDCodice, CodiceLingua);

-- Sales conditions shown by the site, one row per language; edited by the
-- order texts editor.
CREATE TABLE CondizioniVendita (
    ID INTEGER PRIMARY KEY,
    CodiceLingua TEXT COLLATE NOCASE,
    Testo TEXT COLLATE NOCASE,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX CondizioniVendita_CodiceLingua ON CondizioniVendita (CodiceLingua);

-- Customer notification text sent by the site with an order, one row per
-- language; edited by the order texts editor.
CREATE TABLE NotificaCliente (
    ID INTEGER PRIMARY KEY,
    CodiceLingua TEXT COLLATE NOCASE,
    Testo TEXT COLLATE NOCASE,
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX NotificaCliente_CodiceLingua ON NotificaCliente (CodiceLingua);

-- One-time passwords of the card gateway (request and response lists),
-- filled by the OTP import; used by the site's card payment. Emptied in the
-- CD copy.
CREATE TABLE OTPRichieste (
    ID INTEGER PRIMARY KEY,
    Password TEXT COLLATE NOCASE,             -- max 50
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX OTPRichieste_Password ON OTPRichieste (Password);

CREATE TABLE OTPRisposte (
    ID INTEGER PRIMARY KEY,
    Password TEXT COLLATE NOCASE,             -- max 50
    Modificato BOOLEAN DEFAULT 0
);
CREATE INDEX OTPRisposte_Password ON OTPRisposte (Password);

-- ---------------------------------------------------------------------------
-- Shipping and company
-- ---------------------------------------------------------------------------

-- Shipping cost rates by destination, five bands each; edited by the
-- shipping cost editor, read by the site.
CREATE TABLE SpeseSpedizione (
    ID INTEGER PRIMARY KEY,
    Descrizione TEXT COLLATE NOCASE,          -- max 50, destination
    EsenteIVA BOOLEAN DEFAULT 0,
    Limite1 REAL DEFAULT 0, Limite2 REAL DEFAULT 0, Limite3 REAL DEFAULT 0,
    Limite4 REAL DEFAULT 0, Limite5 REAL DEFAULT 0,
    Prezzo1 REAL DEFAULT 0, Prezzo2 REAL DEFAULT 0, Prezzo3 REAL DEFAULT 0,
    Prezzo4 REAL DEFAULT 0, Prezzo5 REAL DEFAULT 0,
    Modificato BOOLEAN DEFAULT 0
);

-- Company presentation, one row per language; written by the company
-- parameters editor, shown by the site.
CREATE TABLE ChiSiamo (
    ID INTEGER PRIMARY KEY,
    CodiceLingua TEXT COLLATE NOCASE,
    Presentazione TEXT COLLATE NOCASE,
    Modificato BOOLEAN DEFAULT 0,
    LogoModificato BOOLEAN DEFAULT 0          -- the language's logo changed
);
CREATE INDEX ChiSiamo_CodiceLingua ON ChiSiamo (CodiceLingua);

-- ---------------------------------------------------------------------------
-- Removal of dependent rows
-- ---------------------------------------------------------------------------
-- Editors delete a record's general row only; these triggers remove what
-- belongs to it, so that a record later given the same ID starts clean.
-- Deleting a category also deletes the products that were in that category
-- only (the category editor warns about it).

CREATE TRIGGER Categorie_Elimina AFTER DELETE ON Categorie BEGIN
    DELETE FROM CategorieLingue WHERE IDCategoria = old.ID;
    DELETE FROM Prodotti WHERE ID IN (
        SELECT cp.IDProdotto FROM CategorieProdotti cp WHERE cp.IDCategoria = old.ID)
      AND NOT EXISTS (
        SELECT 1 FROM CategorieProdotti cp2
        WHERE cp2.IDProdotto = Prodotti.ID AND cp2.IDCategoria <> old.ID);
    DELETE FROM CategorieProdotti WHERE IDCategoria = old.ID;
    DELETE FROM DefCampiCustom WHERE IDCategoria = old.ID AND old.ID <> 0;
    DELETE FROM ScontiProdotto WHERE IDCategoria = old.ID AND old.ID <> 0;
    DELETE FROM Permessi WHERE Tipo = 0 AND IDRecord = old.ID;
    DELETE FROM Correlazioni WHERE (Tipo1 = 0 AND ID1 = old.ID) OR (Tipo2 = 0 AND ID2 = old.ID);
END;

-- A product's variants (at any depth) go with it; the family is gathered
-- before the variant rows are deleted, so this works whether or not the
-- connection lets triggers fire recursively.
CREATE TRIGGER Prodotti_Elimina AFTER DELETE ON Prodotti BEGIN
    DELETE FROM ProdottiLingue WHERE IDProdotto IN (
        WITH RECURSIVE Famiglia(ID) AS (
            SELECT old.ID UNION SELECT p.ID FROM Prodotti p JOIN Famiglia f ON p.IDProdottoBase = f.ID AND f.ID <> 0)
        SELECT ID FROM Famiglia);
    DELETE FROM CategorieProdotti WHERE IDProdotto IN (
        WITH RECURSIVE Famiglia(ID) AS (
            SELECT old.ID UNION SELECT p.ID FROM Prodotti p JOIN Famiglia f ON p.IDProdottoBase = f.ID AND f.ID <> 0)
        SELECT ID FROM Famiglia);
    DELETE FROM ProdottiColori WHERE IDProdotto IN (
        WITH RECURSIVE Famiglia(ID) AS (
            SELECT old.ID UNION SELECT p.ID FROM Prodotti p JOIN Famiglia f ON p.IDProdottoBase = f.ID AND f.ID <> 0)
        SELECT ID FROM Famiglia);
    DELETE FROM ParoleChiave WHERE Tipo = 1 AND IDRecord IN (
        WITH RECURSIVE Famiglia(ID) AS (
            SELECT old.ID UNION SELECT p.ID FROM Prodotti p JOIN Famiglia f ON p.IDProdottoBase = f.ID AND f.ID <> 0)
        SELECT ID FROM Famiglia);
    DELETE FROM ScontiProdotto WHERE IDProdotto <> 0 AND IDProdotto IN (
        WITH RECURSIVE Famiglia(ID) AS (
            SELECT old.ID UNION SELECT p.ID FROM Prodotti p JOIN Famiglia f ON p.IDProdottoBase = f.ID AND f.ID <> 0)
        SELECT ID FROM Famiglia);
    DELETE FROM Permessi WHERE Tipo = 1 AND IDRecord IN (
        WITH RECURSIVE Famiglia(ID) AS (
            SELECT old.ID UNION SELECT p.ID FROM Prodotti p JOIN Famiglia f ON p.IDProdottoBase = f.ID AND f.ID <> 0)
        SELECT ID FROM Famiglia);
    DELETE FROM Correlazioni WHERE (Tipo1 = 1 AND ID1 IN (
        WITH RECURSIVE Famiglia(ID) AS (
            SELECT old.ID UNION SELECT p.ID FROM Prodotti p JOIN Famiglia f ON p.IDProdottoBase = f.ID AND f.ID <> 0)
        SELECT ID FROM Famiglia))
                               OR (Tipo2 = 1 AND ID2 IN (
        WITH RECURSIVE Famiglia(ID) AS (
            SELECT old.ID UNION SELECT p.ID FROM Prodotti p JOIN Famiglia f ON p.IDProdottoBase = f.ID AND f.ID <> 0)
        SELECT ID FROM Famiglia));
    DELETE FROM Prodotti WHERE ID <> old.ID AND ID IN (
        WITH RECURSIVE Famiglia(ID) AS (
            SELECT old.ID UNION SELECT p.ID FROM Prodotti p JOIN Famiglia f ON p.IDProdottoBase = f.ID AND f.ID <> 0)
        SELECT ID FROM Famiglia);
END;

CREATE TRIGGER Sezioni_Elimina AFTER DELETE ON Sezioni BEGIN
    DELETE FROM SezioniLingue WHERE IDSezione = old.ID;
    DELETE FROM SezioniArticoli WHERE IDSezione = old.ID;
    DELETE FROM Permessi WHERE Tipo = 2 AND IDRecord = old.ID;
    DELETE FROM Correlazioni WHERE (Tipo1 = 2 AND ID1 = old.ID) OR (Tipo2 = 2 AND ID2 = old.ID);
END;

CREATE TRIGGER Articoli_Elimina AFTER DELETE ON Articoli BEGIN
    DELETE FROM ArticoliLingue WHERE IDArticolo = old.ID;
    DELETE FROM SezioniArticoli WHERE IDArticolo = old.ID;
    DELETE FROM ArticoliLink WHERE IDArticolo = old.ID;
    DELETE FROM ArticoliFiles WHERE IDArticolo = old.ID;
    DELETE FROM ParoleChiave WHERE Tipo = 3 AND IDRecord = old.ID;
    DELETE FROM Permessi WHERE Tipo = 3 AND IDRecord = old.ID;
    DELETE FROM Correlazioni WHERE (Tipo1 = 3 AND ID1 = old.ID) OR (Tipo2 = 3 AND ID2 = old.ID);
END;

CREATE TRIGGER ArticoliLink_Elimina AFTER DELETE ON ArticoliLink BEGIN
    DELETE FROM ArticoliLinkLingue WHERE IDLink = old.ID;
END;

CREATE TRIGGER ArticoliFiles_Elimina AFTER DELETE ON ArticoliFiles BEGIN
    DELETE FROM ArticoliFilesLingue WHERE IDFiles = old.ID;
END;

CREATE TRIGGER Argomenti_Elimina AFTER DELETE ON Argomenti BEGIN
    DELETE FROM ArgomentiLingue WHERE IDArgomento = old.ID;
    DELETE FROM InterventiForum WHERE IDArgomento = old.ID;
END;

CREATE TRIGGER TipoBanner_Elimina AFTER DELETE ON TipoBanner BEGIN
    UPDATE Banner SET IDTipoBanner = 0, Modificato = 1 WHERE IDTipoBanner = old.ID;
END;

CREATE TRIGGER Banner_Elimina AFTER DELETE ON Banner BEGIN
    DELETE FROM Permessi WHERE Tipo = 4 AND IDRecord = old.ID;
    DELETE FROM Correlazioni WHERE (Tipo1 = 4 AND ID1 = old.ID) OR (Tipo2 = 4 AND ID2 = old.ID);
END;

CREATE TRIGGER Moduli_Elimina AFTER DELETE ON Moduli BEGIN
    DELETE FROM ModuliLingue WHERE IDModulo = old.ID;
    DELETE FROM ModuliCampi WHERE IDModulo = old.ID;
END;

CREATE TRIGGER ModuliCampi_Elimina AFTER DELETE ON ModuliCampi BEGIN
    DELETE FROM ModuliCampiLingue WHERE IDCampo = old.ID;
    DELETE FROM ModuliOpzioni WHERE IDCampo = old.ID;
END;

CREATE TRIGGER ModuliOpzioni_Elimina AFTER DELETE ON ModuliOpzioni BEGIN
    DELETE FROM ModuliOpzioniLingue WHERE IDOpzione = old.ID;
END;

CREATE TRIGGER Gruppi_Elimina AFTER DELETE ON Gruppi BEGIN
    UPDATE Clienti SET IDGruppo = 0, Modificato = 1 WHERE IDGruppo = old.ID AND old.ID > 0;
    DELETE FROM Permessi WHERE IDGruppo = old.ID AND old.ID > 0;
    DELETE FROM ScontiProdotto WHERE IDGruppo = old.ID AND old.ID > 0;
END;

CREATE TRIGGER Clienti_Elimina AFTER DELETE ON Clienti BEGIN
    DELETE FROM InteressiUtenti WHERE IDUtente = old.ID;
    DELETE FROM Permessi WHERE IDUtente = old.ID AND old.ID >= 0;
    DELETE FROM ScontiProdotto WHERE IDUtente = old.ID AND old.ID >= 0;
END;

CREATE TRIGGER Interessi_Elimina AFTER DELETE ON Interessi BEGIN
    DELETE FROM InteressiLingue WHERE IDInteresse = old.ID;
    DELETE FROM InteressiUtenti WHERE IDInteresse = old.ID;
END;

CREATE TRIGGER DizionarioGen_Elimina AFTER DELETE ON DizionarioGen BEGIN
    DELETE FROM DizionarioLin WHERE IDCodice = old.ID;
END;

CREATE TRIGGER StatoOrdini_Elimina AFTER DELETE ON StatoOrdini BEGIN
    DELETE FROM StatoOrdiniLingue WHERE IDCodice = old.ID;
END;

CREATE TRIGGER Ordini_Elimina AFTER DELETE ON Ordini BEGIN
    DELETE FROM OrdiniDettaglio WHERE IDOrdine = old.ID;
END;

-- ---------------------------------------------------------------------------
-- Structure dates
-- ---------------------------------------------------------------------------

-- Date of each table's last structure change, compared by the structure
-- check when a project is opened. Names beginning with "MSys" are left out
-- of that check and of the upgrade's copy.
CREATE TABLE MSysTables (
    Name TEXT PRIMARY KEY COLLATE BINARY,
    DateUpdate DATETIME
);

-- Every table of this structure dates from version 5.0.
INSERT INTO MSysTables (Name, DateUpdate)
SELECT name, '2026-11-30 12:00:00' FROM sqlite_master
WHERE type = 'table' AND substr(name, 1, 4) <> 'MSys' AND substr(name, 1, 7) <> 'sqlite_'
ORDER BY name;
