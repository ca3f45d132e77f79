-- Contents of the blank template database of a new project: the general
-- stylesheet category and the home page, whose classes (node 1) apply to
-- every node of the site.

INSERT INTO CategorieCodiciASP (ID, Nome, Descrizione, FileCSS, Ordine) VALUES
    (1, 'Generale', 'Stili generali del sito', 'stile.css', 1);

INSERT INTO CodiceASP (ID, IDCategoria, IDPadre, Nome, Descrizione, Ordine, Attivo,
                       Codice, Condiviso, Tipo, IDRiferimento, IDModello) VALUES
    (1, 1, 0, 'Pagina iniziale', 'Pagina iniziale del sito', 1, 1,
     '\pagine\default.asp', 0, 0, 0, 0);

INSERT INTO ClassiCSS (ID, IDCodiceASP, Descrizione, Nome, Ordine, NomeCSS, IDClasseModello) VALUES
    (1, 1, 'Corpo di tutte le pagine', 'Pagina', 1, '.Pagina', 0),
    (2, 1, 'Testo normale', 'Testo', 2, '.Testo', 0);

-- Property numbers of the stylesheet generator: 4 background-color,
-- 5 color, 29 font-family, 32 font-size.
INSERT INTO AttributiCSS (ID, IDClasse, IDAttributo, Valore) VALUES
    (1, 1, 4, '#FFFFFF'),
    (2, 2, 29, 'Verdana, Arial, sans-serif'),
    (3, 2, 32, '11px'),
    (4, 2, 5, '#333333');

INSERT INTO Parametri (ID, IDCodiceASP, Etichetta, Descrizione, Nome, Ordine, Tipo,
                       Valore, Opzioni, IDParametroModello) VALUES
    (1, 1, 'Titolo pagina', 'Titolo mostrato dal browser', 'TITOLO', 1, 0,
     'Il nostro negozio', NULL, 0);
