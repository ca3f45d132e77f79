#include "PreviewTestSupport.h"
#include "TempProject.h"

#include "data/Database.h"
#include "preview/AspProcessor.h"
#include "preview/WebServer.h"
#include "preview/ado/AdoCommand.h"
#include "preview/ado/AdoConnection.h"
#include "preview/ado/DatabasePool.h"

#include <gtest/gtest.h>

using namespace preview;

namespace {

// A project with a few products, served as the preview serves it.
struct AdoSite {
    TempProject project;
    WebServer server;
    AdoSite()
    {
        server.serveProject(project.folder().file(QStringLiteral("website")),
                            project.folder().file(QStringLiteral("website/asp")),
                            project.folder().file(QStringLiteral("db")),
                            project.folder().file(QStringLiteral("website/images")));
        Database db(project.folder().database());
        db.executeNative(QStringLiteral(
            "INSERT INTO Prodotti (ID, Codice, Attivo, Peso) VALUES (1, 'A1', 1, 1.5), (2, 'B2', 0, NULL), (3, 'C3', 1, 2);"
            "INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Nome, Prezzo1) VALUES "
            "(1, 1, 'it', 'Sedia', 10), (2, 2, 'it', 'D''Angelo', 20), (3, 3, 'it', NULL, 30);"));
    }
    QString page(const QString &name, const QByteArray &code)
    {
        writeFile(project.folder().file(QStringLiteral("website/asp/") + name),
                  "<% Set conn = Server.CreateObject(\"ADODB.Connection\")\r\n"
                  "conn.Open \"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\" & Server.MapPath(\"/db/database.mdb\")\r\n%>"
                  + code);
        return server.processor()
            .processPage(project.folder().file(QStringLiteral("website/asp/") + name),
                         "GET /" + name.toUtf8() + " HTTP/1.1\r\n\r\n")
            .output;
    }
};

} // namespace

