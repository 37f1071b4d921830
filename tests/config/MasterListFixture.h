#pragma once

#include "config/MasterProviderSet.h"
#include "support/StatusRecorder.h"
#include "support/TestData.h"
#include "support/TestHttpServer.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A master list server on 127.0.0.1 and temporary local and bundled
// folders, with builders for the list's files.
class MasterListFixture : public ::testing::Test {
protected:
    MasterProviderSet::Locations Locations() const {
        return {server.Url(QStringLiteral("/")).toString(), cache.path(), bundle.path()};
    }

    // As a build with no master list server has it.
    MasterProviderSet::Locations WithoutServer() const {
        return {QString(), cache.path(), bundle.path()};
    }

    QString LocalFile(const QString& name) const {
        return cache.path() + QStringLiteral("/Standard/") + name;
    }

    void Publish(const QString& name, const QByteArray& body) {
        server.Serve("/Standard/" + name.toUtf8(), body);
    }

    static void WriteFile(const QString& folder, const QString& name, const QByteArray& body) {
        TestData::Write(folder + QStringLiteral("/Standard/") + name, body);
    }

    void WriteLocal(const QString& name, const QByteArray& body) {
        WriteFile(cache.path(), name, body);
    }

    // One set, number 1, whose delta is at `deltaVersion`.
    static QByteArray Index(int deltaVersion) {
        return "<providerset name=\"Standard\" count=\"1\"><czb n=\"1\" v=\"" +
               QByteArray::number(deltaVersion) + "\"/></providerset>";
    }

    static QByteArray ProviderXml(int id, const QByteArray& name, const QByteArray& category,
                                  const QByteArray& more = {}) {
        return "<provider><providername>" + name + "</providername><uniqueid>" +
               QByteArray::number(id) + "</uniqueid><dataurl>http://" + name +
               ".example/rss</dataurl><category>" + category + "</category>" + more + "</provider>";
    }

    static QByteArray SetFile(const QByteArray& elements, int version = 0) {
        return "<providers v=\"" + QByteArray::number(version) + "\">" + elements + "</providers>";
    }

    // A whole list in `folder`: the index, the base set and the delta set
    // at `deltaVersion`.
    static void WriteList(const QString& folder, const QByteArray& base, const QByteArray& delta,
                          int deltaVersion) {
        WriteFile(folder, QStringLiteral("root.xml"), Index(deltaVersion));
        WriteFile(folder, QStringLiteral("bps_1.xml"), SetFile(base));
        WriteFile(folder, QStringLiteral("dps_1.xml"), SetFile(delta, deltaVersion));
    }

    // The copy the program ships.
    void WriteBundledList(const QByteArray& base, const QByteArray& delta, int deltaVersion = 1) {
        WriteList(bundle.path(), base, delta, deltaVersion);
    }

    void PublishList(const QByteArray& base, const QByteArray& delta, int deltaVersion = 1) {
        Publish(QStringLiteral("root.xml"), Index(deltaVersion));
        Publish(QStringLiteral("bps_1.xml"), SetFile(base));
        Publish(QStringLiteral("dps_1.xml"), SetFile(delta, deltaVersion));
    }

    QTemporaryDir cache;
    QTemporaryDir bundle;
    TestHttpServer server;
};
