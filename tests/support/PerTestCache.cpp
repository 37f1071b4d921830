#include "retrieval/NetworkAccess.h"

#include <QNetworkDiskCache>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The process's private home already keeps test processes apart; within
// one process, each test gets a network disk cache of its own, so an answer
// cached by an earlier test (whose server may have had the same port) never
// answers a later one.
class PerTestCache : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        folder = std::make_unique<QTemporaryDir>();
        NetworkAccess::Cache()->setCacheDirectory(folder->filePath(QStringLiteral("http")));
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        NetworkAccess::Cache()->clear();
        folder.reset();
    }

    std::unique_ptr<QTemporaryDir> folder;
};

const bool Registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new PerTestCache);
    return true;
}();

} // namespace
