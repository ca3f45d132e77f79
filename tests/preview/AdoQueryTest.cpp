#include "ServedSite.h"

#include "data/Database.h"

#include <gtest/gtest.h>

using namespace preview;

namespace {

// A site with a shop database of 25 articles, P01..P25; even ones inactive.
struct ShopSite : ServedSite {
    ShopSite()
    {
        Database db(this->db() + QStringLiteral("/negozio.mdb"), Database::OpenMode::ReadWriteCreate);
        db.executeNative(QStringLiteral(
            "CREATE TABLE Articoli (ID INTEGER PRIMARY KEY, Codice TEXT COLLATE NOCASE, Nome TEXT COLLATE NOCASE, "
            "Prezzo REAL, Attivo BOOLEAN);"));
        for (int i = 1; i <= 25; ++i) {
            db.executeNative(QStringLiteral("INSERT INTO Articoli VALUES (%1, 'P%2', %3, %4, %5);")
                                 .arg(i)
                                 .arg(i, 2, 10, QLatin1Char('0'))
                                 .arg(i == 3 ? QStringLiteral("'D''Angelo'") : i == 4 ? QStringLiteral("NULL")
                                                                              : QStringLiteral("'Art %1'").arg(i))
                                 .arg(i * 1.5)
                                 .arg(i % 2));
        }
    }
    // Runs code after opening conn on the shop database; the page's body.
    QString run(const QByteArray &code, const QByteArray &target = "/pagina.asp")
    {
        page(QStringLiteral("pagina.asp"),
             "<% Set conn = Server.CreateObject(\"ADODB.Connection\")\r\n"
             "conn.Open \"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\" & Server.MapPath(\"/db/negozio.mdb\")\r\n"
             "Set rs = Server.CreateObject(\"ADODB.Recordset\") %>" + code);
        auto a = get(target);
        return a ? QString::fromUtf8(a->body) : QString();
    }
};

const QByteArray kPagingPage =
    "<% rs.CursorLocation = 3\r\n"
    "rs.Open \"SELECT ID, Codice FROM Articoli ORDER BY ID\", conn, 3, 1\r\n"
    "rs.PageSize = 10\r\n"
    "pagina = Request.QueryString(\"pagina\")\r\n"
    "If pagina = \"\" Or Not IsNumeric(pagina) Then pagina = 1\r\n"
    "pagina = CInt(pagina) : If pagina > rs.PageCount Then pagina = rs.PageCount\r\n"
    "rs.AbsolutePage = pagina\r\n"
    "For i = 1 To rs.PageSize\r\n"
    "  If rs.EOF Then Exit For\r\n"
    "  Response.Write rs(\"Codice\") & \" \"\r\n"
    "  rs.MoveNext\r\n"
    "Next %>| pagina <%= pagina %> di <%= rs.PageCount %> (<%= rs.RecordCount %>)";

} // namespace

TEST(AdoRecordset, PagesAsListPagesDo)
{
    ShopSite s;
    EXPECT_EQ(s.run(kPagingPage), QStringLiteral("P01 P02 P03 P04 P05 P06 P07 P08 P09 P10 | pagina 1 di 3 (25)"));
    EXPECT_EQ(s.run(kPagingPage, "/pagina.asp?pagina=3"), QStringLiteral("P21 P22 P23 P24 P25 | pagina 3 di 3 (25)"));
    EXPECT_EQ(s.run(kPagingPage, "/pagina.asp?pagina=9"), QStringLiteral("P21 P22 P23 P24 P25 | pagina 3 di 3 (25)"));
}

TEST(AdoRecordset, FilterSortFindAndGetString)
{
    ShopSite s;
    EXPECT_EQ(s.run("<% rs.Open \"Articoli\", conn, 3, 3\r\n"
                    "rs.Filter = \"Attivo = True AND ID < 8\" %><%= rs.RecordCount %>:<%= rs(\"Codice\") %>|"
                    "<% rs.Sort = \"Codice DESC\" %><%= rs(\"Codice\") %>|<%= rs.Sort %>|<%= rs.Filter %>|"
                    "<% rs.Filter = 0 %><%= rs.RecordCount %>:<%= rs(\"Codice\") %>|"
                    "<% rs.Filter = \"Codice LIKE 'P1*'\" : rs.Sort = \"\" %><%= rs.RecordCount %>:<%= rs(\"Codice\") %>|"
                    "<% rs.Filter = \"Nome = 'D''Angelo'\" %><%= rs(\"ID\") %>"),
              QStringLiteral("4:P01|P07|Codice DESC|Attivo = True AND ID < 8|25:P25|10:P10|3"));

    // Find starts at the current row; not found leaves the set at EOF (or BOF going back).
    EXPECT_EQ(s.run("<% rs.Open \"SELECT * FROM Articoli ORDER BY ID\", conn, 3, 1\r\n"
                    "rs.Find \"Codice = 'P07'\" %><%= rs(\"ID\") %>|"
                    "<% rs.Find \"Codice = 'P07'\" %><%= rs(\"ID\") %>|"
                    "<% rs.Find \"Attivo = True\", 1 %><%= rs(\"ID\") %>|"
                    "<% rs.Find \"Prezzo < 5\", 0, -1 %><%= rs(\"ID\") %>|"
                    "<% rs.Find \"Codice = 'X'\" %><%= rs.EOF %>|"
                    "<% rs.MoveFirst : rs.Find \"ID = 20\", 0, -1 %><%= rs.BOF %>|"
                    "<% rs.MoveLast : rs.Find \"ID > 23\", 0, -1 %><%= rs(\"ID\") %>"),
              QStringLiteral("7|7|9|3|Vero|Vero|25"));

    EXPECT_EQ(s.run("<% rs.Open \"SELECT Codice, Nome FROM Articoli WHERE ID BETWEEN 3 AND 5 ORDER BY ID\", conn %>"
                    "<%= rs.GetString(2, , \",\", \";\", \"(nullo)\") %>|<%= rs.EOF %>|"
                    "<% rs.Requery %><%= Replace(rs.GetString(, 1), vbTab, \"/\") %>"),
              QStringLiteral("P03,D'Angelo;P04,(nullo);P05,Art 5;|Vero|P03/D'Angelo\r"));

    EXPECT_EQ(s.run("<% rs.Open \"Articoli\", conn %><%= rs.Supports(&H200) %>,<%= rs.Supports(&H1000400) %>,"
                    "<%= rs.Supports(&H80000) %><% rs.Close : rs.Open \"Articoli\", conn, 3, 3 %>|"
                    "<%= rs.Supports(&H200 Or &H2000) %>,<%= rs.Supports(&H1000400) %>,<%= rs.Supports(&H1008000) %>"),
              QStringLiteral("Falso,Falso,Vero|Vero,Vero,Vero"));
}

