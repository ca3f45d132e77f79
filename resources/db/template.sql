-- Structure of the template database (db/progettografico.mdb in every
-- project, blank copy in the program folder) and of the model database
-- (db/modellografico.mdb in the program folder, read only), which has the
-- same tables. Same type conventions as the project database: INTEGER,
-- BOOLEAN (0/1), TEXT COLLATE NOCASE. New keys are the largest ID + 1.

-- Stylesheet categories: each names the stylesheet file (in the site's
-- images folder) that receives the classes of its nodes. Read by the page
-- and stylesheet generators and by the "Funzionalità" chooser.
CREATE TABLE CategorieCodiciASP (
    ID INTEGER PRIMARY KEY,
    Nome TEXT COLLATE NOCASE,
    Descrizione TEXT COLLATE NOCASE,
    FileCSS TEXT COLLATE NOCASE,
    Ordine INTEGER DEFAULT 0
);

-- The block tree: one row per node (page, block, table, column, functional
-- block, reference, fixed node, conditional block). Written by the designer's
-- tree commands; read by the page generator.
CREATE TABLE CodiceASP (
    ID INTEGER PRIMARY KEY,
    IDCategoria INTEGER DEFAULT 0,            -- CategorieCodiciASP.ID, 0 for references
    IDPadre INTEGER DEFAULT 0,                -- parent node, 0 = top level
    Nome TEXT COLLATE NOCASE,
    Descrizione TEXT COLLATE NOCASE,
    Ordine INTEGER DEFAULT 0,
    Attivo BOOLEAN DEFAULT 0,
    Codice TEXT COLLATE NOCASE,               -- code template, or "\path" of a page file
    Condiviso BOOLEAN DEFAULT 0,              -- generated into its own include file
    Tipo INTEGER DEFAULT 0,                   -- 0 page .. 7 conditional block
    IDRiferimento INTEGER DEFAULT 0,          -- node included by a reference
    IDModello INTEGER DEFAULT 0               -- model node it was copied from
);
CREATE INDEX CodiceASP_IDPadre ON CodiceASP (IDPadre, Ordine);
CREATE INDEX CodiceASP_IDCategoria ON CodiceASP (IDCategoria);
CREATE INDEX CodiceASP_IDRiferimento ON CodiceASP (IDRiferimento);

-- CSS classes of a node (classes of node 1 apply to every node). Written by
-- the tree commands and the style editors; read by both generators.
CREATE TABLE ClassiCSS (
    ID INTEGER PRIMARY KEY,
    IDCodiceASP INTEGER DEFAULT 0,            -- CodiceASP.ID
    Descrizione TEXT COLLATE NOCASE,
    Nome TEXT COLLATE NOCASE,
    Ordine INTEGER DEFAULT 0,
    NomeCSS TEXT COLLATE NOCASE,              -- selector text
    IDClasseModello INTEGER DEFAULT 0
);
CREATE INDEX ClassiCSS_IDCodiceASP ON ClassiCSS (IDCodiceASP, Ordine);

-- One row per CSS property set on a class (IDAttributo 0..34). Written by
-- the style and colour editors; read by the stylesheet generator.
CREATE TABLE AttributiCSS (
    ID INTEGER PRIMARY KEY,
    IDClasse INTEGER DEFAULT 0,               -- ClassiCSS.ID
    IDAttributo INTEGER DEFAULT 0,
    Valore TEXT COLLATE NOCASE                -- Null = not set
);
CREATE INDEX AttributiCSS_IDClasse ON AttributiCSS (IDClasse, IDAttributo);

-- Named values substituted into a node's code. Written by the parameter
-- editor and the tree commands; read by the page generator.
CREATE TABLE Parametri (
    ID INTEGER PRIMARY KEY,
    IDCodiceASP INTEGER DEFAULT 0,            -- CodiceASP.ID
    Etichetta TEXT COLLATE NOCASE,
    Descrizione TEXT COLLATE NOCASE,
    Nome TEXT COLLATE NOCASE,                 -- marker name, %%Nome%% in the code
    Ordine INTEGER DEFAULT 0,
    Tipo INTEGER DEFAULT 0,                   -- 0/1 text, 2 image, 3 on/off, 4 choice
    Valore TEXT COLLATE NOCASE,
    Opzioni TEXT COLLATE NOCASE,              -- comma-separated labels of a choice
    IDParametroModello INTEGER DEFAULT 0
);
CREATE INDEX Parametri_IDCodiceASP ON Parametri (IDCodiceASP, Ordine);

-- A deleted node takes its classes (with their properties) and parameters
-- with it, so that a node later given the same ID starts clean.
CREATE TRIGGER CodiceASP_Elimina AFTER DELETE ON CodiceASP BEGIN
    DELETE FROM ClassiCSS WHERE IDCodiceASP = old.ID;
    DELETE FROM Parametri WHERE IDCodiceASP = old.ID;
END;

CREATE TRIGGER ClassiCSS_Elimina AFTER DELETE ON ClassiCSS BEGIN
    DELETE FROM AttributiCSS WHERE IDClasse = old.ID;
END;

-- Date of each table's last structure change (as in the project database).
CREATE TABLE MSysTables (
    Name TEXT PRIMARY KEY COLLATE BINARY,
    DateUpdate DATETIME
);
INSERT INTO MSysTables (Name, DateUpdate)
SELECT name, '2026-11-30 12:00:00' FROM sqlite_master
WHERE type = 'table' AND substr(name, 1, 4) <> 'MSys' AND substr(name, 1, 7) <> 'sqlite_'
ORDER BY name;
