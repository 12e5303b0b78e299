#include "Database.h"
#include "HttpServer.h"
#include "Options.h"
#include "RankingService.h"
#include "RankingStore.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::string program = QCoreApplication::applicationName().toStdString();
    ranking::Options options = ranking::ParseOptions(arguments);
    if (options.help) {
        std::fputs(ranking::UsageText(program).c_str(), stdout);
        return 0;
    }
    if (!options.error.empty()) {
        std::fprintf(stderr, "%s: %s\n\n%s", program.c_str(), options.error.c_str(),
                     ranking::UsageText(program).c_str());
        return 2;
    }
    if (options.database.empty())
        options.database = QDir(QCoreApplication::applicationDirPath())
                               .filePath(QString::fromLatin1(ranking::DefaultDatabaseFile))
                               .toStdString();
    try {
        ranking::RankingStore store(ranking::OpenDatabase(options.database));
        ranking::RankingService service(store);
        return ranking::RunHttpServer(options, service, store.Describe());
    } catch (const ranking::DatabaseError &e) {
        std::fprintf(stderr, "%s: %s\n", program.c_str(), e.what());
        return 1;
    }
}
