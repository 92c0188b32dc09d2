#include "TempDatabase.h"

#include "Servers.h"
#include "db/Schema.h"

#include <QtTest>

namespace velmora::test {

TempDatabase::TempDatabase() : m_file(m_dir.filePath(QStringLiteral("Velmora.FDB")))
{
    createDatabase(m_file);
}

std::unique_ptr<Tdm> TempDatabase::connect(const QString &key, const QString &connection) const
{
    auto dm = std::make_unique<Tdm>();
    dm->pc = key;
    dm->databaseName = connection.isEmpty() ? m_file : connection;
    dm->connect();
    return dm;
}

void TempDatabase::shareWithServer() const
{
    test::shareWithServer(folder());
}

void TempDatabase::exec(const QStringList &sql) const
{
    const auto dm = connect(QStringLiteral("fixture"));
    for (const QString &s : sql)
        dm->run(s);
}

} // namespace velmora::test
