#pragma once

#include "config/MasterProviderSet.h"
#include "core/ProgramCore.h"
#include "platform/SettingsStore.h"
#include "support/RssFeed.h"
#include "support/TestData.h"
#include "support/TestHttpServer.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

// A temporary home for a whole program: its settings store, providers file
// and a master list shipped beside it, with builders for providers served
// from a local test server.
class ProgramHome : public ::testing::Test {
protected:
    void WriteStore(const QByteArray& ini) const {
        TestData::Write(folder.filePath(QStringLiteral("Varnocet.conf")), ini);
    }

    QString ProvidersFile() const {
        return folder.filePath(QStringLiteral("data/qtk_providers.xml"));
    }

    void WriteProviders(const QByteArray& xml) const { TestData::Write(ProvidersFile(), xml); }

    static QByteArray Read(const QString& path) { return TestData::ReadFile(path); }

    QByteArray StoreContents() const {
        return Read(folder.filePath(QStringLiteral("Varnocet.conf")));
    }

    // The master list: nothing listens at the server's address, so it comes
    // from a shipped copy of two providers whose feeds are not reachable
    // either: a test never fetches from the internet.
    MasterProviderSet::Locations MasterList() const {
        const QString bundle = folder.filePath(QStringLiteral("bundle"));
        const QDir standard(bundle + QStringLiteral("/Standard"));
        if (!standard.exists()) {
            TestData::Write(standard.filePath(QStringLiteral("root.xml")),
                            "<providerset name=\"Standard\" count=\"1\"><czb n=\"1\" v=\"1\"/>"
                            "</providerset>");
            TestData::Write(standard.filePath(QStringLiteral("bps_1.xml")),
                            "<providers v=\"1\">" + MasterProvider(1, "Alpha") +
                                MasterProvider(2, "Beta") + "</providers>");
            TestData::Write(standard.filePath(QStringLiteral("dps_1.xml")), "<providers v=\"1\"/>");
        }
        return {QStringLiteral("http://127.0.0.1:9/"), folder.filePath(QStringLiteral("cache")),
                bundle};
    }

    static QByteArray MasterProvider(int id, const QByteArray& name) {
        return "<provider><providername>" + name + "</providername><dataurl>http://127.0.0.1:9/" +
               name + "</dataurl><category>World</category><uniqueid>" + QByteArray::number(id) +
               "</uniqueid></provider>";
    }

    // Providers A and B, each with the RSS items titled `a` and `b`, served
    // from `server`.
    void ServeTwoProviders(TestHttpServer& server, const QStringList& a,
                           const QStringList& b) const {
        server.Serve("/a", Rss(a));
        server.Serve("/b", Rss(b));
        WriteProviders("<providers>" + ProviderElement(1, "A", server.Url("/a")) +
                       ProviderElement(2, "B", server.Url("/b")) + "</providers>");
    }

    static QByteArray Rss(const QStringList& titles) { return RssFeed::WithTitles(titles); }

    static QByteArray ProviderElement(int id, const QString& name, const QUrl& url,
                                      const QByteArray& category = "News") {
        return "<provider><providername>" + name.toUtf8() + "</providername><dataurl>" +
               url.toString().toUtf8() + "</dataurl><category>" + category +
               "</category><uniqueid>" + QByteArray::number(id) + "</uniqueid></provider>";
    }

    // The program over this home, not yet started; its settings store in
    // `storeFolder` when given.
    ProgramCore& NewProgram(const QString& storeFolder = {}) {
        core.reset();
        store =
            std::make_unique<SettingsStore>(storeFolder.isEmpty() ? folder.path() : storeFolder);
        core = std::make_unique<ProgramCore>(*store, ProvidersFile(), MasterList());
        return *core;
    }

    QTemporaryDir folder;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<ProgramCore> core;
};
