// The client search as a whole process, set against `dd`, `grep` and SQLite 3 (each a whole
// process too): the program's search code over the client file, one filter on the name, the list
// lines built and sorted as the search screen lists them. Linked only to what the search needs.
//
//   calvetra_search <folder> <text> [--map]     prints the number of lines listed
//
// With --map the file is scanned through a read-only mapping instead of read in blocks, so that
// the benchmark keeps both ways measured side by side.
#include "clients/ClientLayout.h"
#include "clients/ClientTables.h"
#include "core/ProgramFolder.h"
#include "core/Search.h"

#include <QDir>

#include <cstdio>

int main(int argc, char** argv) {
    // No application object: the search needs none, and a command-line tool makes none.
    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    const bool mapped = args.size() == 4 && args[3] == QLatin1String("--map");
    if (args.size() != 3 && !mapped) {
        std::fprintf(stderr, "usage: calvetra_search <folder> <text> [--map]\n");
        return 2;
    }
    using namespace cal;
    if (mapped) setScanAccess(ScanAccess::Map);
    const QString path = QDir(args[1]).filePath(QString::fromLatin1(kClientLayout.fileName.data(),
                                                                    qsizetype(kClientLayout.fileName.size())));
    const SearchFilter filters[] = {{kClientLayout.indexOf("txtCliente"), args[2]}};
    const RecordMatcher matcher(kClientLayout, filters);
    const auto lines = searchRecords(path, kClientLayout, matcher,
                                     [](const char* record) { return buildListLine(kClientLayout, kClientSearchLine, record); });
    if (!lines) return 1;
    std::printf("%zu\n", lines->size());
    return 0;
}