TEST(AdoConnection, FindsTheDataSourceInBothConnectionStrings)
{
    EXPECT_EQ(AdoConnection::dataSource(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\x\\db.mdb")),
              QStringLiteral("C:\\x\\db.mdb"));
    EXPECT_EQ(AdoConnection::dataSource(QStringLiteral("DRIVER={Microsoft Access Driver (*.mdb)}; DBQ = /p/d.mdb ;")),
              QStringLiteral("/p/d.mdb"));
    EXPECT_EQ(AdoConnection::dataSource(QStringLiteral("data source=\"/a b/c.mdb\"")), QStringLiteral("/a b/c.mdb"));
    EXPECT_EQ(AdoConnection::dataSource(QStringLiteral("DSN=negozio")), QString());
}

TEST(AdoConnection, OpensOnlyDatabasesOfTheSite)
{
    AdoSite s;
    ASSERT_TRUE(s.project.isValid());
    EXPECT_EQ(s.page(QStringLiteral("stato.asp"), "<%= conn.State %><% conn.Close %><%= conn.State %>"),
              QStringLiteral("10"));
    const QString driver = s.page(QStringLiteral("driver.asp"),
        "<% Set c2 = CreateObject(\"ADODB.Connection\")\r\n"
        "c2.Open \"DRIVER={Microsoft Access Driver (*.mdb)};DBQ=\" & Server.MapPath(\"/db/database.mdb\")\r\n"
        "Response.Write c2.Execute(\"SELECT COUNT(*) AS n FROM Prodotti\")(\"n\") %>");
    EXPECT_EQ(driver, QStringLiteral("3"));

    writeFile(s.project.tempDir().file(QStringLiteral("altro.mdb")), "x");
    const QString outside = s.page(QStringLiteral("fuori.asp"),
        "<% Set c3 = CreateObject(\"ADODB.Connection\")\r\nc3.Open \"Data Source=\" & Server.MapPath(\"/db/../../altro.mdb\") %>");
    EXPECT_TRUE(outside.contains(QStringLiteral("800a0046"))) << outside.toStdString();
    const QString missing = s.page(QStringLiteral("manca.asp"),
        "<% Set c4 = CreateObject(\"ADODB.Connection\")\r\nc4.Open \"Data Source=\" & Server.MapPath(\"/db/nessuno.mdb\") %>");
    EXPECT_TRUE(missing.contains(QStringLiteral("80004005"))) << missing.toStdString();
}

TEST(AdoRecordset, ListsRowsWithFieldsByNameAndPosition)
{
    AdoSite s;
    const QString out = s.page(QStringLiteral("lista.asp"),
        "<% Set rs = Server.CreateObject(\"ADODB.Recordset\")\r\n"
        "rs.Open \"SELECT P.ID, P.Codice, L.Nome, L.Prezzo1 FROM Prodotti P INNER JOIN ProdottiLingue L "
        "ON L.IDProdotto = P.ID WHERE L.CodiceLingua = 'it' ORDER BY P.ID\", conn\r\n"
        "Do While Not rs.EOF %><%= rs(\"Codice\") %>:<%= rs(2) %>:<%= rs.Fields(\"Prezzo1\").Value %>;<%\r\n"
        "rs.MoveNext\r\nLoop %>|<%= rs.Fields.Count %>|<%= rs.Fields(1).Name %>|<%= rs.RecordCount %>|"
        "<% For Each f In rs.Fields %><%= f.Name %>,<% Next %>|<%= rs.BOF %><% rs.Close %>|<%= rs.State %>");
    EXPECT_EQ(out, QStringLiteral("A1:Sedia:10;B2:D'Angelo:20;C3::30;|4|Codice|-1|ID,Codice,Nome,Prezzo1,|Falso|0"));
}

TEST(AdoRecordset, NullsTypesCountsAndMoves)
{
    AdoSite s;
    const QString out = s.page(QStringLiteral("tipi.asp"),
        "<% Set rs = CreateObject(\"ADODB.Recordset\")\r\n"
        "rs.Open \"Prodotti\", conn, 3, 1\r\n"
        "rs.MoveLast : rs.MovePrevious\r\n"
        "v = rs(\"Peso\") %><%= IsNull(v) %>|<%= IsNull(rs(\"Peso\")) %>|<%= IsNull(rs(\"Codice\")) %>|<%= rs(\"Codice\") %>|<%= rs.RecordCount %>|<%= rs.AbsolutePosition %>|"
        "<%= rs.Fields(\"Attivo\").Type %>|<%= rs(\"Peso\").Type %>|<%= rs(\"ID\").Type %>|<%= TypeName(rs(\"Attivo\").Value) %>|"
        "<% rs.MoveFirst : rs.Move 2 %><%= rs(\"ID\") %>|<% rs.PageSize = 2 : rs.AbsolutePage = 2 %><%= rs(\"ID\") %>|"
        "<%= rs.PageCount %>|<% rs.MoveNext %><%= rs.EOF %>|<% rs.MoveNext %>");
    EXPECT_EQ(out.section(QStringLiteral("<p>"), 0, 0),
              QStringLiteral("Vero|Vero|Falso|B2|3|2|11|5|3|Boolean|3|3|2|Vero|"));
    EXPECT_TRUE(out.contains(QStringLiteral("<p>"))) << "MoveNext past EOF must fail: " << out.toStdString();
}

TEST(AdoRecordset, EditsAddsAndDeletesThroughTheRecordSet)
{
    AdoSite s;
    const QString out = s.page(QStringLiteral("modifica.asp"),
        "<% Set rs = CreateObject(\"ADODB.Recordset\")\r\n"
        "rs.Open \"SELECT * FROM Prodotti ORDER BY ID\", conn, 1, 3\r\n"
        "rs(\"Codice\") = \"X'1\" : rs.Update\r\n"
        "rs.AddNew : rs(\"ID\") = 9 : rs(\"Codice\") = \"NUOVO\" : rs(\"Attivo\") = True : rs.Update %>"
        "<%= rs(\"Codice\") %>|<% rs.MoveFirst : rs.MoveNext : rs.Delete : rs.MoveNext %><%= rs(\"ID\") %>|"
        "<% rs.MoveFirst : rs(\"Codice\") = \"annullato\" : rs.CancelUpdate %><%= rs(\"Codice\") %>"
        "<% Set ro = CreateObject(\"ADODB.Recordset\") : ro.Open \"Prodotti\", conn : ro(\"Codice\") = \"no\" %>");
    EXPECT_TRUE(out.startsWith(QStringLiteral("NUOVO|3|X'1<p>"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("'800a0cb3'"))) << out.toStdString();  // read-only set: 3251
    Database db(s.project.folder().database());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT Codice FROM Prodotti WHERE ID = 1")).toString(), QStringLiteral("X'1"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE ID = 2")).toInt(), 0);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT Attivo FROM Prodotti WHERE ID = 9")).toBool(), true);
}

TEST(AdoConnection, ExecuteAndTransactions)
{
    AdoSite s;
    const QString out = s.page(QStringLiteral("tx.asp"),
        "<% conn.Execute \"UPDATE Prodotti SET Peso = 7 WHERE Attivo = TRUE\", n %><%= n %>|"
        "<%= conn.BeginTrans %><% conn.Execute \"DELETE FROM Prodotti\" : conn.RollbackTrans %>"
        "<%= conn.Execute(\"SELECT COUNT(*) FROM Prodotti\")(0) %>|"
        "<% conn.BeginTrans : conn.Execute \"DELETE FROM Prodotti WHERE ID = 3\" : conn.CommitTrans %>"
        "<%= conn.Execute(\"SELECT COUNT(*) FROM Prodotti\")(0) %>|"
        "<% conn.BeginTrans : conn.Execute \"DELETE FROM Prodotti\" %>fine");
    EXPECT_EQ(out, QStringLiteral("2|13|2|fine"));
    // The transaction the page left open was rolled back when it ended.
    Database db(s.project.folder().database());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti")).toInt(), 2);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT Peso FROM Prodotti WHERE ID = 1")).toDouble(), 7.0);
}

