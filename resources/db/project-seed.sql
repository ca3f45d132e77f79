-- Reference data of the blank project database: copied into every new
-- project, and the source of the dictionary codes and options that the
-- upgrade adds to older projects.

-- The Euro is currency 1 and cannot be deleted.
INSERT INTO Valute (ID, Nome, Cambio, Simbolo, Arrotondamento, Modificato)
VALUES (1, 'Euro', 1, '€', 0.01, 0);

-- Italian is the default language and the only active one; English is
-- ready to be switched on.
INSERT INTO Lingue (ID, Attivo, Codice, Descrizione, IDValuta, Euro, Modificato) VALUES
    (1, 1, 'it', 'Italiano', 1, 0, 0),
    (2, 0, 'en', 'Inglese', 1, 0, 0);

-- Predefined order states; "received" and "fulfilled" are wired into the
-- configuration below.
INSERT INTO StatoOrdini (ID, Modificato) VALUES (1, 0), (2, 0), (3, 0), (4, 0), (5, 0);
INSERT INTO StatoOrdiniLingue (ID, IDCodice, CodiceLingua, Testo, Modificato) VALUES
    (1, 1, 'it', 'Ordine ricevuto', 0),
    (2, 1, 'en', 'Order received', 0),
    (3, 2, 'it', 'Pagamento ricevuto', 0),
    (4, 2, 'en', 'Payment received', 0),
    (5, 3, 'it', 'Ordine in preparazione', 0),
    (6, 3, 'en', 'Order being prepared', 0),
    (7, 4, 'it', 'Ordine evaso e spedito', 0),
    (8, 4, 'en', 'Order shipped', 0),
    (9, 5, 'it', 'Ordine annullato', 0),
    (10, 5, 'en', 'Order cancelled', 0);

-- The configuration row of a new project.
INSERT INTO Configurazione (
    ID, VersioneDB, Modificato, ProxyPorta,
    IDLinguaPredefinita, IDValutaListino, PrezziIVACompresa,
    TipoContrassegno, PercentualeContrassegno, ImportoContrassegno,
    LarghezzaLogo, LarghezzaIconaCategorie, LarghezzaIconaSezioni,
    LarghezzaIndiceProdotti, LarghezzaDettaglioProdotti, LarghezzaDettaglioColori,
    LarghezzaFotoColori, LarghezzaMiniaturaColori,
    OrdinamentoIndiceProdotti, IVASpedizione, TipoPesoImballo, PesoImballo,
    IDStatoRicevuto, IDStatoEvaso, Stato)
VALUES (
    1, 50, 0, 0,
    1, 1, 1,
    0, 0, 0,
    200, 100, 100,
    120, 400, 400,
    300, 60,
    0, 22, 0, 0,
    1, 4, 'Italia');

-- The image version counter starts at 0.
INSERT INTO ProgressivoVersioneRecord (ProgressivoVersioneRecord, Modificato) VALUES (0, 0);

-- The anonymous user: visitors who have not logged in. Its permissions are
-- copied to every new user; it cannot be deleted.
INSERT INTO Clienti (ID, TipoUtente, RagioneSociale, Cognome, Nome, UserID, CodiceLingua,
                     IDGruppo, IDAgente, IDCliente, Modificato)
VALUES (0, 1, 'Utente anonimo', 'Anonimo', '', '', '', 0, 0, 0, 0);