TEST(AdoCommand, ParameterisedQueriesAsPagesWriteThem)
{
    ShopSite s;
    EXPECT_EQ(s.run("<% Set cmd = Server.CreateObject(\"ADODB.Command\")\r\n"
                    "Set cmd.ActiveConnection = conn\r\n"
                    "cmd.CommandText = \"SELECT Codice FROM Articoli WHERE Nome = ? AND Prezzo > ?\"\r\n"
                    "cmd.CommandType = 1\r\n"
                    "cmd.Parameters.Append cmd.CreateParameter(\"@nome\", 200, 1, 50, Request.QueryString(\"nome\"))\r\n"
                    "cmd.Parameters.Append cmd.CreateParameter(\"@prezzo\", 5, 1, , 1)\r\n"
                    "Set r1 = cmd.Execute %><%= r1(\"Codice\") %>|<%= cmd.Parameters.Count %>|"
                    "<%= cmd.Parameters(\"@nome\").Value %>|"
                    "<% cmd.CommandText = \"UPDATE Articoli SET Prezzo = ? WHERE Codice = ?\"\r\n"
                    "cmd.Execute n, Array(99.5, \"P05\") %><%= n %>|"
                    "<% Set r2 = conn.Execute(\"SELECT Prezzo FROM Articoli WHERE ID = 5\") %><%= r2(0) %>",
                    "/pagina.asp?nome=D%27Angelo"),
              QStringLiteral("P03|2|D'Angelo|1|99,5"));
}

TEST(AdoStream, TextIsWrittenReadSavedAndLoadedInsideTheSite)
{
    ShopSite s;
    const QString out = s.run(
        "<% Set st = Server.CreateObject(\"ADODB.Stream\")\r\n"
        "st.Type = 2 : st.Charset = \"utf-8\" : st.Open\r\n"
        "st.WriteText \"Prezzo: € 10\", 1\r\n"
        "st.WriteText \"riga due\"\r\n"
        "Response.Write st.Size & \"|\" & st.Position & \"|\"\r\n"
        "st.Position = 0\r\n"
        "Response.Write st.ReadText(-2) & \"|\" & st.ReadText(3) & \"|\" & st.ReadText & \"|\" & st.EOS & \"|\"\r\n"
        "st.SaveToFile Server.MapPath(\"/db/nota.txt\"), 2\r\n"
        "st.Close\r\n"
        "Set l = Server.CreateObject(\"ADODB.Stream\")\r\n"
        "l.Charset = \"windows-1252\" : l.Open : l.WriteText \"€–\" : Response.Write l.Size & \"|\"\r\n"
        "l.Position = 0 : l.Type = 1 : b = l.Read : Response.Write b(0) & \",\" & b(1) & \"|\"\r\n"
        "l.Close : l.Type = 2 : l.Charset = \"utf-8\" : l.Open\r\n"
        "l.LoadFromFile Server.MapPath(\"/db/nota.txt\")\r\n"
        "Response.Write Replace(l.ReadText, vbCrLf, \"/\") & \"|\"\r\n"
        "On Error Resume Next\r\n"
        "l.SaveToFile Server.MapPath(\"/db/nota.txt\") : Response.Write Err.Number & \",\" : Err.Clear\r\n"
        "l.SaveToFile \"/tmp/fuori-dal-sito.txt\", 2 : Response.Write Err.Number & \",\" : Err.Clear\r\n"
        "l.LoadFromFile \"/etc/passwd\" : Response.Write Err.Number %>");
    EXPECT_EQ(out.toStdString(), QStringLiteral("27|27|Prezzo: € 10|rig|a due|Vero|2|128,150|Prezzo: € 10/riga due|3004,70,70").toStdString());
    QFile saved(s.db() + QStringLiteral("/nota.txt"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("\xEF\xBB\xBFPrezzo: \xE2\x82\xAC 10\r\nriga due"));
    EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/fuori-dal-sito.txt")));
}