TEST(AdoCommand, BindsParametersAsQuotedLiterals)
{
    using vbs::Variant;
    EXPECT_EQ(AdoCommand::bind(QStringLiteral("SELECT * FROM T WHERE a = ? AND b = '?' AND [c?] = ?"),
                               {Variant(QStringLiteral("D'Angelo")), Variant(int32_t(5))}),
              QStringLiteral("SELECT * FROM T WHERE a = 'D''Angelo' AND b = '?' AND [c?] = 5"));
    EXPECT_THROW(AdoCommand::bind(QStringLiteral("? ?"), {Variant(true)}), vbs::ScriptError);
    EXPECT_THROW(AdoCommand::bind(QStringLiteral("x"), {Variant(true)}), vbs::ScriptError);

    AdoSite s;
    const QString out = s.page(QStringLiteral("cmd.asp"),
        "<% Set cmd = CreateObject(\"ADODB.Command\")\r\n"
        "Set cmd.ActiveConnection = conn\r\n"
        "cmd.CommandText = \"SELECT Codice FROM Prodotti P INNER JOIN ProdottiLingue L ON L.IDProdotto = P.ID "
        "WHERE L.Nome = ? AND P.ID > ?\"\r\n"
        "cmd.Parameters(0) = \"D'Angelo\" : cmd.Parameters(1) = 1\r\n"
        "Set rs = cmd.Execute %><%= rs(\"Codice\") %>|<%= cmd.Parameters.Count %>|<%\r\n"
        "Set c2 = CreateObject(\"ADODB.Command\") : c2.ActiveConnection = conn\r\n"
        "c2.CommandText = \"UPDATE Prodotti SET Codice = ? WHERE ID = ?\"\r\n"
        "c2.Parameters.Append c2.CreateParameter(\"c\", 202, 1, 10, \"Z'\")\r\n"
        "c2.Parameters.Append c2.CreateParameter(\"id\", 3, 1, 4, 3)\r\n"
        "c2.Execute k %><%= k %>");
    EXPECT_EQ(out, QStringLiteral("B2|2|1"));
    Database db(s.project.folder().database());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT Codice FROM Prodotti WHERE ID = 3")).toString(), QStringLiteral("Z'"));
}

TEST(AdoRecordset, GetRowsGivesFieldsByRows)
{
    AdoSite s;
    const QString out = s.page(QStringLiteral("righe.asp"),
        "<% Set rs = conn.Execute(\"SELECT ID, Codice FROM Prodotti ORDER BY ID\")\r\n"
        "a = rs.GetRows() %><%= UBound(a, 1) %>|<%= UBound(a, 2) %>|<%= a(1, 2) %>|<%= rs.EOF %>");
    EXPECT_EQ(out, QStringLiteral("1|2|C3|Vero"));
}

TEST(DatabasePool, ConnectionsAreReusedCleanAndClosedWithTheServer)
{
    AdoSite s;
    ASSERT_EQ(DatabasePool::idleCount(), 0);
    // A page that leaves a transaction open and its connection unclosed.
    s.page(QStringLiteral("aperta.asp"),
           "<% conn.BeginTrans : conn.Execute \"DELETE FROM Prodotti\" %>");
    EXPECT_EQ(DatabasePool::idleCount(), 1);
    EXPECT_EQ(s.page(QStringLiteral("conta.asp"),
                     "<%= conn.Execute(\"SELECT COUNT(*) FROM Prodotti\")(0) %>"),
              QStringLiteral("3"));
    EXPECT_EQ(DatabasePool::idleCount(), 1);  // the same connection came back
    s.server.stop();
    EXPECT_EQ(DatabasePool::idleCount(), 0);
}
