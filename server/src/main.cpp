// SPDX-License-Identifier: GPL-3.0-or-later
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
    const QString programDir = QCoreApplication::applicationDirPath();
    if (options.database.empty())
        options.database = QDir(programDir).filePath(QString::fromLatin1(ranking::DefaultDatabaseFile)).toStdString();
    if (options.secret.empty())
        options.secret = ranking::SecretFileFor(options.database, programDir.toStdString());
    try {
        // The port first: a second server must not touch the database or the secret.
        int port = 0;
        const int listener = ranking::OpenListener(options.address, options.port, port);
        ranking::RankingStore store(options.database, options.secret);
        ranking::RankingService service(store, options.submissionsPerMinute, options.newTextsPerDay);
        return ranking::RunHttpServer(options, listener, port, service, store.Describe());
    } catch (const std::runtime_error &e) {
        ranking::Log(e.what());
        return 1;
    }
}