-- Feature options read by the site (Valore 1 = on).
INSERT INTO Opzioni (ID, Codice, Descrizione, Valore, Modificato) VALUES
    (1, 'CARRELLO', 'Carrello e ordini online', 1, 0),
    (2, 'REGISTRAZIONE', 'Registrazione dei visitatori dal sito', 1, 0),
    (3, 'AREARISERVATA', 'Area riservata con listini e sconti per utente', 0, 0),
    (4, 'PREZZIANONIMI', 'Prezzi visibili anche agli utenti non registrati', 1, 0),
    (5, 'DISPONIBILITA', 'Mostra la disponibilità dei prodotti', 0, 0),
    (6, 'RICERCA', 'Ricerca nel catalogo per parole chiave', 1, 0),
    (7, 'CORRELATI', 'Mostra prodotti e articoli correlati', 1, 0),
    (8, 'NEWSLETTER', 'Iscrizione alla mailing list dal sito', 0, 0),
    (9, 'FORUM', 'Forum dei visitatori', 0, 0),
    (10, 'CHAT', 'Chat dei visitatori', 0, 0),
    (11, 'BANNER', 'Banner pubblicitari', 0, 0),
    (12, 'BENVENUTOVOCALE', 'Messaggio di benvenuto vocale', 0, 0);

