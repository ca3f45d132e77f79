#pragma once

#include "common/TempDir.h"
#include "data/Database.h"

#include <gtest/gtest.h>

#include <memory>

// A small database of our own, with the tables and columns that the Jet SQL
// the program issues refers to, declared with the same conventions as the
// real schema (BOOLEAN, DATETIME, REAL, TEXT COLLATE NOCASE).
inline const char *miniSchema()
{
    return R"SQL(
CREATE TABLE Categorie (ID INTEGER PRIMARY KEY, IDCategoriaPadre INTEGER DEFAULT 0, Ordine INTEGER DEFAULT 0,
  Codice TEXT COLLATE NOCASE, Attivo BOOLEAN DEFAULT 0);
CREATE TABLE Prodotti (ID INTEGER PRIMARY KEY, IDProdottoBase INTEGER DEFAULT 0, Codice TEXT COLLATE NOCASE,
  CodiceABarre TEXT COLLATE NOCASE, Attivo BOOLEAN DEFAULT 0, Novita BOOLEAN DEFAULT 0,
  Modificato BOOLEAN DEFAULT 0, Offerta BOOLEAN DEFAULT 0, Ordine INTEGER DEFAULT 0, Prezzo REAL DEFAULT 0,
  DataInserimento DATETIME);
CREATE TABLE Clienti (ID INTEGER PRIMARY KEY, TipoUtente INTEGER DEFAULT 0, RagioneSociale TEXT COLLATE NOCASE,
  Cognome TEXT COLLATE NOCASE, Nome TEXT COLLATE NOCASE, UserID TEXT COLLATE NOCASE, Email TEXT COLLATE NOCASE,
  Mailing BOOLEAN DEFAULT 0, IDGruppo INTEGER DEFAULT 0, IDAgente INTEGER DEFAULT 0, IDCliente INTEGER DEFAULT 0,
  Modificato BOOLEAN DEFAULT 0);
CREATE TABLE InteressiUtenti (ID INTEGER PRIMARY KEY, IDUtente INTEGER, IDInteresse INTEGER);
CREATE TABLE Permessi (ID INTEGER PRIMARY KEY, IDUtente INTEGER DEFAULT 0, IDGruppo INTEGER DEFAULT 0,
  Tipo INTEGER DEFAULT 0, IDRecord INTEGER DEFAULT 0);
CREATE TABLE Ordini (ID INTEGER PRIMARY KEY, IDCliente INTEGER, DataOrdine DATETIME, DataFattura DATETIME);
CREATE TABLE OrdiniDettaglio (ID INTEGER PRIMARY KEY, IDOrdine INTEGER, IDProdotto INTEGER);
CREATE TABLE AttributiCSS (ID INTEGER PRIMARY KEY, IDClasse INTEGER, IDAttributo INTEGER, Valore TEXT COLLATE NOCASE);
CREATE TABLE Correlazioni (ID INTEGER PRIMARY KEY, Tipo1 INTEGER, ID1 INTEGER, Tipo2 INTEGER, ID2 INTEGER,
  Modificato BOOLEAN DEFAULT 0);
CREATE TABLE RecordsEliminati (ID INTEGER PRIMARY KEY, NomeTabella TEXT COLLATE NOCASE, IDRecord INTEGER);
CREATE TABLE Configurazione (ID INTEGER PRIMARY KEY, VersioneDB INTEGER);
CREATE TABLE ProgressivoVersioneRecord (ID INTEGER PRIMARY KEY, Progressivo INTEGER);
-- Every column that the filters, sorts and criteria of the program name.
CREATE TABLE Misto (ID INTEGER PRIMARY KEY, IDCategoriaPadre INTEGER, Ordine INTEGER,
  RagioneSociale TEXT COLLATE NOCASE, Cognome TEXT COLLATE NOCASE, UserID TEXT COLLATE NOCASE,
  IDArgomento INTEGER, IDIntervento INTEGER, IDCodiceASP INTEGER, IDCategoria INTEGER,
  CodiceLingua TEXT COLLATE NOCASE, Codice TEXT COLLATE NOCASE, IDCodice INTEGER,
  CodiceABarre TEXT COLLATE NOCASE, IDProdottoBase INTEGER, Attivo BOOLEAN DEFAULT 0, Novita BOOLEAN DEFAULT 0,
  Modificato BOOLEAN DEFAULT 0, Mailing BOOLEAN DEFAULT 0, TipoUtente INTEGER, IDAgente INTEGER,
  IDClasse INTEGER, Valore TEXT COLLATE NOCASE, IDRiferimento INTEGER, NomeCSS TEXT COLLATE NOCASE,
  Tipo1 INTEGER, ID1 INTEGER, Tipo2 INTEGER, ID2 INTEGER, DataFattura DATETIME, Tipo INTEGER,
  IDRecord INTEGER, IDGruppo INTEGER, IDUtente INTEGER);
)SQL";
}

class DataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        db = std::make_unique<Database>(dir.file(QStringLiteral("test.mdb")), Database::OpenMode::ReadWriteCreate);
        db->executeNative(QString::fromUtf8(miniSchema()));
    }

    // Adds rows with a native statement (test data only).
    void native(const char *sql) { db->executeNative(QString::fromUtf8(sql)); }

    TempDir dir;
    std::unique_ptr<Database> db;
};
