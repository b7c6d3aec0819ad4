#pragma once
// Shared by the fuzz targets: the record layouts of every archive, a scratch folder, and a
// check that stops the run (libFuzzer reports the input) when a property does not hold.
#include "articles/ArticleLayout.h"
#include "clients/ClientLayout.h"
#include "deadlines/DeadlineLayout.h"
#include "documents/DocumentLayout.h"
#include "library/BookLayout.h"
#include "mail/MailLayout.h"
#include "pricelist/PriceListLayout.h"
#include "services/ServiceLayout.h"
#include "transfers/TransferLayout.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline constexpr std::array<const cal::RecordLayout*, 10> kLayouts = {
    &cal::kClientLayout,        &cal::kPriceListLayout,       &cal::kServiceLayout,
    &cal::kDeadlineLayout,      &cal::kMailLayout,            &cal::kIssuedTransferLayout,
    &cal::kReceivedTransferLayout, &cal::kBookLayout,         &cal::kArticleLayout,
    &cal::kDocumentLayout};

inline const cal::RecordLayout& pickLayout(FuzzedDataProvider& in) {
    return *kLayouts[in.ConsumeIntegralInRange<std::size_t>(0, kLayouts.size() - 1)];
}

// A text read from the front of the input (up to a backslash and one more character, or the
// end): UTF-8, or Latin-1 so that every byte value is one character, as a flag chooses.
inline QString consumeText(FuzzedDataProvider& in, std::size_t maxBytes) {
    const bool latin1 = in.ConsumeBool();
    const std::string bytes = in.ConsumeRandomLengthString(maxBytes);
    const auto size = qsizetype(bytes.size());
    return latin1 ? QString::fromLatin1(bytes.data(), size) : QString::fromUtf8(bytes.data(), size);
}

// A folder of its own for the process, removed at exit.
inline QString scratchFolder() {
    static QTemporaryDir dir;
    if (!dir.isValid()) std::abort();
    return dir.path() + QLatin1Char('/');
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) std::abort();
}

[[noreturn]] inline void failed(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, what);
    std::abort();
}

}  // namespace fuzz

#define FUZZ_CHECK(cond) \
    do { if (!(cond)) fuzz::failed(#cond, __FILE__, __LINE__); } while (false)