-- Dictionary: the SMS heading, the texts of the CD viewer (in the order in
-- which the viewer reads them) and the phrases of the spoken welcome.
-- General row i has language rows 2i-1 (Italian) and 2i (English).
CREATE TEMP TABLE Voci (Codice TEXT, TestoIt TEXT, TestoEn TEXT);
INSERT INTO Voci (Codice, TestoIt, TestoEn) VALUES
    ('PMTINTESTAZIONESMS', 'Il Negozio', 'The Shop'),
    ('CDPMTINSTALLAZIONE', 'Installazione del catalogo', 'Catalogue setup'),
    ('CDMSGBENVENUTO', 'Benvenuto nell''installazione del nostro catalogo.' || char(13) || char(10) ||
                       'Scegli la cartella e premi Installa per proseguire.',
                       'Welcome to the setup of our catalogue.' || char(13) || char(10) ||
                       'Choose a folder and press Install to continue.'),
    ('CDPMTSELCARTELLA', 'Cartella di installazione', 'Installation folder'),
    ('CDPMTSFOGLIA', 'Sfoglia...', 'Browse...'),
    ('CDPMTINSTALLA', 'Installa', 'Install'),
    ('CDPMTCREALINK', 'Crea un collegamento nel menu Programmi', 'Add a shortcut to the Programs menu'),
    ('CDPMTCREALINKDESK', 'Crea un collegamento sul desktop', 'Add a shortcut to the desktop'),
    ('CDPMTINSTMDAC', 'Installa i componenti di accesso ai dati', 'Install the data access components'),
    ('CDMSGOKINST', 'Installazione completata.', 'Setup completed.'),
    ('CDMSGCOPIAFILE', 'Copia dei file in corso...', 'Copying files...'),
    ('CDMNUFILE', 'File', 'File'),
    ('CDMNUAGGIORNAMENTO', 'Aggiornamento', 'Update'),
    ('CDMNUSTAMPA', 'Stampa', 'Print'),
    ('CDMNUESCI', 'Esci', 'Exit'),
    ('CDMNUNAVIGAZIONE', 'Navigazione', 'Browse'),
    ('CDMNUHOME', 'Pagina iniziale', 'Home page'),
    ('CDMNUINDIETRO', 'Indietro', 'Back'),
    ('CDMNUAVANTI', 'Avanti', 'Forward'),
    ('CDMNUHELP', 'Guida', 'Help'),
    ('CDPMTSTAMPA', 'Stampa ordini', 'Print orders'),
    ('CDPMTCLIENTE', 'Cliente', 'Customer'),
    ('CDPMTDALLADATA', 'Dalla data', 'From'),
    ('CDPMTALLADATA', 'Alla data', 'To'),
    ('CDPMTTUTTICLIENTI', 'Tutti i clienti', 'All customers'),
    ('CDPMTNUMORD', 'Numero ordine', 'Order number'),
    ('CDPMTDATA', 'Data', 'Date'),
    ('CDPMTAGGIORNALISTA', 'Aggiorna elenco', 'Refresh list'),
    ('CDPMTOKSTAMPA', 'Stampa', 'Print'),
    ('CDPMTANNULLA', 'Annulla', 'Cancel'),
    ('CDPMTAGGIORNAMENTO', 'Aggiornamento del catalogo', 'Catalogue update'),
    ('CDPMTAGGREC', 'Aggiornamento dati', 'Updating data'),
    ('CDPMTAVVIO', 'Avvia', 'Start'),
    ('CDMSGAGGIORNAMENTOOK', 'Aggiornamento completato con successo.', 'The update completed successfully.'),
    ('CDMSGAGGIORNAMENTOKO', 'Aggiornamento non riuscito. Riprova più tardi.', 'The update failed. Please try again later.'),
    ('CDMSGAGGIORNAMENTORP', 'Il catalogo è già aggiornato.', 'The catalogue is already up to date.'),
    ('CDPMTAGGTAB', 'Aggiornamento tabella', 'Updating table'),
    ('CDERRSERVERIRR', 'Il server non è raggiungibile. Controlla la connessione a Internet.', 'The server cannot be reached. Check your Internet connection.'),
    ('CDPMTAGGIMM', 'Aggiornamento immagini', 'Updating pictures'),
    ('CDPMTPRGAGGIMM', 'Immagini aggiornate', 'Pictures updated'),
    ('CDPMTPRGORDINI', 'Invio ordini in corso', 'Sending orders'),
    ('CDERRNOORDSEL', 'Nessun ordine selezionato.', 'No order selected.'),
    ('CDPMTDATIORDINE', 'Dati ordine', 'Order details'),
    ('CDPMTDESTINATARIO', 'Destinatario', 'Ship to'),
    ('CDPMTTELEFONO', 'Telefono', 'Telephone'),
    ('CDPMTPIVA', 'Partita IVA', 'VAT number'),
    ('CDPMTCODICE', 'Codice', 'Code'),
    ('CDPMTDESCRIZIONE', 'Descrizione', 'Description'),
    ('CDPMTQUANTITA', 'Quantità', 'Quantity'),
    ('CDPMTUM', 'U.M.', 'Unit'),
    ('CDPMTPREZZO', 'Prezzo', 'Price'),
    ('CDPMTIMPORTO', 'Importo', 'Amount'),
    ('CDPMTTAGLIA', 'Taglia', 'Size'),
    ('CDPMTCOLORE', 'Colore', 'Colour'),
    ('CDPMTTOTIMPONIBILE', 'Totale imponibile', 'Taxable total'),
    ('CDPMTSPESESPED', 'Spese di spedizione', 'Shipping'),
    ('CDPMTSPESECONTR', 'Spese di contrassegno', 'Cash on delivery fee'),
    ('CDPMTTOTIMPOSTA', 'Totale IVA', 'Total VAT'),
    ('CDPMTTOTORDINE', 'Totale ordine', 'Order total'),
    ('VBENVENUTO', 'Benvenuto nel nostro negozio online.', 'Welcome to our online shop.'),
    ('VBENVENUTOCLIENTE', 'Bentornato', 'Welcome back'),
    ('VCODICECLIENTE', 'Il tuo codice cliente è', 'Your customer code is'),
    ('VNOMEPRODOTTO', 'Ti presentiamo', 'Let us introduce'),
    ('VPREZZOPRODOTTO', 'al prezzo di', 'at the price of'),
    ('VCODICEPRODOTTO', 'codice prodotto', 'product code');

INSERT INTO DizionarioGen (ID, Codice, Modificato)
SELECT rowid, Codice, 0 FROM Voci ORDER BY rowid;
INSERT INTO DizionarioLin (ID, IDCodice, CodiceLingua, Testo, Modificato)
SELECT 2 * rowid - 1, rowid, 'it', TestoIt, 0 FROM Voci
UNION ALL
SELECT 2 * rowid, rowid, 'en', TestoEn, 0 FROM Voci
ORDER BY 1;
DROP TABLE Voci;
