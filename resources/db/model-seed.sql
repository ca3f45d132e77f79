-- Contents of the model database: the catalogue of ready-made functional
-- blocks that the designer copies into a project. Node 101 is the
-- conditional block inserted by "Blocco condizionato".

INSERT INTO CategorieCodiciASP (ID, Nome, Descrizione, FileCSS, Ordine) VALUES
    (1, 'Generale', 'Blocchi di uso generale', 'stile.css', 1);

INSERT INTO CodiceASP (ID, IDCategoria, IDPadre, Nome, Descrizione, Ordine, Attivo,
                       Codice, Condiviso, Tipo, IDRiferimento, IDModello) VALUES
    (101, 1, 0, 'Blocco condizionato',
     'Blocco che si mostra o si nasconde con un parametro', 101, 1,
     '%%VISIBILE%%<div class="BloccoCondizionato">' || char(10) ||
     char(9) || '##CODICEFIGLIO##' || char(10) || '</div>%%/VISIBILE%%',
     0, 7, 0, 0);

INSERT INTO ClassiCSS (ID, IDCodiceASP, Descrizione, Nome, Ordine, NomeCSS, IDClasseModello) VALUES
    (1, 101, 'Contenitore del blocco condizionato', 'Blocco condizionato', 1,
     '.BloccoCondizionato', 0);

INSERT INTO Parametri (ID, IDCodiceASP, Etichetta, Descrizione, Nome, Ordine, Tipo,
                       Valore, Opzioni, IDParametroModello) VALUES
    (1, 101, 'Visibile', 'Mostra il contenuto del blocco', 'VISIBILE', 1, 3, '1', NULL, 0);
