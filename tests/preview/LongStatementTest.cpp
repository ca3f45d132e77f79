#include "PreviewTestSupport.h"
#include "TempProject.h"

#include "data/Database.h"
#include "preview/AspProcessor.h"
#include "preview/RunningPage.h"
#include "preview/WebServer.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace preview;

namespace {

// A page whose one statement would read 50^6 rows: hours, unless stopped.
struct CrossJoinSite {
    TempProject project;
    WebServer server;
    CrossJoinSite()
    {
        server.serveProject(project.folder().file(QStringLiteral("website")),
                            project.folder().file(QStringLiteral("website/asp")),
                            project.folder().file(QStringLiteral("db")),
                            project.folder().file(QStringLiteral("website/images")));
        Database db(project.folder().database());
        db.executeNative(QStringLiteral("CREATE TABLE Numeri (N INTEGER);"
                                        "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 50) "
                                        "INSERT INTO Numeri SELECT x FROM c;"));
        writeFile(project.folder().file(QStringLiteral("website/asp/incrocio.asp")),
                  "prima<% Set conn = Server.CreateObject(\"ADODB.Connection\")\r\n"
                  "conn.Open \"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\" & Server.MapPath(\"/db/database.mdb\")\r\n"
                  "Set rs = conn.Execute(\"SELECT Count(*) FROM Numeri a, Numeri b, Numeri c, Numeri d, Numeri e, Numeri f\")\r\n"
                  "Response.Write rs(0) %>dopo");
    }
    QString run()
    {
        return server.processor()
            .processPage(project.folder().file(QStringLiteral("website/asp/incrocio.asp")),
                         "GET /incrocio.asp HTTP/1.1\r\n\r\n")
            .output;
    }
};

} // namespace

TEST(LongStatement, EndsWithThePagesTime)
{
    CrossJoinSite s;
    s.server.setPageTimeLimit(400);
    QElapsedTimer clock;
    clock.start();
    const QString out = s.run();
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(out.startsWith(QStringLiteral("prima<p>"))) << out.toStdString();
    // The next page runs normally.
    writeFile(s.project.folder().file(QStringLiteral("website/asp/ok.asp")), "<%= 1 + 1 %>");
    EXPECT_EQ(s.server.processor()
                  .processPage(s.project.folder().file(QStringLiteral("website/asp/ok.asp")), "GET /ok.asp HTTP/1.1\r\n\r\n")
                  .output,
              QStringLiteral("2"));
}

TEST(LongStatement, EndsWhenTheServerIsAskedToStop)
{
    CrossJoinSite s;
    s.server.setPageTimeLimit(600000);
    // Ctrl+C arrives from outside the event loop, which the page is blocking.
    std::thread stopper([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        RunningPage::requestStop();
    });
    QElapsedTimer clock;
    clock.start();
    const QString out = s.run();
    stopper.join();
    RunningPage::clearStop();
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(out.startsWith(QStringLiteral("prima<p>"))) << out.toStdString();
}
